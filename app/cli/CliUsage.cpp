#include "app/cli/CliUsage.h"

#include <algorithm>
#include <numeric>

#include "base/TextFields.h"

namespace kalvon::cli {

namespace {

struct TCommandHelp {
    std::string_view Name;
    std::string_view Synopsis;  // the arguments after the command's name
    std::string_view Text;      // what it does, lines indented by the help
};

constexpr std::string_view Query =
    "[--not-finished] [--year Y] [--player NAME [--colour all|black|white] [--opponent NAME]] [--group "
    "C|None]";

// The commands in the order of the help.
const std::vector<TCommandHelp>& Commands() {
    static const std::vector<TCommandHelp> commands = {
        {"info", "BASE", "games, players and years after loading"},
        {"resave", "BASE OUT", "load BASE and save it as OUT, sorted, as the program saves"},
        {"stat", "BASE MOVES [QUERY] [--listing]",
         "the statistics memo lines for the position; with --listing, then one line per\n"
         "selected game as the listing window shows it"},
        {"shift", "BASE MOVES 1|2 [--listing]",
         "the statistics of the position shifted by one or two points"},
        {"read", "FILE... | --mail PATH",
         "the base line of each notification file; with --mail, every notification of a mailbox\n"
         "(an mbox file, a Maildir or an .eml message): its message number, a tab, its base line"},
        {"add", "BASE [--mail PATH]",
         "\"Add New Games\": the notifications of add/ (or of the mailbox at PATH) appended to\n"
         "BASE, which is rewritten sorted"},
        {"update", "BASE [--mail PATH]",
         "\"Update Games\": the notifications of update/ (or of the mailbox) replace the games of\n"
         "their year and board in BASE; unknown ones are appended"},
        {"write", "BASE MOVES [QUERY] [--strict]",
         "the notifications of the games listed for the position into Outpbm/, each path\n"
         "written printed; with --strict, a game the notification cannot carry exactly refuses\n"
         "the run before anything is written"},
        {"import", "BASE FILE... [--transliterate] [--year Y]",
         "the games of RenjuNet (.rif), Gomocup (.psq) and SGF (.sgf) files, or of a folder's\n"
         "such files, into BASE; a game replaces only a game an earlier import brought.\n"
         "--transliterate writes names the code page cannot hold in Latin letters; --year Y is\n"
         "the year of .psq games (else the year of each file's date)"},
        {"export-sgf", "BASE MOVES [QUERY] OUT.sgf|FOLDER/",
         "the games listed for the position as one SGF collection, or one file per game in a\n"
         "folder"},
        {"recode", "BASE OUT --to CODEPAGE",
         "BASE, read in the settings' code page, written as OUT in CODEPAGE"},
        {"restore", "BASE [--yes]", "swap BASE with BASE.bak after a question (--yes answers it)"},
        {"forbidden", "MOVES [RULE]",
         "black's forbidden points as POINT:KIND (3x3, 4x4, overline), whichever side is to\n"
         "move; an empty line when there is none"},
        {"vcf", "MOVES [--length N] [--threat] [--nodes N] [RULE]",
         "the shortest victory by continuous fours of the side to move (--threat: of the other\n"
         "side) within N of its moves (16), or \"none within N\", or \"unknown (node limit)\""},
        {"check", "BASE [MOVES] [QUERY] [--missed-vcf N] [--won-without-five] [RULE]",
         "the listed games replayed under their rules, one line per finding: number, year and\n"
         "board, move N and what was found (forbidden moves, moves after the win, results the\n"
         "board contradicts); the base is not changed"},
#ifdef KALVON_CLI_DIAGRAM
        {"diagram",
         "BASE NUMBER OUT.(bmp|emf|png|svg) [--full] [--caption] [--commentary] [--num N] [--marks A98,C77]",
         "the truncated diagram of game NUMBER (1-based in the base) as the diagram window draws\n"
         "it, with the working folder's settings; needs no display"},
#endif
        {"help", "[COMMAND]", "this help, or the part of one command"},
    };
    return commands;
}

const TCommandHelp* Find(std::string_view name) {
    const auto& commands = Commands();
    const auto found = std::ranges::find(commands, name, &TCommandHelp::Name);
    return found == commands.end() ? nullptr : &*found;
}

// The synopsis with QUERY spelled out, as one usage line gives it.
std::string SpelledOut(std::string_view synopsis) {
    std::string text(synopsis);
    for (const auto& [name, spelled] : {std::pair<std::string_view, std::string_view>{"[QUERY]", Query},
                                        {"[RULE]", "[--rule renju|freestyle|standard]"}}) {
        const size_t at = text.find(name);
        if (at != std::string::npos) text.replace(at, name.size(), spelled);
    }
    return text;
}

std::string CommandPart(const TCommandHelp& command) {
    std::string text = Concat({"kalvon-cli ", command.Name, " ", command.Synopsis, "\n"});
    for (size_t start = 0; start < command.Text.size();) {
        const size_t end = std::min(command.Text.find('\n', start), command.Text.size());
        text += Concat({"    ", command.Text.substr(start, end - start), "\n"});
        start = end + 1;
    }
    return text;
}

constexpr std::string_view Arguments =
    "MOVES  point codes (88899A), or point texts separated by blanks or commas (\"H8 H9 J10\");\n"
    "       \"-\" is the empty board\n"
    "QUERY  --not-finished  --year Y  --player NAME [--colour all|black|white] [--opponent NAME]\n"
    "       --group C (one character; None for the blank group)\n"
    "RULE   --rule renju|freestyle|standard (renju: black's forbidden points, exactly five)\n"
    "\n"
    "add, update and write work in the working folder (add/, update/, Outpbm/), and every command\n"
    "reads the code page from ini/Tools.ini there. Arguments and output are UTF-8; the files stay in\n"
    "the code page.\n"
    "Exit status: 0 done, 1 a failure (nothing half-written), 2 bad arguments.\n";

// Levenshtein distance of two short words.
size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), size_t(0));
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::string Usage(std::string_view command) {
    const TCommandHelp* found = Find(command);
    if (!found) return "usage: kalvon-cli COMMAND ARGUMENTS... (kalvon-cli --help lists the commands)";
    return Concat({"usage: kalvon-cli ", found->Name, " ", SpelledOut(found->Synopsis)});
}

