// The readers of other programs' games (RenjuNet .rif, Gomocup .psq, SGF) and the SGF writer.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "base/BaseEdits.h"
#include "base/BaseLine.h"
#include "base/SafeFile.h"
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
        {"(;GM[4]CA[nowhere]DT[2000])",
         "refused File dir/games.sgf, game 1: the character set CA[\"nowhere\"] is unknown\n"},
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

// A RenjuNet database around the games' elements: three players (one without a given name, one
// whose names need cleaning) and tournaments with a year, with a start only, and with neither.
std::string RifDatabase(const std::string& games) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<database version=\"10\" date=\"2024-01-01\">\n"
           "<countries><country id=\"1\" name=\"Estonia\" abbr=\"EST\"/></countries>\n"
           "<rules><rule id=\"25\" name=\"RIF\"><info>Renju</info></rule></rules>\n<players>\n"
           "<player id=\"3069\" name=\"Ants\" surname=\"Tamm\" country=\"1\" city=\"1\"/>\n"
           "<player id=\"3969\" surname=\"Nipp\" country=\"1\"/>\n"
           "<player id=\"1\" name=\"Li, Wei\" surname=\"Zhang=&#10;X\"/>\n</players>\n<tournaments>\n"
           "<tournament id=\"3369\" name=\"Open\" country=\"1\" city=\"1\" year=\"2016\" month=\"7\" "
           "start=\"2016-07-01\" end=\"2016-07-09\" rule=\"25\" rated=\"1\"/>\n"
           "<tournament id=\"7\" name=\"Old\" start=\"1989-05-02\"/>\n<tournament id=\"8\" "
           "name=\"Undated\"/>\n"
           "</tournaments>\n<games>\n" +
           games + "</games>\n</database>\n";
}

std::string Rif(const std::string& games, std::string* message = nullptr) {
    TCollectingSink sink;
    const std::string result = ReadRenjuNetText(RifDatabase(games), "renju.rif", sink);
    if (message) *message = result;
    EXPECT_TRUE(message || result.empty()) << result;
    return sink.Text;
}

std::string RifGame(const std::string& attributes, const std::string& moves) {
    return "<game " + attributes + "><move>" + moves + "</move><info>B=1</info></game>\n";
}

// The game of the archive: 51 moves, black won.
const char* const RealGame =
    "<game id=\"171548\" publisher=\"91\" tournament=\"3369\" round=\"8\" rule=\"25\" black=\"3069\" "
    "white=\"3969\" bresult=\"1\" btime=\"8\" wtime=\"8\" opening=\"19\" alt=\"51\" swap=\"R--R-\"><move>h8 "
    "h9 "
    "i8 g8 g9 f7 e6 f10 f6 g6 e8 e7 d7 c6 i10 i7 g7 i9 c8 f5 h5 j8 k9 c5 d5 d6 b4 f4 h6 k7 l6 h7 i5 j4 j5 k5 "
    "d4 e5 g3 k4 k6 m4 j6 i6 h4 f2 h3 h2 i4 l7 g2</move><info>B=1245</info></game>\n";

