#include "app/cli/CliBase.h"

#include <sys/stat.h>

#include <iostream>

#include "base/BaseFile.h"

namespace kalvon::cli {

int RunInfo(const TArguments& args) {
    if (args.size() != 1) return BadArguments("usage: kalvon-cli info BASE");
    TGameBase& base = UntilExit<TGameBase>();
    if (!LoadBaseForCommand(base, args[0])) return ExitFailure;
    std::cout << "games: " << base.PartyList.size() << '\n'
              << "players: " << base.PlayerCatalogue.PlayerRecords.size() << '\n'
              << "years: " << base.TurnCatalogue.TurnNames.size() << '\n';
    return ExitOk;
}

int RunResave(const TArguments& args) {
    if (args.size() != 2) return BadArguments("usage: kalvon-cli resave BASE OUT");
    TGameBase& base = UntilExit<TGameBase>();
    TLoadReport report;
    if (!LoadBaseForCommand(base, args[0], report)) return ExitFailure;
    // Saving a base cut short at a NUL over its own file would lose the lines after it for good.
    struct stat in {
    }, out{};
    if (report.NulLine > 0 && stat(args[0].c_str(), &in) == 0 && stat(args[1].c_str(), &out) == 0 &&
        in.st_dev == out.st_dev && in.st_ino == out.st_ino)
        return Failure("kalvon-cli: " + ToTerminal(args[1]) +
                       " is not rewritten: it would lose the lines after the NUL byte.");
    TCliUi ui;
    return SaveBase(base, args[1], ui) ? ExitOk : ExitFailure;
}

}  // namespace kalvon::cli