std::string Help(std::string_view command) {
    if (!command.empty()) {
        const TCommandHelp* found = Find(command);
        if (!found) return "";
        // The arguments it names, MOVES and QUERY, are told with it.
        const bool moves = found->Synopsis.find("MOVES") != std::string_view::npos;
        return Concat({CommandPart(*found), moves ? "\n" : "",
                       moves ? Arguments.substr(0, Arguments.find("\n\n") + 1) : ""});
    }
    std::string text =
        "kalvon-cli: the engine of Kalvon for scripts and batch work, printing the texts the program shows.\n"
        "\nusage: kalvon-cli COMMAND ARGUMENTS...\n       kalvon-cli --help | --version\n\n";
    for (const TCommandHelp& each : Commands()) text += CommandPart(each);
    return Concat({text, "\n", Arguments});
}

std::vector<std::string> CommandNames() {
    std::vector<std::string> names;
    for (const TCommandHelp& command : Commands()) names.emplace_back(command.Name);
    return names;
}

std::string NearestCommand(std::string_view typed) {
    std::string nearest;
    size_t best = typed.size() / 2 + 1;
    for (const TCommandHelp& command : Commands()) {
        const size_t distance = EditDistance(AsciiUpper(typed), AsciiUpper(command.Name));
        if (distance < best) {
            best = distance;
            nearest = command.Name;
        }
    }
    return nearest;
}

}  // namespace kalvon::cli