TEST(RenjuNetReader, ReadsGamesWithTheirPlayersAndTournaments) {
    // h8 h9 i8 g8 g9 f7 e6 f10 ... as PointCodes, i..m being J..N.
    const std::string realMoves =
        "888998787967566A6676585747369A977799386585A8B9354546246486B7"
        "C68795A4A5B5445573B4B6D4A6968462838294C772";
    ASSERT_EQ(realMoves.size(), 102u);
    struct TRifCase {
        std::string Input, Expected;
    };
    const TRifCase cases[] = {
        {RealGame, "2016,r171548=[Ants Tamm,Nipp,+," + realMoves + ",?,-]\n"},
        // Points by index (i is J), rows from the bottom; a token split by a character reference.
        {"<game id=\"1\" tournament=\"3369\" black=\"3069\" white=\"3969\" bresult=\"0\"><move>a1 o15 i8 "
         "a15\n o1 h&#57;</move></game>",
         "2016,   r1=[Ants Tamm,Nipp,-,11FF981FF189,?,-]\n"},
        // Results, the year of a tournament's start, names cleaned, an unknown player.
        {RifGame("id=\"2\" tournament=\"7\" black=\"1\" white=\"3969\" bresult=\"0.5\"", "h8") +
             RifGame("id=\"3\" tournament=\"3369\" black=\"3969\" white=\"999\"", "") +
             RifGame("id=\"4\" tournament=\"3369\" black=\"3069\" white=\"3969\" bresult=\"2\"", ""),
         "1989,   r2=[Li  Wei Zhang  X,Nipp,=,88,?,-]\n"
         "note game 2: black player's name \"Li, Wei Zhang=\\x0aX\": a line break or control character and "
         "\",\" and \"=\" made a blank\n"
         "2016,   r3=[Nipp,?,?,,?,-]\nnote game 3: white player \"999\" is unknown: named \"?\"\n"
         "2016,   r4=[Ants Tamm,Nipp,?,,?,-]\n"},
        // Refused games, each with its reason; the reading goes on.
        {RifGame("id=\"5\" tournament=\"42\" black=\"3069\" white=\"3969\"", "h8") +
             RifGame("id=\"6\" tournament=\"8\" black=\"3069\" white=\"3969\"", "h8") +
             RifGame("id=\"7\" tournament=\"3369\" black=\"3069\" white=\"3969\"", "h8 p1") +
             RifGame("id=\"8\" tournament=\"3369\" black=\"3069\" white=\"3969\"", "h8 i9 h0") +
             RifGame("id=\"9\" tournament=\"3369\" black=\"3069\" white=\"3969\"", "h8 i9 h8") +
             RifGame("id=\"10\" tournament=\"3369\" black=\"3069\" white=\"3969\"", "h8 h16") +
             RifGame("tournament=\"3369\" black=\"3069\" white=\"3969\"", "h8") +
             RifGame("id=\"12\" tournament=\"3369\"", "h8 h1444444443 i9") +
             RifGame("id=\"11\" tournament=\"3369\" black=\"3069\" white=\"3969\"", "k10"),
         "refused File renju.rif, game 5: unknown tournament \"42\"\n"
         "refused File renju.rif, game 6: tournament \"8\" has no year\n"
         "refused File renju.rif, game 7: move 2 is off the board (p1)\n"
         "refused File renju.rif, game 8: move 3 is off the board (h0)\n"
         "refused File renju.rif, game 9: move 3 takes H8, taken by move 1 (h8)\n"
         "refused File renju.rif, game 10: move 2 is off the board (h16)\n"
         "refused File renju.rif, game without id (game 7 of the file): no id\n"
         "refused File renju.rif, game 12: move 2 \"h1444444443\" is no point\n"
         "2016,  r11=[Ants Tamm,Nipp,?,BA,?,-]\n"},
    };
    for (const TRifCase& c : cases) EXPECT_EQ(Rif(c.Input), c.Expected) << c.Input;
}

TEST(RenjuNetReader, StopsAtBrokenXmlAfterTheGamesBefore) {
    std::string message;
    EXPECT_EQ(Rif(RifGame("id=\"1\" tournament=\"3369\" black=\"3069\" white=\"3969\"", "h8") +
                      "<game id=\"2\"><move>h8</mov></game>",
                  &message),
              "2016,   r1=[Ants Tamm,Nipp,?,88,?,-]\n");
    EXPECT_EQ(
        message,
        "File renju.rif is not well-formed XML at line 17 (mismatched tag): the rest of it was not read");
    TCollectingSink sink;
    EXPECT_EQ(ReadRenjuNetText("<svg><game/></svg>", "a.rif", sink),
              "File a.rif is no RenjuNet database: its first element is <\"svg\">, not <database>");
}

