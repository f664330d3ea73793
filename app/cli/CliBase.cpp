#include "app/cli/CliBase.h"

#include <iostream>

#include "base/BaseFile.h"

namespace kalvon::cli {

int RunInfo(const TArguments& args) {
    if (args.size() != 1) return BadArguments("usage: kalvon-cli info BASE");
    TGameBase base;
    if (!LoadBaseForCommand(base, args[0])) return ExitFailure;
    std::cout << "games: " << base.PartyList.size() << '\n'
              << "players: " << base.PlayerCatalogue.PlayerRecords.size() << '\n'
              << "years: " << base.TurnCatalogue.TurnNames.size() << '\n';
    return ExitOk;
}

int RunResave(const TArguments& args) {
    if (args.size() != 2) return BadArguments("usage: kalvon-cli resave BASE OUT");
    TGameBase base;
    if (!LoadBaseForCommand(base, args[0])) return ExitFailure;
    TCliUi ui;
    return SaveBase(base, args[1], ui) ? ExitOk : ExitFailure;
}

}  // namespace kalvon::cli
