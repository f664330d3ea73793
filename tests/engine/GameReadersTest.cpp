// The readers of other programs' games (RenjuNet .rif, Gomocup .psq, SGF) and the SGF writer.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "base/BaseEdits.h"
#include "base/BaseLine.h"
#include "base/TextPolicy.h"
#include "exchange/GameReaders.h"
#include "exchange/SgfWriter.h"
#include "tests/engine/TestBase.h"

namespace kalvon::test {
namespace {

// The base line of an imported game, its texts in the code page in force.
std::string ImportedLine(const TImportedGame& game) {
    const TTextPolicy& policy = TextPolicy();
    const auto bytes = [&](const std::string& utf8) { return policy.FromUtf8(utf8).value_or("<no bytes>"); };
    std::string line;
    AppendBaseLine(line, {.Year = std::to_string(game.Year),
                          .Board = bytes(game.Board),
                          .Black = bytes(game.Black),
                          .White = bytes(game.White),
                          .Result = game.Result,
                          .Moves = game.Moves,
                          .Alt = bytes(game.Alt),
                          .Reverse = game.Reverse});
    return line;
}

// Everything a reader hands, one line each: base lines, the notes made on the way, refusals.
class TCollectingSink final : public IImportSink {
public:
    std::vector<TImportedGame> Games;
    std::string Text;
    size_t ProgressCalls = 0;
    bool Game(TImportedGame&& game) override {
        Text += ImportedLine(game) + "\n";
        for (const std::string& note : game.Notes) Text += "note " + note + "\n";
        Games.push_back(std::move(game));
        return true;
    }
    void Refused(TImportRefusal&& refusal) override {
        Text += "refused " + ImportRefusalText(refusal) + "\n";
    }
    bool Progress(uint64_t, uint64_t) override {
        ++ProgressCalls;
        return true;
    }
};

struct TReaderCase {
    const char* Input;
    const char* Expected;
};

std::string Sgf(const std::string& text) {
    TCollectingSink sink;
    ReadSgf(text, "dir/games.sgf", sink);
    return sink.Text;
}

TEST(SgfReader, ReadsTheMainLineOfEachGame) {
    const TReaderCase cases[] = {
        // Points: columns a..o are A..P without I; rows count from the top.
        {"(;GM[4]SZ[15]DT[2003-05-17]PB[Ann]PW[Bob]RE[B+R]GN[4711];B[hh];W[aa];B[oo];W[ao];B[ia];W[ig])",
         "2003,s4711=[Ann,Bob,+,881FF1119F99,?,-]\n"},
        // Results.
        {"(;GM[4]DT[2001]RE[W+Resign]GN[1])(;GM[4]DT[2001]RE[B+F]GN[2])(;GM[4]DT[2001]RE[W+F]GN[3])"
         "(;GM[4]DT[2001]RE[0]GN[4])(;GM[4]DT[2001]RE[Draw]GN[5])(;GM[4]DT[2001]RE[?]GN[6])(;GM[4]DT[2001]GN["
         "7])",
         "2001,   s1=[?,?,-,,?,-]\n2001,   s2=[?,?,F,,?,-]\n2001,   s3=[?,?,f,,?,-]\n2001,   "
         "s4=[?,?,=,,?,-]\n"
         "2001,   s5=[?,?,=,,?,-]\n2001,   s6=[?,?,?,,?,-]\n2001,   s7=[?,?,?,,?,-]\n"},
        // Names: escapes undone, a soft line break dropped, a line break, "," and "=" made blanks.
        {"(;GM[4]DT[2002]GN[9]PB[Li, "
         "Wei]PW[a=b\\]c\\\\])(;GM[4]DT[2002]GN[10]PB[Ann\\\nMarie]PW[Ann\nMarie])",
         "2002,   s9=[Li  Wei,a b]c\\,?,,?,-]\n"
         "note game 1 (GN \"9\"): black's name \"Li, Wei\": \",\" made a blank\n"
         "note game 1 (GN \"9\"): white's name \"a=b]c\\\": \"=\" made a blank\n"
         "2002,  s10=[AnnMarie,Ann Marie,?,,?,-]\n"
         "note game 2 (GN \"10\"): white's name \"Ann\\x0aMarie\": a line break or control character made a "
         "blank\n"},
        // Variations: the first at each branch; the board code from the file and the game's number.
        {"junk (;GM[4]DT[2000];B[hh](;W[hi](;B[ii])(;B[aa]))(;W[aa]))", "2000,sgames-1=[?,?,?,888797,?,-]\n"},
        // The two private properties of the export; KR other than 1 is no exchange.
        {"(;GM[4]DT[2000]GN[5]KA[88]KR[1])(;GM[4]DT[2000]GN[6]KA[J10-K9]KR[0])",
         "2000,   s5=[?,?,?,,88,R]\n2000,   s6=[?,?,?,,J10-K9,-]\n"},
        // Character sets: named, and ISO-8859-1 for text that is no UTF-8 when none is named.
        {"(;GM[4]CA[windows-1251]DT[2000]GN[7]PB[\xC8\xE2\xE0\xED])(;GM[4]DT[2000]GN[8]PB[T\xF5nis])",
         "2000,   s7=[\xC8\xE2\xE0\xED,?,?,,?,-]\n2000,   s8=[<no bytes>,?,?,,?,-]\n"},
    };
    for (const TReaderCase& c : cases) EXPECT_EQ(Sgf(c.Input), c.Expected) << c.Input;
}

TEST(SgfReader, RefusesWhatTheBaseCannotHold) {
    const TReaderCase cases[] = {
        {"(;GM[1]DT[2000])",
         "refused File dir/games.sgf, game 1: GM[\"1\"] is no gomoku or renju game (GM[4])\n"},
        {"(;DT[2000])", "refused File dir/games.sgf, game 1: no GM[4]: without it SGF means a game of go\n"},
        {"(;GM[4]SZ[19]DT[2000])",
         "refused File dir/games.sgf, game 1: the board size SZ[\"19\"] is not 15\n"},
        {"(;GM[4]GN[x])", "refused File dir/games.sgf, game 1 (GN \"x\"): no year (DT)\n"},
        {"(;GM[4]DT[99-1-1])", "refused File dir/games.sgf, game 1: no year in DT[\"99-1-1\"]\n"},
        {"(;GM[4]DT[0000])", "refused File dir/games.sgf, game 1: no year in DT[\"0000\"]\n"},
        {"(;GM[4]DT[2000];B[hh];W[])", "refused File dir/games.sgf, game 1: move 2 is a pass\n"},
        {"(;GM[4]DT[2000];B[tt])", "refused File dir/games.sgf, game 1: move 1 is a pass\n"},
        {"(;GM[4]DT[2000]AB[hh];W[aa])",
         "refused File dir/games.sgf, game 1: setup stones (AB) cannot stand in a game of the base\n"},
        {"(;GM[4]DT[2000];B[hp])", "refused File dir/games.sgf, game 1: move 1 is off the board (hp)\n"},
        {"(;GM[4]DT[2000];B[hh];W[hh])",
         "refused File dir/games.sgf, game 1: move 2 takes H8, taken by move 1 (hh)\n"},
        {"(;GM[4]DT[2000];W[hh])",
         "refused File dir/games.sgf, game 1: move 1 is white's where the other side is to move\n"},
        // A refused game is skipped; a broken tree ends the file.
        {"(;GM[4]SZ[17]DT[2000])(;GM[4]DT[2000]GN[2];B[hh])(;GM[4]DT[2000];B[h",
         "refused File dir/games.sgf, game 1: the board size SZ[\"17\"] is not 15\n2000,   "
         "s2=[?,?,?,88,?,-]\n"
         "refused File dir/games.sgf, game 3: the value of \"B\" has no closing \"]\"\n"},
    };
    for (const TReaderCase& c : cases) EXPECT_EQ(Sgf(c.Input), c.Expected) << c.Input;
}

// Random distinct points, count of them.
std::string RandomMoves(std::mt19937& random, int count) {
    std::vector<std::string> points;
    for (char column : PointDigits)
        for (char row : PointDigits) points.push_back({column, row});
    std::shuffle(points.begin(), points.end(), random);
    std::string moves;
    for (int i = 0; i < count; ++i) moves += points[size_t(i)];
    return moves;
}

// Games of every length, result, alternative and flag, with Latin and Cyrillic (windows-1251) names
// and texts that need SGF's escapes, written as SGF and read back: the same base lines, the board
// codes with "s" before them.
TEST(SgfRoundTrip, GivesTheSameBaseLines) {
    ASSERT_EQ(TextPolicy().CodePage(), "windows-1251");
    const char* const names[] = {"Ann", "\xC8\xE2\xE0\xED\xEE\xE2 \xCF\xB8\xF2\xF0", "Li Wei", "O]Neil\\",
                                 "[x]"};
    const char* const boards[] = {"4711", "1", "a1234", "123456", "x]\\y", "\xE0\xE1"};
    const char* const alts[] = {"?", "88", "J10-K9", "h8", "free text", "a]b\\c", "\xE4\xE0"};
    const char results[] = {'+', '-', '=', 'F', 'f', '?'};
    std::mt19937 random(23);
    TGameBase base;
    std::vector<std::string> expected;
    for (int i = 0; i < 240; ++i) {
        const int count = i < 2 ? i * 225 : int(random() % 226);
        const std::string board = boards[random() % std::size(boards)] + std::to_string(i);
        TBaseLineParts parts{.Year = "",
                             .Board = board,
                             .Black = names[random() % std::size(names)],
                             .White = names[random() % std::size(names)],
                             .Result = results[i % 6],
                             .Moves = "",
                             .Alt = alts[random() % std::size(alts)],
                             .Reverse = i % 4 < 2};
        const std::string year = std::to_string(1000 + int(random() % 9000));
        const std::string moves = RandomMoves(random, count);
        parts.Year = year;
        parts.Moves = moves;
        std::string line;
        AppendBaseLine(line, parts);
        AddBaseLine(base, line);
        const std::string board2 = "s" + board;
        parts.Board = board2;
        line.clear();
        AppendBaseLine(line, parts);
        expected.push_back(line);
    }
    std::string collection;
    for (size_t i = 0; i < base.PartyList.size(); ++i) {
        std::string sgf;
        AppendSgfGame(sgf, base, base.PartyList[i]);
        collection += sgf;
        TCollectingSink sink;
        ReadSgf(sgf, "one.sgf", sink);
        ASSERT_EQ(sink.Games.size(), 1u) << sgf << sink.Text;
        EXPECT_EQ(ImportedLine(sink.Games[0]), expected[i]) << sgf;
        EXPECT_TRUE(sink.Games[0].Notes.empty()) << sgf;
    }
    // The whole Listing as one collection, through a file.
    TTempFolder folder;
    base.Listing.resize(base.PartyList.size());
    std::iota(base.Listing.begin(), base.Listing.end(), 0);
    std::string error;
    ASSERT_TRUE(WriteSgfCollection(folder.File("all.sgf"), base, base.Listing, error)) << error;
    EXPECT_EQ(ReadFile(folder.File("all.sgf")), collection);
    TCollectingSink sink;
    ReadSgf(collection, "all.sgf", sink);
    ASSERT_EQ(sink.Games.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(ImportedLine(sink.Games[i]), expected[i]);
}

TEST(SgfWriter, FilesOfTheirOwnNeverOverwrite) {
    TGameBase base;
    for (const char* line :
         {"2003, 4711=[Ann,Bob,+,8889,?,-]", "2004, 4711=[Bob,Ann,-,88,?,-]", "2005,  a/b=[Ann,Bob,=,,?,R]"})
        AddBaseLine(base, line);
    TTempFolder folder;
    WriteFile(folder.File("4711.sgf"), "mine");
    std::vector<std::string> written;
    std::string error;
    ASSERT_TRUE(WriteSgfFiles(folder.Path().string(), base, {0, 1, 2}, written, error)) << error;
    const std::string dir = folder.Path().string() + "/";
    EXPECT_EQ(written,
              (std::vector<std::string>{dir + "4711 (2).sgf", dir + "4711 (3).sgf", dir + "a_b.sgf"}));
    EXPECT_EQ(ReadFile(folder.File("4711.sgf")), "mine");
    std::string text;
    AppendSgfGame(text, base, base.PartyList[1]);
    EXPECT_EQ(ReadFile(written[1]), text);
    EXPECT_EQ(text, "(;GM[4]FF[4]CA[UTF-8]SZ[15]PB[Bob]PW[Ann]DT[2004]RE[W+]GN[4711]KA[?]KR[0];B[hh])\n");
}

}  // namespace
}  // namespace kalvon::test