// A database larger than one piece of the stream reads from the file as from memory, with progress.
TEST(RenjuNetReader, StreamsTheFileInPieces) {
    std::string games;
    for (int i = 0; i < 3000; ++i)
        games += RifGame("id=\"" + std::to_string(i) + "\" tournament=\"3369\"", "h8 i9");
    const std::string text = RifDatabase(games);
    ASSERT_GT(text.size(), 3u * 64 * 1024);
    TTempFolder folder;
    WriteFile(folder.File("big.rif"), text);
    TCollectingSink fromFile, fromText;
    EXPECT_EQ(ReadRenjuNet(folder.File("big.rif"), "big.rif", fromFile), "");
    EXPECT_EQ(ReadRenjuNetText(text, "big.rif", fromText), "");
    EXPECT_EQ(fromFile.Games.size(), 3000u);
    EXPECT_EQ(fromFile.Text, fromText.Text);
    EXPECT_GE(fromFile.ProgressCalls, 4u);
    EXPECT_EQ(ReadRenjuNet(folder.File("missing.rif"), "missing.rif", fromFile).empty(), false);
}

// A piece of XML that expat cannot hand on in parts (a comment, a tag with a long attribute) is read
// in growing pieces, so that it costs time in proportion to its length; one over 16 MB, more than any
// database holds, refuses the rest of the file, the games before it read whole.
TEST(RenjuNetReader, LongPiecesOfXmlAreReadOrRefused) {
    const std::string game = RifGame("id=\"1\" tournament=\"3369\"", "h8"),
                      later = RifGame("id=\"2\" tournament=\"3369\"", "h8 h9");
    const struct {
        std::string Inside;  // between the first game and the second
        size_t Games;
        std::string Ending;  // of the reader's answer; "" when the file was read to its end
    } cases[] = {
        {"<!--" + std::string(size_t(15) << 20, 'c') + "-->\n", 2, ""},
        {"<game id=\"9\" tournament=\"3369\" note=\"" + std::string(size_t(15) << 20, 'a') + "\"/>\n", 3, ""},
        {"<!--" + std::string(size_t(17) << 20, 'c') + "-->\n", 1,
         "holds at line 17 one piece of XML (a tag, a comment or a declaration) of more than 16 MB, more "
         "than a "
         "RenjuNet database holds: the rest of it was not read"},
    };
    TTempFolder folder;
    for (const auto& c : cases) {
        const std::string text = RifDatabase(game + c.Inside + later);
        WriteFile(folder.File("big.rif"), text);
        TCollectingSink fromText, fromFile;
        const std::string answers[] = {ReadRenjuNetText(text, "big.rif", fromText),
                                       ReadRenjuNet(folder.File("big.rif"), "big.rif", fromFile)};
        for (const std::string& answer : answers) {
            EXPECT_EQ(answer.empty(), c.Ending.empty()) << answer;
            EXPECT_TRUE(answer.ends_with(c.Ending)) << answer;
        }
        EXPECT_EQ(fromText.Games.size(), c.Games);
        EXPECT_EQ(fromFile.Text, fromText.Text);
    }
}

std::string Psq(const std::string& text, int year = 2019, const std::string& name = "tour/round3.psq") {
    TCollectingSink sink;
    ReadPsq(text, name, year, sink);
    return sink.Text;
}

