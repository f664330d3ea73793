#include "app/cli/CliBase.h"

#include <sys/stat.h>

#include <algorithm>
#include <iostream>

#include "app/cli/CliUsage.h"
#include "base/BaseFile.h"
#include "base/BaseGenerations.h"
#include "base/BaseLock.h"
#include "base/PreviousBase.h"
#include "base/SafeFile.h"
#include "base/SettingsFile.h"
#include "base/TextFields.h"

namespace kalvon::cli {

int RunInfo(const TArguments& args) {
    if (args.size() != 1) return BadArguments(Usage("info"));
    TGameBase& base = UntilExit<TGameBase>();
    if (!LoadBaseForCommand(base, args[0])) return ExitFailure;
    std::cout << "games: " << base.PartyList.size() << '\n'
              << "players: " << base.PlayerCatalogue.PlayerRecords.size() << '\n'
              << "years: " << base.TurnCatalogue.TurnNames.size() << '\n';
    return ExitOk;
}

int RunResave(const TArguments& args) {
    if (args.size() != 2) return BadArguments(Usage("resave"));
    // The base written is locked from the reading to the rename: a resave onto its own file must not
    // drop games that another writer adds meanwhile.
    TBaseWriteLock lock;
    if (std::string error; !lock.Lock(args[1], error)) return Failure("kalvon-cli: " + ToTerminal(error));
    TGameBase& base = UntilExit<TGameBase>();
    TLoadReport report;
    if (!LoadBaseForCommand(base, args[0], report)) return ExitFailure;
    // Saving a base cut short at a NUL, or with damaged lines, over its own file would lose text for
    // good; into another file it shows what a save makes of them.
    struct stat in {
    }, out{};
    const bool ownFile = stat(args[0].c_str(), &in) == 0 && stat(args[1].c_str(), &out) == 0 &&
                         in.st_dev == out.st_dev && in.st_ino == out.st_ino;
    if (ownFile && report.NulLine > 0)
        return Failure("kalvon-cli: " + ToTerminal(args[1]) +
                       " is not rewritten: it would lose the lines after the NUL byte.");
    if (ownFile && report.DamagedLines > 0)
        return Failure("kalvon-cli: " + ToTerminal(args[1]) +
                       " is not rewritten: " + ToTerminal(DamagedLinesText(report)) +
                       ". Resave it to another file to see how a save rewrites them.");
    TCliUi ui;
    return SaveBase(base, args[1], ui) ? ExitOk : ExitFailure;
}

int RunRestore(const TArguments& args) {
    if (args.empty() || args[0].starts_with("--")) return BadArguments(Usage("restore"));
    const std::string& path = args[0];
    TRestoreChoice choice;
    bool yes = false, list = false, chosen = false;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--yes" && !yes) {
            yes = true;
        } else if (args[i] == "--list" && !list) {
            list = true;
        } else if (args[i] == "--before-removal" && !chosen) {
            choice.BeforeRemoval = chosen = true;
        } else if (args[i] == "--generation" && !chosen && i + 1 < args.size()) {
            const std::optional<int> n = ParseSettingInteger(args[++i]);
            if (!n || *n < 1 || *n > MaxBackupGenerations)
                return BadArguments("--generation takes a number from 1 to " +
                                    std::to_string(MaxBackupGenerations) + ", not " + QuoteArgument(args[i]));
            choice.Generation = *n;
            chosen = true;
        } else {
            return BadArguments(Usage("restore"));
        }
    }
    if (list && (yes || chosen)) return BadArguments(Usage("restore"));
    const std::vector<TBaseGeneration> generations = ListBaseGenerations(path);
    if (list) {
        for (const TBaseGeneration& generation : generations)
            std::cout << ToTerminal(GenerationLine(generation)) << '\n';
        return ExitOk;
    }
    const auto source = std::find_if(generations.begin(), generations.end(), [&](const TBaseGeneration& g) {
        return choice.BeforeRemoval ? g.Generation == 0 : g.Generation == choice.Generation;
    });
    if (source == generations.end())
        return Failure(Concat({"kalvon-cli: base ", ToTerminal(path), " has no ",
                               choice.BeforeRemoval ? std::string("file from before the last removal")
                                                    : "generation " + std::to_string(choice.Generation),
                               " to go back to."}));
    std::string error;
    struct stat info {};
    const bool baseExists = stat(path.c_str(), &info) == 0;
    const std::optional<TBaseFileFacts> now = baseExists ? BaseFileFacts(path, error) : std::nullopt;
    if (baseExists && !now) return Failure("kalvon-cli: " + ToTerminal(error));
    std::cerr << "Replace "
              << (now ? ToTerminal(DescribeBaseFile(path, *now)) : ToTerminal(path) + " (no file)")
              << "\nwith " << ToTerminal(GenerationLine(*source))
              << "?\n(the file replaced becomes generation 1, the others move down)";
    if (!yes) {
        std::cerr << " [y/N] " << std::flush;
        std::string answer;
        if (!std::getline(std::cin, answer) || (answer != "y" && answer != "Y" && answer != "yes"))
            return Failure("kalvon-cli: nothing was changed.");
    } else {
        std::cerr << '\n';
    }
    if (!RestoreBaseGeneration(path, choice, error)) return Failure("kalvon-cli: " + ToTerminal(error));
    std::cout << "Restored " << ToTerminal(path) << " from " << GenerationName(*source)
              << (now ? "; the file it replaced is now generation 1, " + ToTerminal(PreviousFilePath(path))
                      : std::string())
              << '\n';
    return ExitOk;
}

}  // namespace kalvon::cli
