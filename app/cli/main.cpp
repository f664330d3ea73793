// kalvon-cli: the engine for scripts, batch work and tests, printing the texts the program shows.
#include <iostream>
#include <map>
#include <string>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "app/cli/CliBase.h"
#include "app/cli/CliCommon.h"
#include "app/cli/CliExchange.h"
#include "app/cli/CliImport.h"
#ifdef KALVON_CLI_DIAGRAM
#include "app/cli/CliDiagram.h"
#endif
#include "app/cli/CliStat.h"
#include "kalvon/Version.h"

using namespace kalvon::cli;

namespace {

using TCommand = int (*)(const TArguments&);

const std::map<std::string, TCommand>& Commands() {
    static const std::map<std::string, TCommand> commands = {
        {"add", RunAdd},
#ifdef KALVON_CLI_DIAGRAM
        {"diagram", RunDiagram},
#endif
        {"export-sgf", RunExportSgf},
        {"import", RunImport},
        {"info", RunInfo},
        {"read", RunRead},
        {"recode", RunRecode},
        {"resave", RunResave},
        {"restore", RunRestore},
        {"shift", RunShift},
        {"stat", RunStat},
        {"update", RunUpdate},
        {"write", RunWrite},
    };
    return commands;
}

int Usage() {
    std::string names;
    for (const auto& [name, command] : Commands()) names += (names.empty() ? "" : "|") + name;
    return BadArguments("usage: kalvon-cli " + names + " ARGUMENTS...");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    if (std::string(argv[1]) == "--version") {
        std::cout << "kalvon-cli " KALVON_VERSION "\n";
        return 0;
    }
    auto command = Commands().find(argv[1]);
    if (command == Commands().end()) return Usage();
#ifdef __GLIBC__
    // The heap grows in large steps: a command lives for one load of up to millions of games, which
    // would otherwise ask the system for more memory some thousand times. Untouched room costs nothing.
    mallopt(M_TOP_PAD, 32 << 20);
#endif
    try {
        UseWorkingFolderSettings();
        return command->second(TArguments(argv + 2, argv + argc));
    } catch (const std::exception& e) {
        return Failure(std::string("kalvon-cli: ") + e.what());
    }
}