TEST(PsqReader, ReadsOneGamePerFile) {
    const TReaderCase cases[] = {
        // Points from the top-left corner; no names.
        {"Piskvorky 15x15, 11:11, 0\n1,1,100\n15,15,50\n8,8,0\n", "2019,ground3=[?,?,?,1FF188,?,-]\n"},
        // Black's last move makes five: black won; the names cleaned.
        {"Piskvorky 15x15, 11:11, "
         "0\r\n1,1,0\r\n1,2,0\r\n2,1,0\r\n2,2,0\r\n3,1,0\r\n3,2,0\r\n4,1,0\r\n4,2,0\r\n"
         "5,1,0\r\npbrain-a, v1\r\npbrain=b\r\n-1\r\n",
         "2019,ground3=[pbrain-a  v1,pbrain b,+,1F1E2F2E3F3E4F4E5F,?,-]\n"
         "note black's name \"pbrain-a, v1\": \",\" made a blank\nnote white's name \"pbrain=b\": \"=\" made "
         "a "
         "blank\n"},
        // White's five on a diagonal; the second engine began.
        {"Piskvorky 15x15, 11:11, 1\n8,8\n1,1\n9,9\n2,2\n10,8\n3,3\n11,11\n4,4\n13,13\n5,5\nalpha\nbeta\n2\n",
         "2019,ground3=[beta,alpha,-,881F972EA83DB54CD35B,?,-]\n"},
        // Four in a row is no win.
        {"Piskvorky 15x15, 11:11, 0\n1,1\n1,2\n2,1\n2,2\n3,1\n3,2\n4,1\n",
         "2019,ground3=[?,?,?,1F1E2F2E3F3E4F,?,-]\n"},
    };
    for (const TReaderCase& c : cases) EXPECT_EQ(Psq(c.Input), c.Expected) << c.Input;
    EXPECT_EQ(Psq("Piskvorky 15x15, 11:11, 0\n8,8,0\n", 2020, "a,b.psq"),
              "2020, ga b=[?,?,?,88,?,-]\nnote board code \"a,b\": \",\" made a blank\n");
}

TEST(PsqReader, ReadsTheTrailerAsNamesAndResultCodes) {
    const std::string moves = "Piskvorky 15x15, 11:11, 0\r\n8,8,0\r\n9,9,0\r\n";
    const std::pair<std::string, std::string> cases[] = {
        // The engines' files lose ".zip"; the result code is no name, and a normal file gets no note.
        {"KATAGOMO21.R.zip\r\nEMBRYO2.ZIP\r\n-1\r\n", "[KATAGOMO21.R,EMBRYO2,"},
        {"pbrain-a.zip\r\npbrain-b\r\n-1\r\n0\r\n", "[pbrain-a,pbrain-b,"},
        {"alpha\r\nbeta\r\n", "[alpha,beta,"},
        {"-1\r\n", "[?,?,"},
        {"", "[?,?,"},
        {"\r\n \r\n2\r\n", "[?,?,"},
        {"only.zip\r\n", "[only,?,"},
        {".zip\r\nzip\r\n", "[.zip,zip,"},
    };
    for (const auto& [trailer, names] : cases) {
        const std::string read = Psq(moves + trailer);
        EXPECT_EQ(read, "2019,ground3=" + names + "?,8897,?,-]\n") << trailer;
    }
    // A third name is no part of a normal file: it is left out, and said so.
    EXPECT_EQ(
        Psq(moves + "a.zip\r\nb.zip\r\nc.zip\r\n-1\r\n"),
        "2019,ground3=[a,b,?,8897,?,-]\nnote line 6: more than two names: \"c\" and after it left out\n");
}

