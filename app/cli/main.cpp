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
#include "app/cli/CliRules.h"
#ifdef KALVON_CLI_DIAGRAM
#include "app/cli/CliDiagram.h"
#endif
#include "app/cli/CliStat.h"
#include "app/cli/CliUsage.h"
#include "base/TextFields.h"
#include "kalvon/Version.h"

using namespace kalvon::cli;

namespace {

using TCommand = int (*)(const TArguments&);

const std::map<std::string, TCommand>& Commands() {
    static const std::map<std::string, TCommand> commands = {
        {"add", RunAdd},
        {"check", RunCheck},
#ifdef KALVON_CLI_DIAGRAM
        {"diagram", RunDiagram},
#endif
        {"export-sgf", RunExportSgf},
        {"forbidden", RunForbidden},
        {"import", RunImport},
        {"info", RunInfo},
        {"read", RunRead},
        {"recode", RunRecode},
        {"resave", RunResave},
        {"restore", RunRestore},
        {"shift", RunShift},
        {"stat", RunStat},
        {"update", RunUpdate},
        {"vcf", RunVcf},
        {"write", RunWrite},
    };
    return commands;
}

// The usage line of the tool, naming its commands.
int ToolUsage() {
    std::string names;
    for (const auto& [name, command] : Commands()) names += (names.empty() ? "" : "|") + name;
    return BadArguments("usage: kalvon-cli " + names + " ARGUMENTS... (kalvon-cli --help tells more)");
}

// A command the tool does not have, with the one most like it.
int UnknownCommand(std::string_view typed) {
    std::string quoted = QuoteArgument(typed);
    quoted = ShowTerminalControls(std::string_view(quoted).substr(1, quoted.size() - 2));
    const std::string nearest = NearestCommand(typed);
    return BadArguments(
        kalvon::Concat({"unknown command '", quoted, "'", nearest.empty() ? "" : "; did you mean '", nearest,
                        nearest.empty() ? "" : "'?", " (kalvon-cli --help lists the commands)"}));
}

// "--help", "help" and "help COMMAND": the help on standard output.
int PrintHelp(const TArguments& args) {
    if (args.size() > 1) return BadArguments(kalvon::cli::Usage("help"));
    const std::string text = Help(args.empty() ? std::string_view() : std::string_view(args[0]));
    if (text.empty()) return UnknownCommand(args[0]);
    std::cout << text;
    return ExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return ToolUsage();
    const std::string first = argv[1];
    const TArguments args(argv + 2, argv + argc);
    if (first == "--version") {
        std::cout << "kalvon-cli " KALVON_VERSION "\n";
        return 0;
    }
    if (first == "--help" || first == "-h" || first == "help") return PrintHelp(args);
    auto command = Commands().find(first);
    if (command == Commands().end()) return UnknownCommand(first);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) return PrintHelp({first});
#ifdef __GLIBC__
    // The heap grows in large steps: a command lives for one load of up to millions of games, which
    // would otherwise ask the system for more memory some thousand times. Untouched room costs nothing.
    mallopt(M_TOP_PAD, 32 << 20);
#endif
    try {
        UseSettingsCodePage();
        return command->second(args);
    } catch (const std::exception& e) {
        return Failure(std::string("kalvon-cli: ") + e.what());
    }
}
