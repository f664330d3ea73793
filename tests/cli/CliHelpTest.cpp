// What kalvon-cli says about itself: the full help, one command's help, a mistyped command, and
// messages that speak of the tool's own options rather than the windows' controls.
#include <gtest/gtest.h>

#include "tests/cli/CliRun.h"
#include "tests/engine/TestBase.h"

namespace kalvon::test {
namespace {

struct THelpCase {
    std::vector<std::string> Args;
    int Status;
    std::vector<std::string> Out;  // parts of standard output, in order
    std::string Err;               // standard error, exactly
};

TEST(CliHelp, HelpAndMistypedCommands) {
    const THelpCase cases[] = {
        {{"--help"},
         0,
         {"usage: kalvon-cli COMMAND", "kalvon-cli import BASE FILE...", "MOVES ", "QUERY ", "Exit status"},
         ""},
        {{"-h"}, 0, {"kalvon-cli stat BASE MOVES [QUERY]", "kalvon-cli help [COMMAND]"}, ""},
        {{"help"}, 0, {"kalvon-cli info BASE"}, ""},
        {{"help", "stat"},
         0,
         {"kalvon-cli stat BASE MOVES [QUERY] [--listing]\n", "QUERY  --not-finished"},
         ""},
        {{"import", "--help"}, 0, {"kalvon-cli import BASE FILE... [--transliterate] [--year Y]\n"}, ""},
        {{"stats", "b.bdt", "-"},
         2,
         {},
         "kalvon-cli: unknown command 'stats'; did you mean 'stat'? (kalvon-cli --help lists the "
         "commands)\n"},
        {{"Imprt"},
         2,
         {},
         "kalvon-cli: unknown command 'Imprt'; did you mean 'import'? (kalvon-cli --help lists the "
         "commands)\n"},
        {{"xyzzy"}, 2, {}, "kalvon-cli: unknown command 'xyzzy' (kalvon-cli --help lists the commands)\n"},
        {{"help", "stats"},
         2,
         {},
         "kalvon-cli: unknown command 'stats'; did you mean 'stat'? (kalvon-cli --help lists the "
         "commands)\n"},
        {{"\x1b[2J"},
         2,
         {},
         "kalvon-cli: unknown command '\\x1b[2J' (kalvon-cli --help lists the commands)\n"},
        {{"help", "stat", "shift"}, 2, {}, "kalvon-cli: usage: kalvon-cli help [COMMAND]\n"},
    };
    TTempFolder folder;
    for (const THelpCase& c : cases) {
        SCOPED_TRACE(c.Args[0]);
        const TCliResult result = RunCli(folder.Path(), c.Args);
        EXPECT_EQ(result.Status, c.Status);
        EXPECT_EQ(result.Err, c.Err);
        size_t at = 0;
        for (const std::string& part : c.Out) {
            at = result.Out.find(part, at);
            EXPECT_NE(at, std::string::npos) << part << " in\n" << result.Out;
        }
        if (c.Out.empty()) {
            EXPECT_EQ(result.Out, "");
        }
    }
    // Every command the short usage names has its part in the help, and the help names no other.
    const TCliResult usage = RunCli(folder.Path(), {});
    ASSERT_EQ(usage.Status, 2);
    const size_t from = usage.Err.find("usage: kalvon-cli ") + 18;
    const std::string names = usage.Err.substr(from, usage.Err.find(' ', from) - from);
    const TCliResult help = RunCli(folder.Path(), {"--help"});
    size_t commands = 0;
    for (size_t start = 0; start <= names.size(); ++commands) {
        const size_t end = std::min(names.find('|', start), names.size());
        const std::string name = names.substr(start, end - start);
        const TCliResult part = RunCli(folder.Path(), {"help", name});
        EXPECT_EQ(part.Status, 0) << name;
        EXPECT_EQ(part.Out.rfind("kalvon-cli " + name + " ", 0), 0u) << part.Out;
        EXPECT_NE(help.Out.find("\nkalvon-cli " + name + " "), std::string::npos) << name;
        start = end + 1;
    }
    size_t parts = 0;
    for (size_t at = help.Out.find("\nkalvon-cli "); at != std::string::npos;
         at = help.Out.find("\nkalvon-cli ", at + 1))
        ++parts;
    EXPECT_EQ(parts, commands + 1) << "the commands and help itself";
}

}  // namespace
}  // namespace kalvon::test