TEST(PsqReader, RefusesWhatTheBaseCannotHold) {
    const TReaderCase cases[] = {
        {"Piskvorky 20x20, 11:11, 0\n10,10,0\n",
         "refused File tour/round3.psq, line 1: the board is 20x20, not 15x15\n"},
        {"Piskvorky 15x15, 11:11, 0\n16,1,0\n",
         "refused File tour/round3.psq, line 2: move 1 is off the board (16,1,0)\n"},
        {"Piskvorky 15x15, 11:11, 0\n8,8,0\n1,0,0\n",
         "refused File tour/round3.psq, line 3: move 2 is off the board (1,0,0)\n"},
        {"Piskvorky 15x15, 11:11, 0\n8,8,0\n8,8,0\n",
         "refused File tour/round3.psq, line 3: move 2 takes H8, taken by move 1 (8,8,0)\n"},
        {"8,8,0\n",
         "refused File tour/round3.psq, line 1: no first line \"Piskvorky 15x15, ...\": no Gomocup record\n"},
        // A damaged move line refuses the record whole: never cut short, never move text as names.
        {"Piskvorky 15x15, 11:11, 0\n8,8,0\n7,7,0\n8,x9,0\n9,10,79638\n10,10,5\nA.zip\nB.zip\n-1\n",
         "refused File tour/round3.psq, line 4: a damaged move line \"8,x9,0\": no \"x,y\" or \"x,y,ms\"\n"},
        {"Piskvorky 15x15, 11:11, 0\n8,8,0\n7,7,0,12,4\nA.zip\nB.zip\n-1\n",
         "refused File tour/round3.psq, line 3: a damaged move line \"7,7,0,12,4\": no \"x,y\" or "
         "\"x,y,ms\"\n"},
        {"Piskvorky 15x15, 11:11, 0\n8,8,0\nA.zip\n9,9,0\nB.zip\n-1\n",
         "refused File tour/round3.psq, line 4: a move (9,9,0) after the moves ended on line 3: the record "
         "is "
         "damaged\n"},
        {"Piskvorky 15x15, 11:11, 0\n8,8,0\n-1\n9,9,0\n",
         "refused File tour/round3.psq, line 4: a move (9,9,0) after the moves ended on line 3: the record "
         "is "
         "damaged\n"},
    };
    for (const TReaderCase& c : cases) EXPECT_EQ(Psq(c.Input), c.Expected) << c.Input;
    EXPECT_EQ(Psq("Piskvorky 15x15, 11:11, 0\n", 0),
              "refused File tour/round3.psq: the year 0 is no year of a game\n");
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

TEST(SgfWriter, BoardCodesTooLongForAFileNameAreCutAndTold) {
    const std::string longCode(300, 'x'), utf8Code = [] {
        std::string code;
        for (int i = 0; i < 150; ++i) code += "\xc6";  // windows-1251 Ж, two bytes in UTF-8
        return code;
    }();
    const struct {
        std::string Board;
        bool Cut;
    } games[] = {{"4711", false},
                 {longCode, true},
                 {longCode + "y", true},
                 {utf8Code, true},
                 {std::string(200, 'z'), false}};
    TGameBase base;
    for (const auto& game : games) AddBaseLine(base, "2003," + game.Board + "=[Ann,Bob,+,88,?,-]");
    TTempFolder folder;
    std::vector<std::string> written, notes;
    std::string error;
    ASSERT_TRUE(WriteSgfFiles(folder.Path().string(), base, {0, 1, 2, 3, 4}, written, error, &notes))
        << error;
    ASSERT_EQ(written.size(), std::size(games)) << "a name too long stops nothing";
    const std::string dir = folder.Path().string() + "/";
    size_t cut = 0;
    for (size_t i = 0; i < written.size(); ++i) {
        const std::string name = written[i].substr(dir.size());
        SCOPED_TRACE(name);
        EXPECT_LE(TemporaryPrefix(name).size() + 14, 255u) << "room for the temporary file's pid and tag";
        EXPECT_TRUE(name.ends_with(".sgf"));
        const std::string board = TextPolicy().ToUtf8(games[i].Board);
        if (!games[i].Cut) {
            EXPECT_EQ(name, board + ".sgf");
            continue;
        }
        ASSERT_LT(cut, notes.size());
        EXPECT_NE(notes[cut++].find("is too long for a file name: the game went to " + written[i]),
                  std::string::npos);
        EXPECT_EQ(board.rfind(name.substr(0, name.find(i == 2 ? " (2).sgf" : ".sgf")), 0), 0u)
            << "the start of the board code, cut between characters";
        // The file holds the whole board code: the import reads the game back as it is.
        EXPECT_NE(ReadFile(written[i]).find("GN[" + board + "]"), std::string::npos);
    }
    EXPECT_EQ(cut, notes.size());
    EXPECT_EQ(written[2].substr(written[2].size() - 8), " (2).sgf") << "the cut names of two codes met";
}

}  // namespace
}  // namespace kalvon::test
