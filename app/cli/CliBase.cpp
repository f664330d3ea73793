#include "app/cli/CliBase.h"

#include <sys/stat.h>

#include <iostream>

#include "app/cli/CliUsage.h"
#include "base/BaseFile.h"
#include "base/BaseLock.h"
#include "base/PreviousBase.h"
#include "base/SafeFile.h"

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
    const bool yes = args.size() == 2 && args[1] == "--yes";
    if (args.size() != 1 && !yes) return BadArguments(Usage("restore"));
    const std::string& path = args[0];
    const std::string previous = PreviousFilePath(path);
    std::string error;
    const std::optional<TBaseFileFacts> now = BaseFileFacts(path, error);
    if (!now) return Failure("kalvon-cli: " + ToTerminal(error));
    const std::optional<TBaseFileFacts> before = BaseFileFacts(previous, error);
    if (!before)
        return Failure("kalvon-cli: base " + ToTerminal(path) + " has no previous generation to go back to.");
    std::cerr << "Replace " << ToTerminal(DescribeBaseFile(path, *now)) << "\nwith "
              << ToTerminal(DescribeBaseFile(previous, *before)) << "?\n(the two files change places)";
    if (!yes) {
        std::cerr << " [y/N] " << std::flush;
        std::string answer;
        if (!std::getline(std::cin, answer) || (answer != "y" && answer != "Y" && answer != "yes"))
            return Failure("kalvon-cli: nothing was changed.");
    } else {
        std::cerr << '\n';
    }
    if (!RestorePreviousBase(path, error)) return Failure("kalvon-cli: " + ToTerminal(error));
    std::cout << "Restored " << ToTerminal(path) << "; the file it replaced is now " << ToTerminal(previous)
              << '\n';
    return ExitOk;
}

}  // namespace kalvon::cli
