// Reproducers of faults found by probing kalvon-cli with damaged bases, odd code pages, odd targets and
// odd arguments: one row each, with the bytes or files it starts from, what the tool must answer and
// what must be on disk afterwards.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <set>

#include "tests/cli/CliRun.h"
#include "tests/engine/TestBase.h"

namespace kalvon::test {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

struct TRow {
    const char* Name;
    std::string Settings;  // ini/Tools.ini, none when empty
    std::string Base;      // b.bdt
    std::vector<std::string> Args;
    int Status;
    std::vector<std::string> Err;  // each must stand in standard error
    std::string Out = "*";         // standard output; a final "*" stands for any rest
    // Makes what the row needs beside the base, and checks the folder afterwards.
    std::function<void(const TTempFolder&)> Prepare = {};
    std::function<void(const TTempFolder&)> Check = {};
};

std::ostream& operator<<(std::ostream& out, const TRow& row) {
    return out << row.Name;
}

const std::string Ivanov = "\xc8\xe2\xe0\xed\xee\xe2", Petrov = "\xcf\xe5\xf2\xf0\xee\xe2";  // Windows-1251
const std::string Game = "2000,1=[A,B,+,88,?,-]\r\n";
const std::string Damaged =
    "2003, 4715=[A,B\r\n2003,1=[Smith, John,Bob,+,...,K7,-]\r\n2003,2=[A,B,+,88,?,-]note\r\n";
// Games enough to fill the first 4 KB, where a NUL byte would make the file no base at all.
const std::string FourKilobytes = [] {
    std::string text;
    for (int g = 0; g < 200; ++g) text += "2000," + std::to_string(10000 + g) + "=[A,B,+,88,?,-]\r\n";
    return text;
}();
const std::string NulBase = FourKilobytes + "2000,1=[A,B,+,88,?,-]\n\0"s + "2000,2=[C,D,+,88,?,-]\r\n";
// The first bytes of a PNG picture, and a letter: no bases.
const std::string Png = "\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10"s;
const std::string Letter = "Dear Alice,\r\n\r\nsee you at the tournament.\r\n";

std::string Lines(const std::string& line, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += line;
    return text;
}

bool IsFifo(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
}

std::string Host() {
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    return host;
}

// Lines equal without regard to case; saved once, they come back in the order of their bytes.
const std::string CaseOnly = [] {
    std::string text;
    for (int i = 0; i < 20; ++i) text += std::string("2000,1=[A,B,") + "Ff"[i % 2] + ",88,?,-]\r\n";
    for (int i = 0; i < 20; ++i) text += std::string("200") + "xX"[i % 3 % 2] + ",1=[A,B,+,88,?,-]\r\n";
    return text;
}();
const std::string CaseOnlySaved =
    Lines("2000,    1=[A,B,F,88,?,-]\r\n", 10) + Lines("2000,    1=[A,B,f,88,?,-]\r\n", 10) +
    Lines("200X,    1=[A,B,+,88,?,-]\r\n", 7) + Lines("200x,    1=[A,B,+,88,?,-]\r\n", 13);

// 33 distinct points: one move deeper than the search index keeps.
const std::string DeepPosition = [] {
    std::string moves;
    for (int i = 0; i < 33; ++i) moves += {"123456789ABCDEF"[i % 15], "123"[i / 15]};
    return moves;
}();

// The tag "~PID~a1b2c3" of a temporary file left by a process that is gone.
const std::string& GoneTag() {
    static const std::string tag = [] {
        const pid_t child = fork();
        if (child == 0) _exit(0);
        waitpid(child, nullptr, 0);
        return "~" + std::to_string(child) + "~a1b2c3";
    }();
    return tag;
}

const std::vector<TRow>& Rows() {
    // One row per fault reads better than one field per line.
    // clang-format off
    static const std::vector<TRow> rows = {
        // Names the code page cannot decode stay apart, and loading says so once.
        {"UndecodableNamesStayApart", "Code Page=UTF-8",
         "2000,1=[" + Ivanov + ",x,+,88,?,-]\r\n2000,2=[" + Petrov + ",x,+,88,?,-]\r\n",
         {"resave", "b.bdt", "out.bdt"}, 0,
         {"b.bdt: 2 lines hold text that the code page UTF-8 cannot decode; the first is line 1."}, "", {},
         [](const TTempFolder& f) {
             EXPECT_EQ(ReadFile(f.File("out.bdt")), "2000,    1=[" + Ivanov + ",x,+,88,?,-]\r\n2000,    2=[" + Petrov +
                                                        ",x,+,88,?,-]\r\n");
         }},
        {"UndecodableNamesAreTwoPlayers", "Code Page=UTF-32",
         "2000,1=[" + Ivanov + ",x,+,88,?,-]\r\n", {"info", "b.bdt"}, 0,
         {"\"UTF-32\" does not keep ASCII as ASCII", "in windows-1251"}, "games: 1\nplayers: 2\nyears: 1\n"},
        {"Utf16Refused", "Code Page=UTF-16", Game, {"info", "b.bdt"}, 0, {"\"UTF-16\" does not keep ASCII"},
         "games: 1\nplayers: 2\nyears: 1\n"},
        {"EbcdicRefused", "Code Page=ibm-037", Game, {"info", "b.bdt"}, 0, {"\"ibm-037\" does not keep ASCII"},
         "games: 1\nplayers: 2\nyears: 1\n"},
        {"StatefulEbcdicRefused", "Code Page=ibm-930", Game, {"info", "b.bdt"}, 0, {"\"ibm-930\" does not keep"}},
        {"Bocu1Refused", "Code Page=BOCU-1", Game, {"info", "b.bdt"}, 0, {"\"BOCU-1\" does not keep"}},

        // A saved base saved again is the same file, however many lines are equal without regard to case.
        {"SaveOrderIsTotal", "", CaseOnly, {"resave", "b.bdt", "out.bdt"}, 0, {}, "", {},
         [](const TTempFolder& f) { EXPECT_EQ(ReadFile(f.File("out.bdt")), CaseOnlySaved); }},

        // A position deeper than the index that no game reaches.
        {"DeepPositionOnAnEmptyBase", "", "", {"stat", "b.bdt", DeepPosition}, 0, {}, "Total: 0\n*"},

        // Save targets: only an ordinary file with its write bit, or nothing, is replaced.
        {"SaveOntoAFifo", "", Game, {"resave", "b.bdt", "out.bdt"}, 1, {"out.bdt: it is not an ordinary file."}, "",
         [](const TTempFolder& f) { mkfifo(f.File("out.bdt").c_str(), 0666); },
         [](const TTempFolder& f) { EXPECT_TRUE(IsFifo(f.File("out.bdt"))); }},
        {"SaveOntoADeviceNode", "", Game, {"resave", "b.bdt", "null"}, 1, {"null: it is not an ordinary file."}, "",
         [](const TTempFolder& f) {
             if (mknod(f.File("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)  // as root only
                 mkfifo(f.File("null").c_str(), 0666);
         },
         [](const TTempFolder& f) { EXPECT_FALSE(fs::is_regular_file(f.File("null"))); }},
        {"SaveOntoADanglingLink", "", Game, {"resave", "b.bdt", "out.bdt"}, 1, {"out.bdt: it is a link that leads to no file"},
         "", [](const TTempFolder& f) { fs::create_symlink("missing.bdt", f.File("out.bdt")); },
         [](const TTempFolder& f) {
             EXPECT_TRUE(fs::is_symlink(f.File("out.bdt")));
             EXPECT_FALSE(fs::exists(f.File("missing.bdt")));
         }},
        {"SaveOntoALinkLoop", "", Game, {"resave", "b.bdt", "out.bdt"}, 1, {"it is a link that leads to no file"}, "",
         [](const TTempFolder& f) { fs::create_symlink("out.bdt", f.File("out.bdt")); },
         [](const TTempFolder& f) { EXPECT_TRUE(fs::is_symlink(f.File("out.bdt"))); }},
        {"SaveOntoAWriteProtectedFile", "", Game, {"resave", "b.bdt", "out.bdt"}, 1, {"out.bdt: the file is write-protected."},
         "",
         [](const TTempFolder& f) {
             WriteFile(f.File("out.bdt"), "old\r\n");
             chmod(f.File("out.bdt").c_str(), 0444);
         },
         [](const TTempFolder& f) { EXPECT_EQ(ReadFile(f.File("out.bdt")), "old\r\n"); }},
        {"SaveThroughALinkKeepsTheLink", "", Game, {"resave", "b.bdt", "link.bdt"}, 0, {}, "",
         [](const TTempFolder& f) {
             WriteFile(f.File("real.bdt"), "old\r\n");
             fs::create_symlink("real.bdt", f.File("link.bdt"));
         },
         [](const TTempFolder& f) {
             EXPECT_TRUE(fs::is_symlink(f.File("link.bdt")));
             EXPECT_EQ(ReadFile(f.File("real.bdt")), "2000,    1=[A,B,+,88,?,-]\r\n");
         }},

        // Only ordinary files are read, and only what fits in memory.
        {"BaseIsAFifo", "", "", {"info", "fifo.bdt"}, 1, {"fifo.bdt: it is not an ordinary file."}, "",
         [](const TTempFolder& f) { mkfifo(f.File("fifo.bdt").c_str(), 0666); }},
        {"BaseIsAFolder", "", "", {"info", "."}, 1, {"Cannot read file .: it is not an ordinary file."}, ""},
        {"BaseTooLargeForMemory", "", "", {"info", "huge.bdt"}, 1, {"File huge.bdt is too large to be loaded into memory."},
         "", [](const TTempFolder& f) {
             // A sparse file larger than the machine's memory takes no room on the disk.
             const auto memory = uint64_t(sysconf(_SC_PHYS_PAGES)) * uint64_t(sysconf(_SC_PAGE_SIZE));
             WriteFile(f.File("huge.bdt"), "");
             fs::resize_file(f.File("huge.bdt"), memory + (uint64_t(1) << 30));
         }},
        {"SettingsLinkToADevice", "", Game, {"info", "b.bdt"}, 0,
         {"ini/Tools.ini: it is not an ordinary file. Names are read and written in windows-1251."},
         "games: 1\nplayers: 2\nyears: 1\n",
         [](const TTempFolder& f) {
             fs::create_directory(f.File("ini"));
             fs::create_symlink("/dev/zero", f.File("ini/Tools.ini"));
         }},

        // Temporary files of killed saves: those of this file, this host and a gone process are removed.
        {"StaleTemporaryFilesRemoved", "", Game, {"resave", "b.bdt", "out.bdt"}, 0, {}, "",
         [](const TTempFolder& f) {
             for (const std::string& name : {"out.bdt.kalvon-save~" + Host() + GoneTag(), "out.bdt.kalvon-save~" + Host() + "~1~a1b2c3",
                                             "out.bdt.kalvon-save~elsewhere" + GoneTag(), "b.bdt.kalvon-save~" + Host() + GoneTag()})
                 WriteFile(f.File(name), "half a base");
         },
         [](const TTempFolder& f) {
             std::set<std::string> names;
             for (const auto& entry : fs::directory_iterator(f.Path())) names.insert(entry.path().filename());
             // The writers' lock file stays beside the base for good.
             EXPECT_EQ(names, (std::set<std::string>{"b.bdt", "out.bdt", "out.bdt.lock", "out.bdt.kalvon-save~" + Host() + "~1~a1b2c3",
                                                     "out.bdt.kalvon-save~elsewhere" + GoneTag(),
                                                     "b.bdt.kalvon-save~" + Host() + GoneTag()}))
                 << "only the file of this host, this target and a gone process goes";
         }},

        // A NUL byte ends the text: loading says where, and the base is not saved over itself.
        {"NulIsReported", "", FourKilobytes + Game + "2000,2=[C\0D,+,88,?,-]\r\n"s + Game, {"info", "b.bdt"}, 0,
         {"File b.bdt: the text ends at a NUL byte in line 202; the lines after it are not loaded."}, "games: 202\n*"},
        {"NulBaseNotSavedOverItself", "", NulBase, {"resave", "b.bdt", "b.bdt"}, 1, {"line 202;", "b.bdt is not rewritten"},
         "", {}, [](const TTempFolder& f) { EXPECT_EQ(ReadFile(f.File("b.bdt")), NulBase); }},

        // A file that is no base is refused by every verb that reads one, and nothing is written.
        {"PictureIsNoBase", "", Png, {"info", "b.bdt"}, 1, {"b.bdt is not a Kalvon base: it holds a NUL byte in its first 4 KB.\n"}, ""},
        {"PictureIsNotResaved", "", Png, {"resave", "b.bdt", "out.bdt"}, 1, {"b.bdt is not a Kalvon base: it holds a NUL byte"}, "",
         {}, [](const TTempFolder& f) { EXPECT_FALSE(fs::exists(f.File("out.bdt"))); }},
        {"LetterIsNoBase", "", Letter, {"stat", "b.bdt", "-"}, 1,
         {"b.bdt is not a Kalvon base: no line of it reads as a game (YEAR, BOARD=[...]).\n"}, ""},
        {"LetterIsNotAddedTo", "", Letter, {"add", "b.bdt"}, 1, {"b.bdt is not a Kalvon base: no line of it reads as a game"}, "",
         [](const TTempFolder& f) { fs::create_directory(f.File("add")); },
         [](const TTempFolder& f) { EXPECT_EQ(ReadFile(f.File("b.bdt")), Letter); }},
        {"LetterIsNotUpdated", "", Letter, {"update", "b.bdt"}, 1, {"b.bdt is not a Kalvon base"}, "",
         [](const TTempFolder& f) { fs::create_directory(f.File("update")); },
         [](const TTempFolder& f) { EXPECT_EQ(ReadFile(f.File("b.bdt")), Letter); }},
        {"LongLetterIsNoBase", "", Lines("word\r\n", 150) + Game, {"info", "b.bdt"}, 1,
         {"b.bdt is not a Kalvon base: none of its first 100 lines that are not empty reads as a game"}, ""},
        {"OneGameAfterNinetyNineOtherLinesIsABase", "", Lines("word\r\n", 99) + Game, {"info", "b.bdt"}, 0, {},
         "games: 100\n*"},
        {"EmptyFileIsAnEmptyBase", "", "", {"info", "b.bdt"}, 0, {}, "games: 0\n*"},
        {"BlankFileIsAnEmptyBase", "", "\r\n  \r\n", {"info", "b.bdt"}, 0, {}, "games: 0\n*"},

        // Lines with an empty result: ten told one by one, the rest in one line.
        {"EmptyResultsCollected", "", Game + Lines("garbage\r\n", 15), {"info", "b.bdt"}, 0,
         {"File b.bdt, line 2: the result is empty", "File b.bdt, line 11: the result is empty",
          "File b.bdt: 5 more lines had an empty result; the first of them is line 12.\n"},
         "games: 16\nplayers: 3\nyears: 2\n"},

        // Nothing is written through a link: a name in Outpbm that is no ordinary file passes to the
        // next free name, and an Outpbm that leads elsewhere is refused.
        {"WriteDoesNotFollowALinkInOutpbm", "", Game, {"write", "b.bdt", "-"}, 0,
         {"Outpbm/Renju Board 1_00.txt is not an ordinary file: the game went to Outpbm/Renju Board 1_00 (2).txt."},
         "Outpbm/Renju Board 1_00 (2).txt\n",
         [](const TTempFolder& f) {
             fs::create_directory(f.File("Outpbm"));
             fs::create_symlink("../b.bdt", f.File("Outpbm/Renju Board 1_00.txt"));
         },
         [](const TTempFolder& f) {
             EXPECT_EQ(ReadFile(f.File("b.bdt")), Game);
             EXPECT_TRUE(fs::is_symlink(f.File("Outpbm/Renju Board 1_00.txt")));
         }},
        // A written path is printed as the file system holds it: a name whose code-page bytes are
        // UTF-8 as they stand shows as ls shows it; others show the code page's characters.
        {"WrittenPathsAsTheFileSystemHoldsThem", "", "2003,\xd0\x96=[A,B,+,88,?,-]\r\n2003,\xc8" "1=[A,B,+,88,?,-]\r\n",
         {"write", "b.bdt", "-"}, 0, {"kalvon-cli: not carried exactly: Outpbm/Renju Board \xd0\x96_03.txt: the result"},
         "Outpbm/Renju Board \xd0\x96_03.txt\nOutpbm/Renju Board \xd0\x98" "1_03.txt\n", {},
         [](const TTempFolder& f) {
             EXPECT_TRUE(fs::exists(f.File("Outpbm/Renju Board \xd0\x96_03.txt")));
             EXPECT_TRUE(fs::exists(f.File("Outpbm/Renju Board \xc8" "1_03.txt")));
         }},
        {"OutpbmThatIsALinkIsRefused", "", Game, {"write", "b.bdt", "-"}, 1, {"it is not a folder of its own"}, "",
         [](const TTempFolder& f) {
             fs::create_directory(f.File("elsewhere"));
             fs::create_directory_symlink("elsewhere", f.File("Outpbm"));
         },
         [](const TTempFolder& f) { EXPECT_TRUE(fs::is_empty(f.File("elsewhere"))); }},
        // Keys of Update Games are equal only when they are equal bytes but for ASCII letter case: a soft
        // hyphen is a character of its own.
        {"UpdateKeysDifferingByASoftHyphen", "", "2003,\xc4" "1234=[A,B,+,88,?,-]\r\n", {"update", "b.bdt"}, 0, {}, "",
         [](const TTempFolder& f) {
             fs::create_directory(f.File("update"));
             WriteFile(f.File("update/x_03.txt"),
                       "Notification of Gomoku Board \xc4" "12\xad" "34\r\n\r\nGame won by C.\r\n\r\n"
                       "   Eks          Ohs\r\n   C        D\r\n  1 H8         2 Resign\r\n\r\n");
         },
         [](const TTempFolder& f) {
             EXPECT_EQ(ReadFile(f.File("b.bdt")), "2003,\xc4" "1234=[A,B,+,88,?,-]\r\n2003,\xc4" "12\xad" "34=[C,D,+,88,?,-]\r\n");
         }},

        {"AddThatIsAFileIsRefused", "", Game, {"add", "b.bdt"}, 1, {"/add: it is not a folder.\n"}, "",
         [](const TTempFolder& f) { WriteFile(f.File("add"), "notes"); },
         [](const TTempFolder& f) { EXPECT_EQ(ReadFile(f.File("b.bdt")), Game); }},

        // Messages say what a path is and show control characters instead of sending them on.
        {"ReadOfAFolderSaysItIsAFolder", "", Game, {"read", "dir"}, 1, {"File dir: cannot be read: it is a folder, not a file\n"},
         "", [](const TTempFolder& f) { fs::create_directory(f.File("dir")); }},
        {"ReadOfADeviceSaysItIsADevice", "", Game, {"read", "/dev/zero"}, 1,
         {"File /dev/zero: cannot be read: it is a device, not a file\n"}, ""},
        {"ControlCharactersShownInARefusal", "", Game, {"read", "n\x1b.txt"}, 1,
         {"File n\\x1b.txt, line 6: ", ": \"A\\x1b[31mX\"\n"}, "",
         [](const TTempFolder& f) {
             WriteFile(f.File("n\x1b.txt"), "Notification of Gomoku Board 1\r\n\r\nGame won by A.\r\n\r\n   Eks          Ohs\r\n"
                                            "   A\x1b[31mX  B\r\n  1 H8         2 Resign\r\n");
         }},
        {"LongCodePageQuotedShort", "Code Page=" + Lines("x", 100000), Game, {"info", "b.bdt"}, 0,
         {"Unknown code page \"" + Lines("x", 60) + "...\" (\"Code Page\""}, "games: 1\n*"},
        {"BaseNamedByBytesThatAreNotUtf8Opens", "", Game, {"info", "b\xff.bdt"}, 0, {}, "games: 1\n*",
         [](const TTempFolder& f) { WriteFile(f.File("b\xff.bdt"), Game); }},

        // Damaged lines: loading names them, a resave onto the base itself refuses, into another file
        // it shows what a save makes of them; add and update keep them byte for byte.
        {"DamagedLinesNotSavedOverThemselves", "", Damaged, {"resave", "b.bdt", "b.bdt"}, 1,
         {"File b.bdt: 3 lines are damaged and would lose text when saved (line 1: no closing \"]\"; line 2: 7 "
          "fields between the brackets instead of six; line 3: text after the \"]\").",
          "b.bdt is not rewritten: The base has 3 damaged lines, first line 1: no closing \"]\". Resave it to "
          "another file"},
         "", {}, [](const TTempFolder& f) { EXPECT_EQ(ReadFile(f.File("b.bdt")), Damaged); }},
        {"DamagedLinesResavedElsewhere", "", Damaged, {"resave", "b.bdt", "out.bdt"}, 0, {"3 lines are damaged"}, "",
         {}, [](const TTempFolder& f) {
             EXPECT_EQ(ReadFile(f.File("out.bdt")),
                       "2003,    1=[Smith, John,B,+,...,-]\r\n2003,    2=[A,B,+,88,?,-]\r\n"
                       "2003, 4715=[A,,?,,?,-]\r\n");
         }},
        {"DamagedLinesKeptByAdd", "", Damaged, {"add", "b.bdt"}, 0, {}, "",
         [](const TTempFolder& f) { fs::create_directory(f.File("add")); },
         [](const TTempFolder& f) { EXPECT_EQ(ReadFile(f.File("b.bdt")), Damaged); }},

        // Arguments.
        {"EmptyMoves", "", Game, {"stat", "b.bdt", ""}, 2, {"kalvon-cli: no moves in \"\""}, ""},
        {"BlankMoves", "", Game, {"stat", "b.bdt", " "}, 2, {"no moves in"}, ""},
        {"OnlyCommas", "", Game, {"stat", "b.bdt", ",,,"}, 2, {"no moves in \",,,\""}, ""},
        {"PlayerNotUtf8", "", Game, {"stat", "b.bdt", "-", "--player", "\xff"}, 2, {"not UTF-8 text"}, ""},
        {"OpponentNotUtf8", "", Game, {"stat", "b.bdt", "-", "--player", "A", "--opponent", "N\xc3"}, 2,
         {"not UTF-8 text"}, ""},
        {"GroupOfTwoCharacters", "", Game, {"stat", "b.bdt", "-", "--group", "ab"}, 2,
         {"--group takes one character or None, not \"ab\""}, ""},
        {"LongArgumentQuotedShort", "", Game, {"stat", "b.bdt", Lines("H8 ", 40) + "Z99 " + Lines("H9 ", 40000)}, 2,
         {"not a point of the board: \"Z99\""}, ""},
        {"LongOptionQuotedShort", "", Game, {"stat", "b.bdt", "-", "--" + Lines("\xd0\x96", 30000)}, 2,
         {"unknown option \"--" + Lines("\xd0\x96", 58) + "...\"\n"}, ""},
    };
    // clang-format on
    return rows;
}

class Reliability : public ::testing::TestWithParam<TRow> {};

TEST_P(Reliability, Row) {
    const TRow& row = GetParam();
    TTempFolder folder;
    if (!row.Settings.empty()) {
        fs::create_directory(folder.File("ini"));
        WriteFile(folder.File("ini/Tools.ini"), "[Parameters]\r\n" + row.Settings + "\r\n");
    }
    WriteFile(folder.File("b.bdt"), row.Base);
    if (row.Prepare) row.Prepare(folder);
    const TCliResult result = RunCli(folder.Path(), row.Args);
    EXPECT_EQ(result.Status, row.Status) << result.Err;
    for (const std::string& part : row.Err) EXPECT_NE(result.Err.find(part), std::string::npos) << result.Err;
    EXPECT_LE(result.Err.size(), 2000u) << "messages quote at most a few dozen characters of an argument";
    if (!row.Out.empty() && row.Out.back() == '*')
        EXPECT_EQ(result.Out.substr(0, row.Out.size() - 1), row.Out.substr(0, row.Out.size() - 1));
    else
        EXPECT_EQ(result.Out, row.Out);
    if (row.Check) row.Check(folder);
    if (result.Status != 0) {
        for (const auto& entry : fs::directory_iterator(folder.Path()))
            EXPECT_EQ(entry.path().filename().string().find(".kalvon-save~"), std::string::npos)
                << "no temporary file";
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, Reliability, ::testing::ValuesIn(Rows()),
                         [](const ::testing::TestParamInfo<TRow>& row) {
                             return std::string(row.param.Name);
                         });

}  // namespace
}  // namespace kalvon::test
