// Loading, adding, saving and deleting games of a base file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <random>
#include <tuple>

#include "base/BaseEdits.h"
#include "base/BaseFile.h"
#include "base/BaseLine.h"
#include "base/GameTexts.h"
#include "base/LineFields.h"
#include "base/PointCodes.h"
#include "base/SafeFile.h"
#include "base/TextFields.h"
#include "base/TextPolicy.h"
#include "tests/engine/TestBase.h"

namespace kalvon {
namespace {

using test::ReadFile;
using test::TRecordingUi;
using test::TTempFolder;
using test::WriteFile;

class BaseFile : public ::testing::Test {
protected:
    void SetUp() override { SetTextPolicy(DefaultCodePage, ""); }
    // Loads the text as a base file and returns it.
    TGameBase Load(const std::string& content) {
        WriteFile(Folder.File("base.bdt"), content);
        TGameBase base;
        EXPECT_TRUE(LoadBase(base, Folder.File("base.bdt"), Ui));
        return base;
    }
    std::string Save(const TGameBase& base) {
        EXPECT_TRUE(SaveBase(base, Folder.File("saved.bdt"), Ui));
        return ReadFile(Folder.File("saved.bdt"));
    }
    std::vector<std::string> Names(const TGameBase& base) {
        std::vector<std::string> names;
        for (int32_t id = 1; id <= int32_t(base.PlayerCatalogue.PlayerRecords.size()); ++id)
            names.push_back(PlayerName(base, id));
        return names;
    }
    static TGameBase OneGame() {
        TGameBase base;
        AddBaseLine(base, "2000,1=[A,B,+,88,?,-]");
        return base;
    }
    // The files of the folder but the writers' lock file and the previous generation, which a save
    // leaves beside the base on purpose.
    long FilesInFolder() const {
        return std::count_if(std::filesystem::directory_iterator(Folder.Path()), {}, [](const auto& entry) {
            const std::string name = entry.path().filename().string();
            return !name.ends_with(".lock") && !name.ends_with(".bak");
        });
    }
    TTempFolder Folder;
    TRecordingUi Ui;
};

TEST_F(BaseFile, ReadsEveryFieldOfALine) {
    TGameBase base = Load("2003, 4711=[Nord,Sud,+,888999,j9,R]\r\n");
    ASSERT_EQ(base.PartyList.size(), 1u);
    const TPartyRecord& party = base.PartyList[0];
    EXPECT_EQ(party.Year, "2003");
    EXPECT_EQ(party.Board, " 4711");
    EXPECT_EQ(PlayerName(base, party.BlackId), "Nord");
    EXPECT_EQ(PlayerName(base, party.WhiteId), "Sud");
    EXPECT_EQ(party.Result, '+');
    EXPECT_EQ(party.Moves, "888999");
    EXPECT_EQ(party.Alt, "j9");
    EXPECT_TRUE(party.Reverse);
    EXPECT_TRUE(Ui.Messages.empty());
}

TEST_F(BaseFile, KeepsTheOddFieldsAsTheyStand) {
    TGameBase base =
        Load("1999,123=[A,B,-,88,  ,r]\n2000,abcdef=[A,B,=,,?,-]\r2001,  7=[A,B,?,88, k1 ,-]\n\n");
    ASSERT_EQ(base.PartyList.size(), 3u);
    EXPECT_EQ(base.PartyList[0].Board, "  123") << "three characters get two leading spaces";
    EXPECT_EQ(base.PartyList[0].Alt, "?") << "an all-blank alternative is none";
    EXPECT_FALSE(base.PartyList[0].Reverse) << "only an upper-case R is the flag";
    EXPECT_EQ(base.PartyList[1].Board, "abcdef");
    EXPECT_EQ(base.PartyList[1].Moves, "");
    EXPECT_EQ(base.PartyList[2].Alt, " k1 ") << "an alternative is kept untrimmed";
    EXPECT_EQ(Save(base),
              "1999,  123=[A,B,-,88,?,-]\r\n2000,abcdef=[A,B,=,,?,-]\r\n2001,    7=[A,B,?,88, k1 ,-]\r\n");
}

TEST_F(BaseFile, CataloguesIgnoreLetterCaseAndKeepTheFirstSpelling) {
    TGameBase base = Load(
        "2001,1=[nord,Zed,+,88,?,-]\n2001,2=[NORD,alpha,-,88,?,-]\n2000,3=[Alpha,Nord,=,88,?,-]\n"
        "2001,4=[\xcf\xe5\xf2\xf0,\xcf\xc5\xd2\xd0,?,88,?,-]\n");
    EXPECT_EQ(Names(base), (std::vector<std::string>{"alpha", "nord", "Zed", "\xcf\xe5\xf2\xf0"}))
        << "ids follow the sorted names; Latin before Cyrillic in the root collation";
    EXPECT_EQ(base.PartyList[1].BlackId, base.PartyList[0].BlackId);
    EXPECT_EQ(base.PartyList[3].BlackId, base.PartyList[3].WhiteId);
    EXPECT_EQ(base.TurnCatalogue.TurnNames.Items(), (std::vector<std::string>{"2000", "2001"}));
    EXPECT_EQ(base.PlayerCatalogue.IdOf("ALPHA"), 1);
    EXPECT_EQ(base.PlayerCatalogue.IdOf("nobody"), 0);
    // Saving writes the surviving spelling on every line.
    EXPECT_EQ(Save(base),
              "2000,    3=[alpha,nord,=,88,?,-]\r\n2001,    1=[nord,Zed,+,88,?,-]\r\n"
              "2001,    2=[nord,alpha,-,88,?,-]\r\n"
              "2001,    4=[\xcf\xe5\xf2\xf0,\xcf\xe5\xf2\xf0,?,88,?,-]\r\n");
}

TEST_F(BaseFile, PlayersAddedLaterAreNumberedAfterTheLoadedOnes) {
    std::string content;
    for (int i = 0; i < 12; ++i)
        content += "2000,1=[P" + std::to_string(10 + i) + ",P" + std::to_string(10 + i) + ",+,88,?,-]\n";
    TGameBase base = Load(content);
    ASSERT_EQ(base.PlayerCatalogue.PlayerRecords.size(), 12u);
    AddBaseLine(base, "2026,   77=[AAA,Zz,-,8889,?,-]");
    AddBaseLine(base, "2026,   78=[zz,p10,-,8889,?,-]");
    EXPECT_EQ(base.PartyList[12].BlackId, 13) << "a new black player is n + 1 even when it sorts first";
    EXPECT_EQ(base.PartyList[12].WhiteId, 14) << "and a new white player of the same line n + 2";
    EXPECT_EQ(base.PartyList[13].BlackId, 14);
    EXPECT_EQ(base.PartyList[13].WhiteId, 1);
    EXPECT_EQ(base.PlayerCatalogue.PlayerNames.Items().front(), "AAA") << "the names stay sorted";
    EXPECT_TRUE(base.TurnCatalogue.Contains("2026"));
    EXPECT_EQ(FormatBaseLine(base, base.PartyList[12]), "2026,   77=[AAA,Zz,-,8889,?,-]");
}

TEST_F(BaseFile, MissingFileChangesNothing) {
    TGameBase base = OneGame();
    EXPECT_FALSE(LoadBase(base, "games.bdt", Ui));
    EXPECT_EQ(Ui.Messages, (std::vector<std::string>{"File games.bdt not Found!"}));
    EXPECT_EQ(base.PartyList.size(), 1u);
    EXPECT_EQ(Ui.Shown, 0) << "no progress window for a missing file";
}

TEST_F(BaseFile, EmptyResultGivesTheLineNumberAndKeepsTheGame) {
    TGameBase base = Load("2000,1=[A,B,+,88,?,-]\n\n2000,2=[A,B,,8889,?,-]\n");
    // A save writes "?" for the empty result, so the line also counts as damaged.
    EXPECT_EQ(Ui.Messages,
              (std::vector<std::string>{"3", "File " + Folder.File("base.bdt") +
                                                 ": 1 line is damaged and would lose text when saved "
                                                 "(line 3: the result is empty)."}))
        << "blank lines count";
    ASSERT_EQ(base.PartyList.size(), 2u);
    EXPECT_EQ(base.PartyList[1].Result, '?');
    EXPECT_EQ(base.PartyList[1].Moves, "8889");
}

TEST_F(BaseFile, MalformedLinesLoadWithoutHarm) {
    std::string garbage;
    std::mt19937 random(3);
    for (int i = 0; i < 5000; ++i) garbage += char(random() % 255 + 1);
    const std::string content =
        "no equals sign\n2000,1=[A,B,+,8889,?,-\n" + garbage + "\n2000,2=[C,D,-,88,?,-]\n";
    TGameBase base = Load(content);
    ASSERT_GE(base.PartyList.size(), 3u);
    EXPECT_EQ(base.PartyList[0].Year, "no equals sign");
    EXPECT_EQ(base.PartyList[0].Board, "     ");
    EXPECT_EQ(base.PartyList[0].Moves, "");
    EXPECT_EQ(Ui.Messages.front(), "1");
    EXPECT_FALSE(base.PartyList[1].Reverse) << "without ] the last character, the flag, is lost";
    EXPECT_EQ(base.PartyList[1].Alt, "?");
    EXPECT_EQ(base.PartyList.back().Moves, "88");
    // Whatever came in, a save and a reload give the same file again.
    const std::string saved = Save(base);
    TGameBase again = Load(saved);
    EXPECT_EQ(Save(again), saved);
}

TEST_F(BaseFile, NulEndsTheTextAndLongLinesAreRead) {
    TGameBase base =
        Load(std::string("2000,1=[A,B,+,88,?,-]\n2000,2=[C,D\0,-,88,?,-]\n2000,3=[E,F,+,88,?,-]\n", 64));
    ASSERT_EQ(base.PartyList.size(), 2u);
    EXPECT_EQ(PlayerName(base, base.PartyList[1].BlackId), "C");
    const std::string longMoves(10'000'000, '8');
    TGameBase big = Load("2000,1=[A,B,+," + longMoves + ",?,-]");
    ASSERT_EQ(big.PartyList.size(), 1u);
    EXPECT_EQ(big.PartyList[0].Moves.size(), longMoves.size());
}

TEST_F(BaseFile, ProgressMovesAtMostAHundredTimesToTheEnd) {
    std::string content;
    for (int i = 0; i < 1000; ++i) content += "2000," + std::to_string(i) + "=[A,B,+,88,?,-]\n";
    Load(content);
    EXPECT_EQ(Ui.Shown, 1);
    EXPECT_EQ(Ui.Hidden, 1);
    ASSERT_LE(Ui.Positions.size(), 101u);
    EXPECT_EQ(Ui.Positions.front(), 1);
    EXPECT_EQ(Ui.Positions.back(), 100);
    EXPECT_TRUE(std::is_sorted(Ui.Positions.begin(), Ui.Positions.end()));
    TRecordingUi blank;
    WriteFile(Folder.File("blank.bdt"), "\n  \r\n\t\n");
    TGameBase empty;
    EXPECT_TRUE(LoadBase(empty, Folder.File("blank.bdt"), blank));
    EXPECT_TRUE(empty.PartyList.empty());
    EXPECT_EQ(blank.Shown, 1);
    EXPECT_EQ(blank.Hidden, 1);
}

TEST_F(BaseFile, SavedBaseComesBackByteForByte) {
    // Random games with local names: a save, a load and a save give the same bytes.
    std::mt19937 random(11);
    TGameBase base;
    const std::vector<std::string> names = {
        "Nord", "\xcf\xe5\xf2\xf0\xee\xe2", "ivanov", "Ivanov2", "\xc0\xed\xed\xe0", "O'Neil", "de la Cruz",
        "x"};
    for (int i = 0; i < 500; ++i) {
        std::string moves;
        for (int m = int(random() % 30); m > 0; --m)
            moves += {PointDigits[random() % 15], PointDigits[random() % 15]};
        AddBaseLine(base, std::to_string(1995 + random() % 5) + "," + std::to_string(random() % 100000) +
                              "=[" + names[random() % names.size()] + "," + names[random() % names.size()] +
                              "," + "+-=?Ff"[random() % 6] + "," + moves + "," +
                              (random() % 5 ? "?" : "h10") + "," + (random() % 7 ? "-" : "R") + "]");
    }
    const std::string first = Save(base);
    TGameBase loaded = Load(first);
    EXPECT_EQ(loaded.PartyList.size(), 500u);
    EXPECT_EQ(Save(loaded), first);
}

TEST_F(BaseFile, SaveSortsWholeLinesWithoutRegardToCase) {
    TGameBase base;
    AddBaseLine(base, "2001,   10=[zed,a,+,88,?,-]");
    AddBaseLine(base, "2000,   11=[Bob,a,+,88,?,-]");
    AddBaseLine(base, "2000,   11=[alice,a,+,88,?,-]");
    AddBaseLine(base, "2000,   11=[alice,a,+,88,?,-]");
    EXPECT_EQ(Save(base),
              "2000,   11=[alice,a,+,88,?,-]\r\n2000,   11=[alice,a,+,88,?,-]\r\n"
              "2000,   11=[Bob,a,+,88,?,-]\r\n2001,   10=[zed,a,+,88,?,-]\r\n");
    EXPECT_EQ(base.PartyList[0].Board, "   10") << "saving leaves the order in memory alone";
}

TEST_F(BaseFile, SaveOrdersLinesThatShareALongStartAsWholeLines) {
    // Lines that agree in their first dozen or more letters, where the packed start of a line cannot
    // decide the order: each saved line is at most the next one, by collation and then by bytes.
    std::mt19937 random(5);
    const std::vector<std::string> names = {"Ivanov",
                                            "IVANOV",
                                            "Ivanova",
                                            "Ivanov-Petrov",
                                            "Ivanovich",
                                            "ivanov2",
                                            "\xc8\xe2\xe0\xed\xee\xe2",
                                            "Ivan ov",
                                            "Ivanov\xad"};
    TGameBase base;
    for (int i = 0; i < 300; ++i)
        AddBaseLine(base, std::string("2000,   11=[") + names[random() % names.size()] + "," +
                              names[random() % names.size()] + "," + "+-="[random() % 3] + ",88" +
                              (random() % 2 ? "97" : "79") + ",?,-]");
    const std::string saved = Save(base);
    const std::vector<std::string_view> lines = SplitLines(saved);
    ASSERT_GE(lines.size(), 300u);
    for (size_t i = 1; i < 300; ++i) {
        const int order = TextPolicy().Compare(lines[i - 1], lines[i]);
        EXPECT_TRUE(order < 0 || (order == 0 && lines[i - 1] <= lines[i]))
            << lines[i - 1] << " before " << lines[i];
    }
}

TEST_F(BaseFile, FailedSaveReportsTheReasonAndKeepsTheOldFile) {
    TGameBase base = OneGame();
    const std::string path = Folder.File("old.bdt");
    WriteFile(path, "old content\r\n");
    chmod(path.c_str(), 0444);
    EXPECT_FALSE(SaveBase(base, path, Ui)) << "refused by its write bit, root or not";
    ASSERT_EQ(Ui.Messages.size(), 1u);
    EXPECT_NE(Ui.Messages[0].find("old.bdt: the file is write-protected"), std::string::npos)
        << Ui.Messages[0];
    EXPECT_EQ(ReadFile(path), "old content\r\n");

    // A writable file in a folder where no temporary file can be made: the message names the folder.
    // Root may make files anywhere, so that save runs as an ordinary user.
    chmod(path.c_str(), 0666);
    chmod(Folder.Path().c_str(), 0555);
    auto save = [&] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return 3;
        TRecordingUi ui;
        if (SaveBase(base, path, ui) || ui.Messages.size() != 1) return 1;
        return ui.Messages[0].find("folder " + Folder.Path().string() + ": Permission denied") !=
                       std::string::npos
                   ? 0
                   : 2;
    };
    int outcome;
    if (geteuid() == 0) {
        const pid_t child = fork();
        if (child == 0) _exit(save());
        int status = 0;
        waitpid(child, &status, 0);
        outcome = WIFEXITED(status) ? WEXITSTATUS(status) : 4;
    } else {
        outcome = save();
    }
    EXPECT_EQ(outcome, 0)
        << "1: the save did not fail with one message; 2: the message does not name the folder";
    EXPECT_EQ(ReadFile(path), "old content\r\n");
    EXPECT_EQ(FilesInFolder(), 1) << "no stray files";
}

// A save keeps the file it replaces as the .bak beside it; a load remembers which file it read, so
// that a later save can tell whether another program changed it: a touch that keeps the bytes is no
// change, a game added is.
TEST_F(BaseFile, SaveKeepsThePreviousFileAndALoadKnowsWhatItRead) {
    const std::string path = Folder.File("base.bdt");
    WriteFile(path, "2000,1=[A,B,+,88,?,-]\r\n");
    TGameBase base;
    TLoadReport report;
    ASSERT_TRUE(LoadBase(base, path, Ui, report));
    EXPECT_TRUE(report.Identity.HasChecksum);
    EXPECT_TRUE(UnchangedSince(report.Identity, path));
    const std::string copy = Folder.File("copy");
    std::filesystem::copy_file(path, copy);
    std::filesystem::rename(copy, path);
    EXPECT_TRUE(UnchangedSince(report.Identity, path)) << "another file of the same bytes";
    WriteFile(path, "2000,1=[A,B,+,88,?,-]\r\n2000,2=[A,B,+,88,?,-]\r\n");
    EXPECT_FALSE(UnchangedSince(report.Identity, path));

    ASSERT_TRUE(SaveBase(base, path, Ui));
    EXPECT_EQ(ReadFile(path + ".bak"), "2000,1=[A,B,+,88,?,-]\r\n2000,2=[A,B,+,88,?,-]\r\n");
    EXPECT_EQ(ReadFile(path), "2000,    1=[A,B,+,88,?,-]\r\n");
    std::filesystem::remove(path);
    EXPECT_FALSE(UnchangedSince(report.Identity, path)) << "a file that is gone has changed";
}

// Which lines a save would not write back as they stand, and why; normalisations are no damage.
TEST(BaseLineDamage, FaultsThatLoseTextAndNormalisationsThatDoNot) {
    const std::pair<const char*, const char*> rows[] = {
        {"2003, 4711=[A,B,+,88,?,-]", nullptr},
        {"2003,1=[A,B,+,88,j9,R]", nullptr},          // an unpadded board is padded, nothing else changes
        {"2003,  123456=[A,B,F,,H8-J9,-]", nullptr},  // a long board and no moves stand as they are
        {"2003, 4715=[A,B", "no closing \"]\""},
        {"2003,1=[A,B,+,88,?,-]note", "text after the \"]\""},
        {"2003,1=[A,B,+,88,?,-,note]", "7 fields between the brackets instead of six"},
        {"2003,1=[A,B,+,88]", "4 fields between the brackets instead of six"},
        {"2003,1=A,B,+,88,?,-]", "no \"[\" after the \"=\""},
        {"2003 1=[A,B,+,88,?,-]", "no \",\" between the year and the board"},
        {"garbage", "no \"=\""},
        // What a save would rewrite in the fields.
        {"2003,1=[A,B,,88,?,-]", "the result is empty"},
        {"2003,1=[A,B,1-0,88,?,-]", "the result \"1-0\" is none of + - = F f ?"},
        {"2003,1=[A,B,won,88,?,-]", "the result \"won\" is none of + - = F f ?"},
        {"2003,1=[A,B,x,88,?,-]", "the result \"x\" is none of + - = F f ?"},
        {"2003,1=[A,B,+,88ZZ89,?,-]", "the moves hold \"ZZ\", which is no point of the board"},
        {"2003,1=[A,B,+,8889a9,?,-]", "the moves hold \"a9\", which is no point of the board"},
        {"2003,1=[A,B,+,880G,?,-]", "the moves hold \"0G\", which is no point of the board"},
        {"2003,1=[A,B,+,889,?,-]", "the moves have an odd number of characters: \"9\" is half a point"},
        {"2003,1=[A,B,+,88,  ,-]", "the alternative is blank (a save writes \"?\")"},
        {"2003,1=[A,B,+,88,,-]", "the alternative is blank (a save writes \"?\")"},
        {"2003,1=[A,B,+,88,?,r]", "the flag \"r\" is neither R nor -"},
        {"2003,1=[A,B,+,88,?,]", "the flag \"\" is neither R nor -"},
        {"2003,1=[A,B,+,88,?,R ]", "the flag \"R \" is neither R nor -"},
    };
    for (const auto& [line, fault] : rows) {
        const std::optional<std::string> damage = LineDamage(line, SplitLine(line));
        EXPECT_EQ(damage.value_or("none"), fault ? fault : "none") << line;
    }
}

// One key for every comparison of keys: the year and board as the loader reads them (the line
// trimmed, the board right-aligned in five characters), ASCII letters in one case, nothing else
// folded; lines the loader reads as one year and board have one key, and only those.
TEST(BaseLineKey, KeysAreComparedAsTheLoaderReadsThem) {
    const std::tuple<const char*, const char*, bool> rows[] = {
        {"2003, 4702=[A,B,+,88,?,-]", "2003,4702=[C,D,-,8889,?,-]", true},
        {"2003, 4702=[A,B,+,88,?,-]", " 2003, 4702=[A,B,+,88,?,-]", true},
        {"2003, 4702=[A,B,+,88,?,-]", "\t2003,4702=[A,B,+,88,?,-]  ", true},
        {"2003,  a12=[A,B,+,88,?,-]", "2003,A12=[A,B,+,88,?,-]", true},
        {"2003,123456=[A,B,+,88,?,-]", "2003,123456=[A,B,+,88,?,-]", true},
        {"2003, 4702=[A,B,+,88,?,-]", "2003,04702=[A,B,+,88,?,-]", false},
        {"2003, 4702=[A,B,+,88,?,-]", "2003 , 4702=[A,B,+,88,?,-]", false},
        {"2003, 4702=[A,B,+,88,?,-]", "2003,  4702=[A,B,+,88,?,-]", false},  // six characters stand whole
        {"2003,\xc4"
         "1234=[A,B,+,88,?,-]",
         "2003,\xc4"
         "12\xad"
         "34=[A,B,+,88,?,-]",
         false},
        {"2003,\xc4"
         "1234=[A,B,+,88,?,-]",
         "2003,\xe4"
         "1234=[A,B,+,88,?,-]",
         false},  // no case past ASCII
        {"2003=[A,B,+,88,?,-]", "2003=[A,B,+,88,?,-]", true},
    };
    for (const auto& [a, b, same] : rows) {
        EXPECT_EQ(FoldedKey(a) == FoldedKey(b), same) << a << " | " << b;
        // The key of a line is the key of the year and board the loader reads from it.
        for (const char* line : {a, b}) {
            TGameBase base;
            AddBaseLine(base, Trim(line));
            EXPECT_EQ(FoldedKey(base.PartyList[0].Year, base.PartyList[0].Board), FoldedKey(line)) << line;
        }
    }
}

// The check of the moves, sixteen bytes at a time, finds the first byte a pair by pair reading of
// point codes finds, on moves with every byte next to the digits and letters.
TEST(BaseLineDamage, MovesFaultFindsWhatPointCodesFind) {
    std::mt19937 random(17);
    const std::string odd = std::string("0:@G`aZ \x80\xff\x01") + '\0';
    for (int round = 0; round < 20000; ++round) {
        std::string moves;
        for (size_t n = random() % 70; n > 0; --n) moves += PointDigits[random() % 15];
        if (random() % 2 && !moves.empty()) moves[random() % moves.size()] = odd[random() % odd.size()];
        size_t expected = std::string_view::npos;
        for (size_t i = 0; i < moves.size() && expected == std::string_view::npos; ++i)
            if (PointDigitValue(moves[i]) == 0) expected = i;
        if (expected == std::string_view::npos && moves.size() % 2 == 1) expected = moves.size();
        ASSERT_EQ(MovesFault(moves), expected) << ::testing::PrintToString(moves);
    }
}

// The load names each damaged line with its number and fault, and keeps the line's game as it
// reads; blanks around a line, which the load drops, count too.
TEST_F(BaseFile, LoadNamesTheLinesASaveWouldChange) {
    TGameBase base =
        Load("2003,   1=[A,B,+,88ZZ8A,?,-]\r\n 2003,    2=[A,B,+,88,?,-]\r\n2003,    3=[A,B,+,88,?,-]\r\n");
    ASSERT_EQ(base.PartyList.size(), 3u);
    EXPECT_EQ(base.PartyList[0].Moves, "88ZZ8A") << "the line stays as it is";
    EXPECT_EQ(
        Ui.Messages,
        (std::vector<std::string>{"File " + Folder.File("base.bdt") +
                                  ": 2 lines are damaged and would lose text when saved (line 1: the moves "
                                  "hold \"ZZ\", which is no point of the board; line 2: blanks or control "
                                  "characters before or after the line)."}));
}

// Names are one player only when they differ in letter case alone: a soft hyphen or a control
// character, which the collation passes over, keeps two names apart, so that a save writes each line
// back as it stood.
TEST_F(BaseFile, NamesThatDifferInMoreThanLetterCaseAreNeverMerged) {
    const std::string text =
        "2001,    1=[Nord,x,+,88,?,-]\r\n2001,    2=[NORD,x,+,88,?,-]\r\n2001,    3=[No\xadrd,x,+,88,?,-]\r\n"
        "2001,    4=[No\x01rd,x,+,88,?,-]\r\n";
    TGameBase base = Load(text);
    EXPECT_EQ(base.PartyList[0].BlackId, base.PartyList[1].BlackId) << "letter case alone: one player";
    EXPECT_NE(base.PartyList[0].BlackId, base.PartyList[2].BlackId) << "a soft hyphen";
    EXPECT_NE(base.PartyList[0].BlackId, base.PartyList[3].BlackId) << "a control character";
    EXPECT_NE(base.PartyList[2].BlackId, base.PartyList[3].BlackId);
    EXPECT_EQ(base.PlayerCatalogue.PlayerRecords.size(), 4u);
    EXPECT_EQ(base.PlayerCatalogue.IdOf("No\xadrd"), base.PartyList[2].BlackId);
    EXPECT_EQ(base.PlayerCatalogue.IdOf("nord"), base.PartyList[0].BlackId);
    // The same in the catalogue that AddBaseLine grows.
    TGameBase added;
    for (std::string_view line : SplitLines(text)) AddBaseLine(added, line);
    EXPECT_EQ(added.PlayerCatalogue.PlayerNames.Items(), base.PlayerCatalogue.PlayerNames.Items());
    std::string expected = text;
    expected.replace(expected.find("NORD"), 4, "Nord");
    EXPECT_EQ(Save(base), expected);
}

TEST_F(BaseFile, SaveIntoAMissingFolderFails) {
    TGameBase base = OneGame();
    EXPECT_FALSE(SaveBase(base, Folder.File("nowhere/base.bdt"), Ui));
    ASSERT_EQ(Ui.Messages.size(), 1u);
    EXPECT_NE(Ui.Messages[0].find("No such file or directory"), std::string::npos);
    EXPECT_EQ(FilesInFolder(), 0) << "no stray files";
}

TEST_F(BaseFile, SaveLeavesNoTemporaryFileAndKeepsThePermissions) {
    TGameBase base = OneGame();
    const std::string path = Folder.File("base.bdt");
    WriteFile(path, "x");
    chmod(path.c_str(), 0640);
    ASSERT_TRUE(SaveBase(base, path, Ui));
    struct stat info {};
    stat(path.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(FilesInFolder(), 1);
}

// What a load tells the program beside its messages: where a NUL cut the text, how many lines had an
// empty result (ten shown as bare line numbers, the rest in one message), undecodable lines.
TEST_F(BaseFile, LoadReportsWhatTheProgramMustActOn) {
    struct TRow {
        std::string Text;
        size_t NulLine, EmptyResults, Undecodable;
        std::vector<std::string> Messages;
        const char* CodePage = DefaultCodePage;
    };
    std::string garbage;
    for (int i = 0; i < 12; ++i) garbage += "no fields\r\n";
    const std::vector<TRow> rows = {
        {"2000,1=[A,B,+,88,?,-]\r\n", 0, 0, 0, {}},
        {std::string("2000,1=[A,B,+,88,?,-]\r2000,2=[A,B,+,\0 88,?,-]\n2000,3=[A,B,+,88,?,-]", 67),
         2,
         0,
         0,
         {"File " + Folder.File("base.bdt") +
          ": the text ends at a NUL byte in line 2; the lines after it are not loaded."}},
        {garbage,
         0,
         12,
         0,
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10",
          "File " + Folder.File("base.bdt") +
              ": 2 more lines had an empty result; the first of them is line 11.",
          "File " + Folder.File("base.bdt") +
              ": 12 lines are damaged and would lose text when saved (line 1: no \"=\"; line 2: no \"=\"; "
              "line 3: no \"=\"; line 4: no \"=\"; line 5: no \"=\"; line 6: no \"=\"; line 7: no \"=\"; "
              "line 8: no \"=\"; line 9: no \"=\"; line 10: no \"=\"; ...)."}},
        {"2000,1=[A\xc8,B,+,88,?,-]\r\n2000,2=[\xd0\x96,B,+,88,?,-]\r\n2000,3=[\xff,B,+,88,?,-]\r\n",
         0,
         0,
         2,
         {"File " + Folder.File("base.bdt") +
          ": 2 lines hold text that the code page UTF-8 cannot decode; "
          "the first is line 1."},
         "UTF-8"},
    };
    for (const TRow& row : rows) {
        SetTextPolicy(row.CodePage, "");
        WriteFile(Folder.File("base.bdt"), row.Text);
        TGameBase base;
        TRecordingUi ui;
        TLoadReport report;
        ASSERT_TRUE(LoadBase(base, Folder.File("base.bdt"), ui, report));
        EXPECT_EQ(report.NulLine, row.NulLine) << row.Text;
        EXPECT_EQ(report.EmptyResultLines, row.EmptyResults) << row.Text;
        EXPECT_EQ(report.UndecodableLines, row.Undecodable) << row.Text;
        EXPECT_EQ(ui.Messages, row.Messages) << row.Text;
    }
}

TEST_F(BaseFile, AFileTooLargeForMemoryLeavesTheBaseAsItWas) {
    TGameBase base = OneGame();
    const std::string path = Folder.File("huge.bdt");
    WriteFile(path, "");
    std::filesystem::resize_file(path,
                                 uint64_t(sysconf(_SC_PHYS_PAGES)) * uint64_t(sysconf(_SC_PAGE_SIZE)) + 1);
    TLoadReport report;
    EXPECT_FALSE(LoadBase(base, path, Ui, report));
    EXPECT_TRUE(report.TooLarge);
    EXPECT_EQ(Ui.Messages,
              std::vector<std::string>{"File " + path + " is too large to be loaded into memory."});
    EXPECT_EQ(FormatBaseLine(base, base.PartyList.at(0)), "2000,    1=[A,B,+,88,?,-]");
    EXPECT_EQ(base.PartyList.size(), 1u);
}

// Random base text with what a load must notice: every kind of line end, blank lines, lines cut
// short, empty results, names in two letter cases, bytes that UTF-8 cannot decode in names and
// elsewhere, now and then a NUL.
std::string RandomBaseText(std::mt19937& random) {
    static const std::vector<std::string> names = {
        "Nord", "NORD", "Sud", "\xcf\xe5\xf2\xf0", "\xcf\xc5\xd2\xd0", "bad\x98name", "x", "de la Cruz",
        // long names that differ only inside
        "Konstantin Konstantinopolsky", "Konstantin KonstantinXpolsky"};
    static const std::vector<std::string> ends = {"\r\n", "\n", "\r", "\r\n\r\n", "\n \t\n"};
    std::string text;
    for (int i = int(random() % 60); i > 0; --i) {
        std::string moves;
        for (int m = int(random() % 40); m > 0; --m)
            moves += {PointDigits[random() % 15], PointDigits[random() % 15]};
        std::string line = std::to_string(1990 + random() % 4) + "," + std::to_string(random() % 1000) +
                           "=[" + names[random() % names.size()] + "," + names[random() % names.size()] +
                           "," + std::string(random() % 8 == 0 ? "" : "+") + "," + moves + ",?," +
                           (random() % 2 ? "R" : "-") + "]";
        if (random() % 10 == 0) line = line.substr(0, random() % line.size());
        if (random() % 10 == 0) line.insert(random() % (line.size() + 1), 1, "\x98\xc0"[random() % 2]);
        text += line + ends[random() % ends.size()];
    }
    if (random() % 4 == 0) text.insert(random() % (text.size() + 1), 1, '\0');
    return text;
}

// A load that reads its file in pieces of any size gives what the same text read whole gives, and
// both give the games that AddBaseLine makes of the lines one by one.
TEST_F(BaseFile, LoadsTheSameWhateverPiecesTheFileComesIn) {
    std::mt19937 random(21);
    auto lines = [](const TGameBase& base) {
        std::vector<std::string> all;
        for (const TPartyRecord& party : base.PartyList) all.push_back(FormatBaseLine(base, party));
        return all;
    };
    auto ids = [](const TGameBase& base) {
        std::vector<std::pair<int32_t, int32_t>> all;
        for (const TPartyRecord& party : base.PartyList) all.emplace_back(party.BlackId, party.WhiteId);
        return all;
    };
    const std::string path = Folder.File("pieces.bdt");
    for (int round = 0; round < 60; ++round) {
        // In UTF-8 the local names and the odd bytes cannot be decoded; in windows-1253 a name with
        // the byte D2 cannot.
        SetTextPolicy(round % 3 == 0 ? "UTF-8" : round % 3 == 1 ? DefaultCodePage : "windows-1253", "");
        const std::string text = RandomBaseText(random);
        SCOPED_TRACE(::testing::PrintToString(text));
        TGameBase reference = OneGame();
        size_t number = 0, undecodable = 0, firstUndecodable = 0;
        for (std::string_view line : SplitLines(text)) {
            ++number;
            if (Trim(line).empty()) continue;
            AddBaseLine(reference, line);
            if (!TextPolicy().CanDecode(Trim(line)) && undecodable++ == 0) firstUndecodable = number;
        }

        TGameBase whole = OneGame();
        TRecordingUi wholeUi;
        TLoadReport wholeReport;
        LoadBaseText(whole, text, path, wholeUi, wholeReport);
        ASSERT_EQ(lines(whole), lines(reference));
        EXPECT_EQ(whole.PlayerCatalogue.PlayerNames.Items(), reference.PlayerCatalogue.PlayerNames.Items());
        EXPECT_EQ(whole.TurnCatalogue.TurnNames.Items(), reference.TurnCatalogue.TurnNames.Items());
        EXPECT_EQ(wholeReport.NulLine > 0, text.find('\0') != std::string::npos);
        EXPECT_EQ(wholeReport.UndecodableLines, undecodable);
        EXPECT_EQ(wholeReport.FirstUndecodableLine, firstUndecodable);

        WriteFile(path, text);
        for (size_t piece : {1, 2, 3, 5, 8, 13, 64, 100000}) {
            TGameBase loaded = OneGame();
            TRecordingUi ui;
            TLoadReport report;
            ASSERT_TRUE(LoadBase(loaded, path, ui, report, piece)) << piece;
            EXPECT_EQ(lines(loaded), lines(whole)) << piece;
            EXPECT_EQ(ids(loaded), ids(whole)) << piece;
            EXPECT_EQ(loaded.PlayerCatalogue.PlayerNames.Items(), whole.PlayerCatalogue.PlayerNames.Items());
            EXPECT_EQ(ui.Messages, wholeUi.Messages) << piece;
            EXPECT_EQ(ui.Positions, wholeUi.Positions) << piece;
            EXPECT_EQ(std::tie(report.NulLine, report.UndecodableLines, report.FirstUndecodableLine,
                               report.EmptyResultLines, report.FirstEmptyResultLine,
                               report.FirstUnshownEmptyResultLine),
                      std::tie(wholeReport.NulLine, wholeReport.UndecodableLines,
                               wholeReport.FirstUndecodableLine, wholeReport.EmptyResultLines,
                               wholeReport.FirstEmptyResultLine, wholeReport.FirstUnshownEmptyResultLine))
                << piece;
            EXPECT_EQ(ui.Shown, 1);
            EXPECT_EQ(ui.Hidden, 1);
        }
    }
}

// The fields of a line are cut as SplitField cuts them, whatever the line holds.
TEST_F(BaseFile, LineFieldsAreCutAsSplitFieldCutsThem) {
    std::mt19937 random(4);
    const std::string alphabet = ",,,==[]  aB8?R+-";
    for (int i = 0; i < 20000; ++i) {
        std::string line;
        for (size_t length = random() % 30; line.size() < length;)
            line += alphabet[random() % alphabet.size()];
        // What the fields must be: SplitField one after the other, as lines were always cut.
        const std::string_view trimmed = Trim(line);
        std::string_view year, board, inner, black, white, result, moves, alt, flag;
        size_t cursor = 1;
        SplitField(trimmed, cursor, ',', year);
        SplitField(trimmed, cursor, '=', board);
        if (cursor + 1 <= trimmed.size()) inner = trimmed.substr(cursor, trimmed.size() - 1 - cursor);
        size_t at = 1;
        for (std::string_view* field : {&black, &white, &result, &moves, &alt, &flag})
            SplitField(inner, at, ',', *field);

        std::string blackName, whiteName;
        const TPartyRecord party = ParseBaseLine(line, blackName, whiteName);
        SCOPED_TRACE(line);
        ASSERT_EQ(party.Year, year);
        ASSERT_EQ(Trim(party.Board), Trim(board));
        ASSERT_EQ(party.Board.size(), std::max<size_t>(5, board.size()));
        ASSERT_EQ(blackName, black);
        ASSERT_EQ(whiteName, white);
        ASSERT_EQ(party.Result, result.empty() ? '?' : result[0]);
        ASSERT_EQ(party.Moves, moves);
        ASSERT_EQ(party.Alt, Trim(alt).empty() ? std::string_view("?") : alt);
        ASSERT_EQ(party.Reverse, flag == "R");
    }
}

// "Save as ..." copies the file a few megabytes at a time through a temporary file: the copy is the
// same bytes, and a copy that cannot be made leaves the target as it was.
TEST_F(BaseFile, SaveAsCopiesInPiecesAndKeepsTheTargetWhenItFails) {
    std::string content;
    for (int i = 0; content.size() < 2 * LoadPieceBytes + 12345; ++i)
        content +=
            "2000," + std::to_string(i) + "=[A,B,+,8889" + std::string(size_t(i % 97), '7') + ",?,-]\r\n";
    const std::string from = Folder.File("from.bdt"), to = Folder.File("to.bdt");
    WriteFile(from, content);
    std::string error;
    ASSERT_TRUE(CopyBaseFile(from, to, error)) << error;
    EXPECT_TRUE(ReadFile(to) == content);
    ASSERT_TRUE(CopyBaseFile(from, from, error)) << error;
    EXPECT_TRUE(ReadFile(from) == content) << "a copy onto itself keeps the file";
    ASSERT_TRUE(CopyBaseFile(Folder.File("none.bdt"), to, error));
    EXPECT_EQ(ReadFile(to), "") << "no file to copy gives an empty base";

    WriteFile(to, "old\r\n");
    EXPECT_FALSE(CopyBaseFile(Folder.Path().string(), to, error));
    EXPECT_EQ(error, "Cannot read file " + Folder.Path().string() + ": it is not an ordinary file.");
    EXPECT_EQ(ReadFile(to), "old\r\n");

    // A source that cannot go on after a first piece: its message, the old file, no temporary file.
    int pieces = 0;
    EXPECT_FALSE(WriteFileReplacing(
        to,
        [&](std::string& piece) {
            if (pieces++ > 0) throw TPieceFailure("Cannot read file from.bdt: Input/output error");
            piece = "new";
            return true;
        },
        error));
    EXPECT_EQ(error, "Cannot read file from.bdt: Input/output error");
    EXPECT_EQ(ReadFile(to), "old\r\n");
    EXPECT_EQ(FilesInFolder(), 2) << "no temporary file stays";
}

class DeleteListed : public BaseFile {
protected:
    void SetUp() override {
        BaseFile::SetUp();
        for (int i = 0; i < 10; ++i) AddBaseLine(Base, "2000," + std::to_string(100 + i) + "=[A,B,+,88,?,-]");
    }
    std::vector<std::string> Boards() {
        std::vector<std::string> boards;
        for (const auto& party : Base.PartyList) boards.push_back(party.Board.str());
        return boards;
    }
    TGameBase Base;
};

TEST_F(DeleteListed, RemovesExactlyTheListedGamesWhateverTheirOrder) {
    Base.Listing = {7, 2, 5, 2};
    ASSERT_TRUE(DeleteListedParties(Base, Folder.File("base.bdt"), Ui));
    EXPECT_EQ(Boards(),
              (std::vector<std::string>{"  100", "  101", "  103", "  104", "  106", "  108", "  109"}));
    EXPECT_TRUE(Base.Listing.empty());
    EXPECT_EQ(ReadFile(Folder.File("base.bdt")).size(), 7 * 27u);
}

TEST_F(DeleteListed, TheGameBeingEditedIsFollowedOrLetGo) {
    Base.CurrentParty = 8;
    Base.EditMode = true;
    Base.Listing = {4, 4, 1};
    DeleteListedParties(Base, Folder.File("base.bdt"), Ui);
    EXPECT_EQ(Base.CurrentParty, 6);
    EXPECT_EQ(Base.CurrentRecord()->Board, "  108") << "edit mode still writes into the opened game";
    EXPECT_TRUE(Base.EditMode);
    Base.Listing = {6};
    DeleteListedParties(Base, Folder.File("base.bdt"), Ui);
    EXPECT_EQ(Base.CurrentParty, NoParty);
    EXPECT_FALSE(Base.EditMode) << "a later save can never write into another game";
}

TEST(CheckBaseField, RefusesWhatWouldBreakALine) {
    EXPECT_EQ(CheckBaseField("Name", "Nord"), std::nullopt);
    EXPECT_EQ(CheckBaseField("Name", "\xcf\xe5\xf2\xf0 I."), std::nullopt);
    for (const char* bad : {"a,b", "a=b", "a\nb", "a\rb", " lead", "trail "}) {
        auto message = CheckBaseField("Name", bad);
        ASSERT_TRUE(message.has_value()) << bad;
        EXPECT_EQ(message->rfind("Name may not", 0), 0u) << *message;
    }
}

}  // namespace
}  // namespace kalvon
