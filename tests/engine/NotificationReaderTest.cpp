// The notification reader on hand-written notifications of the server's format.
#include <gtest/gtest.h>

#include "base/BaseEdits.h"
#include "exchange/NotificationReader.h"
#include "tests/engine/TestBase.h"

namespace kalvon::test {
namespace {

std::string Mail(std::initializer_list<std::string> lines, const std::string& end = "\r\n") {
    std::string text;
    for (const std::string& line : lines) text += line + end;
    return text;
}

// A renju game as the server mails it, with the table rows and the result line given.
std::string Renju(const std::string& result, std::initializer_list<std::string> table,
                  const std::string& names = "   Alice        Bob") {
    std::string text =
        Mail({"From: server@pbm.example", "Subject: Renju Board 4711", "", "Notification of Renju Board 4711",
              "", result, "", "Alice's", "Bob's", "", "   Eks          Ohs", names});
    text += Mail(table);
    return text + Mail({"", "", "      A B C D E F G H J K L M N O P"});
}

std::string Gomoku(const std::string& result, std::initializer_list<std::string> table) {
    std::string text = Mail(
        {"Notification of Gomoku Board 815", "", result, "", "   Eks          Ohs", "   Alice        Bob"});
    return text + Mail(table) + Mail({"", ""});
}

struct TReaderCase {
    TReaderCase(const char* title, std::string text, std::string line, size_t errorLine = 0,
                std::string errorText = "")
        : Title(title),
          Text(std::move(text)),
          Line(std::move(line)),
          ErrorLine(errorLine),
          ErrorText(std::move(errorText)) {}
    const char* Title;
    std::string Text;
    std::string Line;       // the base line expected, when read
    size_t ErrorLine = 0;   // the line of the error expected, when refused
    std::string ErrorText;  // the text the error names
};

void PrintTo(const TReaderCase& c, std::ostream* out) {
    *out << c.Title;
}

class NotificationReader : public testing::TestWithParam<TReaderCase> {};

TEST_P(NotificationReader, ReadsOrRefusesWithPlace) {
    const TReaderCase& c = GetParam();
    const TNotificationRead read = NotificationToBaseLine(c.Text, "add/Renju Board 4711_03.txt", 0);
    if (c.ErrorLine == 0) {
        ASSERT_FALSE(read.Error) << NotificationErrorText(*read.Error);
        EXPECT_EQ(read.BaseLine, c.Line);
    } else {
        ASSERT_TRUE(read.Error) << read.BaseLine;
        EXPECT_EQ(read.BaseLine, "");
        EXPECT_EQ(read.Error->File, "add/Renju Board 4711_03.txt");
        EXPECT_EQ(read.Error->Line, c.ErrorLine) << read.Error->Reason;
        EXPECT_EQ(read.Error->Text, c.ErrorText) << read.Error->Reason;
    }
}

const std::string Won = "Game won by Alice.";

INSTANTIATE_TEST_SUITE_P(
    Format, NotificationReader,
    testing::Values(
        TReaderCase{"only turn 1 played", Renju("It is Bob's turn.", {"   1 H9,J10"}),
                    "2003, 4711=[Alice,Bob,?,88899A,?,-]"},
        TReaderCase{"white wins", Renju("Game won by Bob.", {"   1 H9,J10     2 G9", "   3 Resign"}),
                    "2003, 4711=[Alice,Bob,-,88899A79,?,-]"},
        TReaderCase{"white wins by forfeit",
                    Renju("Game won by Bob.", {"   1 H9,J10     2 G9", "   3 Forfeit"}),
                    "2003, 4711=[Alice,Bob,f,88899A79,?,-]"},
        TReaderCase{"a tie", Renju("Game was a tie.", {"   1 H9,J10     2 G9", ""}),
                    "2003, 4711=[Alice,Bob,=,88899A79,?,-]"},
        TReaderCase{
            "last move in the stop line",
            Renju(Won, {"   1 H9,J10     2 G9", "   3 J7,K7      4 J7,G10", "   5 F6         6 Resign"}),
            "2003, 4711=[Alice,Bob,+,88899A79977A66,K7,-]"},
        TReaderCase{"stop line with the last move",
                    Renju(Won, {"   1 H9,J10     2 G9", "   3 J7,K7      4 J7,G10", "   5 F6         6 K11",
                                "   7 E5         8 Resign"}),
                    "2003, 4711=[Alice,Bob,+,88899A79977A66AB55,K7,-]"},
        TReaderCase{"turn 3 offered and forfeited",
                    Renju(Won, {"   1 H9,J10     2 G9", "     3 J10,K9   4 Forfeit"}),
                    "2003, 4711=[Alice,Bob,F,88899A79,J10-K9,-]"},
        TReaderCase{"turn 3 answered with the second point",
                    Renju("Game", {"   1 H9,J10     2 G9", "   3 J11,K9     4 K9,L11"}),
                    "2003, 4711=[Alice,Bob,?,88899A79A9BB,J11,-]"},
        TReaderCase{"turn 3 answered with a point the first one begins with",
                    Renju("Game", {"   1 H9,J10     2 G9", "   3 J10,J1     4 J1,L11"}),
                    "2003, 4711=[Alice,Bob,?,88899A7991BB,J10,-]"},
        TReaderCase{"turn 3 not answered yet keeps both points",
                    Renju("It is Bob's turn.", {"   1 H9,J11     2 G9", "   3 J10,K9"}),
                    "2003, 4711=[Alice,Bob,?,88899B79,J10-K9,-]"},
        TReaderCase{
            "turn 4 chose and played nothing more",
            Renju("Game", {"   1 H9,J10     2 G9", "   3 J7,k7      4 J7,", "                4 Resign"}),
            "2003, 4711=[Alice,Bob,?,88899A7997,k7,-]"},
        TReaderCase{"names with a blank in the second",
                    Renju(Won, {"   1 Resign"}, "   Alice      Bob Smith"),
                    "2003, 4711=[Alice,Bob Smith,+,88,?,-]"},
        TReaderCase{"a name that contains Eks",
                    Mail({"Notification of Gomoku Board 815", "", "Game won by Eksa.", "", "Eksa's", "Bob's",
                          "", "   Eks          Ohs", "   Eksa         Bob", "  1 H8         2 Resign", ""}),
                    "2003,  815=[Eksa,Bob,+,88,?,-]"},
        TReaderCase{"an empty winner never matches an empty name",
                    Mail({"Notification of Gomoku Board 815", "", "Game", "", "   Eks          Ohs", "   Bob",
                          "  1 H8         2 Resign", ""}),
                    "2003,  815=[,Bob,?,88,?,-]"},
        TReaderCase{"gomoku, odd number of moves",
                    Gomoku(Won, {"  1 H8         2 H9", "  3 J10        4 Resign"}),
                    "2003,  815=[Alice,Bob,+,88899A,?,-]"},
        TReaderCase{"gomoku drawn after the first column",
                    Gomoku("Game was a tie.", {"  1 H8         2 H9", "  3 J10"}),
                    "2003,  815=[Alice,Bob,=,88899A,?,-]"},
        TReaderCase{"quoted mail",
                    Mail({"Bob wrote:", "> Notification of Renju Board 4711", ">", "> Game won by Alice.",
                          ">", ">    Eks          Ohs", ">    Alice        Bob", ">    1 H9,J10     2 G9",
                          ">    3 Resign", ">"}),
                    "2003, 4711=[Alice,Bob,+,88899A79,?,-]"},
        TReaderCase{"line ends CR, NUL ends the text",
                    Mail({"Notification of Gomoku Board 815", "", Won, "   Eks          Ohs",
                          "   Alice        Bob", "  1 H8         2 Resign", "", ""},
                         "\r") +
                        std::string("\0junk", 5),
                    "2003,  815=[Alice,Bob,+,88,?,-]"},
        TReaderCase{
            "five-digit board",
            Mail({"Notification of Gomoku Board 12345", Won, "   Eks Ohs", "   Alice Bob", " 1 Resign"},
                 "\n"),
            "2003,12345=[Alice,Bob,+,,?,-]"},
        TReaderCase{"no header line", Mail({"Dear Alice,", "your move in Renju Game 4711 please."}), ""},
        // Refused notifications: line and text of the fault.
        TReaderCase{"a point that is no point", Gomoku(Won, {"  1 H8         2 Z9", "  3 Resign"}), "", 7,
                    "Z9"},
        TReaderCase{"a point taken twice", Gomoku(Won, {"  1 H8         2 H8", "  3 Resign"}), "", 7, "H8"},
        TReaderCase{"the centre taken again in renju", Renju(Won, {"   1 H8,J10     2 G9", "   3 Resign"}),
                    "", 13, "H8"},
        TReaderCase{"a turn number that is no number", Renju(Won, {"   1 H9,J10     2 G9", "   x J7,K7"}), "",
                    14, "x"},
        TReaderCase{"turn 1 without its comma", Renju(Won, {"   1 H9 J10     2 G9", "   3 Resign"}), "", 13,
                    "1 H9 J10     2 G9"},
        TReaderCase{"a comma in a name", Renju(Won, {"   1 Resign"}, "   Alice        Bob,Jr"), "", 12,
                    "Bob,Jr"},
        TReaderCase{
            "an equals sign in the board",
            Mail({"Notification of Gomoku Board 8=15", Won, "   Eks Ohs", "   Alice Bob", " 1 Resign"}), "",
            1, "8=15"},
        TReaderCase{
            "no stop line before the end",
            Mail({"Notification of Gomoku Board 815", Won, "   Eks Ohs", "   Alice Bob", "  1 H8    2 H9"}),
            "", 5, ""},
        TReaderCase{"no column heads",
                    Mail({"Notification of Gomoku Board 815", "Game won by Eksa.", "Eksa's", ""}), "", 2,
                    ""}),
    [](const testing::TestParamInfo<TReaderCase>& row) {
        std::string name;
        for (const char* c = row.param.Title; *c; ++c)
            if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
        return name;
    });

TEST(NotificationYear, FromTheFileNameElseTheFileDate) {
    std::tm local{};
    local.tm_year = 2011 - 1900;
    local.tm_mon = 5;
    local.tm_mday = 15;
    local.tm_hour = 12;
    const std::time_t june2011 = std::mktime(&local);
    const std::pair<const char*, int> cases[] = {
        {"Renju Board 123_98.txt", 1998},
        {"Renju Board 123_07.txt", 2007},
        {"Renju Board 123_03.txt", 2003},
        {"Renju_Board_4711_03.txt", 2003},
        {"my_games 4711_03.txt", 2003},
        {"Renju Board 123_03 (2).txt", 2003},
        {"Renju Board 123-05.TXT", 2005},
        {"a_12 b-07.txt", 2007},
        {"x_50", 1950},
        {"x_49", 2049},
        {"Renju Board 123.txt", 2011},
        {"x_5a.txt", 2011},
        {"add_09/Renju Board 123.txt", 2011},
        {"my-games_x.txt", 2011},
    };
    for (const auto& [name, year] : cases) EXPECT_EQ(NotificationYear(name, june2011), year) << name;
}

TEST(ReadNotification, AddsTheGameOrNothingAndNeverTouchesTheFile) {
    TTempFolder folder;
    const std::string good = Renju(Won, {"   1 H9,J10     2 G9", "   3 Resign"});
    WriteFile(folder.File("Renju Board 4711_03.txt"), good);
    WriteFile(folder.File("bad_03.txt"), Renju(Won, {"   1 H9,J10     2 Q9", "   3 Resign"}));
    TGameBase base;
    AddBaseLine(base, "2001,    1=[Carol,Alice,+,88,?,-]");
    TNotificationError error;
    EXPECT_EQ(ReadNotification(base, folder.Path().string(), "Renju Board 4711_03.txt", error),
              "2003, 4711=[Alice,Bob,+,88899A79,?,-]");
    ASSERT_EQ(base.PartyList.size(), 2u);
    EXPECT_EQ(base.PlayerCatalogue.PlayerRecords.size(), 3u) << "Alice known, Bob new";
    EXPECT_EQ(ReadNotification(base, folder.Path().string(), "bad_03.txt", error), std::nullopt);
    EXPECT_EQ(NotificationErrorText(error),
              "File " + folder.File("bad_03.txt") + ", line 13: not a point of the board: \"Q9\"");
    EXPECT_EQ(ReadNotification(base, folder.Path().string(), "missing.txt", error), std::nullopt);
    EXPECT_NE(NotificationErrorText(error).find("missing.txt: cannot be read: No such file"),
              std::string::npos);
    EXPECT_EQ(base.PartyList.size(), 2u);
    EXPECT_EQ(ReadFile(folder.File("Renju Board 4711_03.txt")), good);
}

}  // namespace
}  // namespace kalvon::test
