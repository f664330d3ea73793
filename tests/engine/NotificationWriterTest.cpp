// The notification writer: its move tables, its board, its file names and the files of a run.
#include <gtest/gtest.h>

#include "base/BaseEdits.h"
#include "base/PointCodes.h"
#include "base/TextFields.h"
#include "exchange/NotificationWriter.h"
#include "tests/engine/TestBase.h"

namespace kalvon::test {
namespace {

std::string Moves(const std::string& texts) {
    std::string moves;
    for (size_t from = 0; from < texts.size();) {
        const size_t end = std::min(texts.find(' ', from), texts.size());
        moves += PointTextToCode(texts.substr(from, end - from));
        from = end + 1;
    }
    return moves;
}

// The lines of a notification between the names line and the board.
std::vector<std::string> Table(const std::string& text) {
    std::vector<std::string> table;
    const std::vector<std::string_view> lines = SplitLines(text);
    for (size_t i = 9; i < lines.size() && !lines[i].empty(); ++i) table.emplace_back(lines[i]);
    return table;
}

struct TTableCase {
    const char* Title;
    const char* Moves;
    char Result;
    const char* Alt;
    std::vector<std::string> Table;
};

TEST(NotificationWriter, MoveTables) {
    const TTableCase cases[] = {
        {"gomoku, three moves", "G7 H9 J10", '+', "?", {"   1 G7         2 H9", "   3 J10        4 Resign"}},
        {"gomoku, no moves, forfeit", "", 'F', "?", {"   1 Forfeit"}},
        {"gomoku, even, draw", "A1 B2", '=', "?", {"   1 A1         2 B2"}},
        {"renju, one move", "H8", '-', "?", {"   1 Forfeit"}},
        {"renju, three moves", "H8 H9 J10", '+', "?", {"     1 H9,J10   2 Forfeit"}},
        {"renju, four moves, offered pair",
         "H8 H9 J10 G9",
         '+',
         "J10-K9",
         {"   1 H9,J10     2 G9", "     3 J10,K9   4 Forfeit"}},
        {"renju, four moves, drawn at the choice",
         "H8 H9 J10 G9",
         '=',
         "J10-K9",
         {"   1 H9,J10     2 G9", "   3 J10,K9"}},
        {"renju, four moves, no pair to carry",
         "H8 H9 J10 G9",
         '+',
         "K7",
         {"   1 H9,J10     2 G9", "   3 Forfeit"}},
        {"renju, five moves: nothing invented",
         "H8 H9 J10 G9 J7",
         '-',
         "K7",
         {"   1 H9,J10     2 G9", "   3 J7,K7      4 J7,", "                4 Resign"}},
        {"renju, six moves, alternative not a point",
         "H8 H9 J10 G9 J7 G10",
         'f',
         "J7-K7",
         {"   1 H9,J10     2 G9", "   3 J7,?       4 J7,G10", "   5 Forfeit"}},
        {"renju, eight moves",
         "H8 H9 J10 G9 J7 G10 F6 K11",
         '+',
         "k7",
         {"   1 H9,J10     2 G9", "   3 J7,k7      4 J7,G10", "   5 F6         6 K11", "   7 Resign"}},
        {"renju, nine moves",
         "H8 H9 J10 G9 J7 G10 F6 K11 E5",
         '+',
         "K7",
         {"   1 H9,J10     2 G9", "   3 J7,K7      4 J7,G10", "   5 F6         6 K11",
          "   7 E5         8 Resign"}},
        {"renju, nine moves, draw",
         "H8 H9 J10 G9 J7 G10 F6 K11 E5",
         '=',
         "K7",
         {"   1 H9,J10     2 G9", "   3 J7,K7      4 J7,G10", "   5 F6         6 K11", "   7 E5"}},
    };
    for (const TTableCase& c : cases) {
        TGameBase base;
        AddBaseLine(base, std::string("2003,123=[Alice,Bob,") + c.Result + "," + Moves(c.Moves) + "," +
                              c.Alt + ",-]");
        EXPECT_EQ(Table(NotificationText(base, base.PartyList[0])), c.Table) << c.Title;
    }
}

TEST(NotificationWriter, WholeNotificationWithItsBoard) {
    TGameBase base;
    AddBaseLine(base, "2003,  123=[Alice,Bob,+," + Moves("H8 H9 J10 G9 J7 G10 F6 K11") + ",J10-K9,R]");
    AddBaseLine(base, "2003,  124=[Alice,Bob,+," + Moves("H8 H9 J10 G9") + ",J10-K9,-]");
    const std::string text = NotificationText(base, base.PartyList[0]);
    const std::vector<std::string_view> lines = SplitLines(text);
    const std::vector<std::string_view> head(lines.begin(), lines.begin() + 9);
    EXPECT_EQ(head, (std::vector<std::string_view>{"Notification of Renju Board 123", "",
                                                   "Game won by Alice.", "", "Bob's", "Alice's", "",
                                                   "   Eks          Ohs", "   Alice        Bob         "}))
        << "colours exchanged: the white player's line first, the columns never exchanged";
    ASSERT_EQ(lines.size(), 9u + 4 + 2 + 1 + 1 + 15 + 1 + 1);
    EXPECT_EQ(lines[15], "      A B C D E F G H J K L M N O P");
    EXPECT_EQ(lines[17], "  15  - - - - - - - - - - - - - - -  15");
    // Row r stands 15 - r lines below row 15; column c is its character 2c + 5.
    auto at = [&](const std::vector<std::string_view>& board, int column, int row) {
        size_t top = 0;
        while (board[top].substr(0, 4) != "  15") ++top;
        return board[top + size_t(15 - row)][size_t(2 * column + 4)];
    };
    EXPECT_EQ(at(lines, 8, 8), 'x');
    EXPECT_EQ(at(lines, 8, 9), 'o');
    EXPECT_EQ(at(lines, 10, 11), 'O') << "the last of an even number of moves";
    EXPECT_EQ(at(lines, 6, 6), 'x');
    EXPECT_EQ(lines.back(), "      A B C D E F G H J K L M N O P");
    const std::string choiceText = NotificationText(base, base.PartyList[1]);
    const std::vector<std::string_view> choice = SplitLines(choiceText);
    EXPECT_EQ(at(choice, 7, 9), 'O');
    EXPECT_EQ(at(choice, 9, 10), '?') << "both offered points of a game standing at the choice";
    EXPECT_EQ(at(choice, 10, 9), '?');
}

TEST(NotificationWriter, FileNames) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"2003", "  123", "Renju Board 123_03.txt"},
        {"1998", "12345", "Renju Board 12345_98.txt"},
        {"12003", "123", "Renju Board 123_03.txt"},
        {"03", "123", "Renju Board 123_03.txt"},
        {"2003a", "123", "Renju Board 123_03.txt"},
        {"abc", "123", "Renju Board 123.txt"},
        {"7", "123", "Renju Board 123.txt"},
        {"2003", "12/3", "Renju Board 12 3_03.txt"},
        {"20/03", "../x", "Renju Board .. x_03.txt"},
        {"2003",
         "1\x7f"
         "2",
         "Renju Board 1 2_03.txt"},
    };
    for (const auto& [year, board, name] : cases) {
        TPartyRecord party;
        party.Year = year;
        party.Board = board;
        party.Moves = Moves("H8 H9 J10");
        EXPECT_EQ(NotificationFileName(party), name) << year << " " << board;
    }
    TPartyRecord gomoku;
    gomoku.Year = "2003";
    gomoku.Board = "7";
    gomoku.Moves = Moves("H8 H9 M12");  // no named opening
    EXPECT_EQ(NotificationFileName(gomoku), "Gomoku Board 7_03.txt");
}

TEST(WriteNotifications, ListingOrderDistinctNamesAndTheSameFilesTwice) {
    TTempFolder folder;
    TGameBase base;
    TRecordingUi ui;
    EXPECT_TRUE(WriteNotifications(base, folder.Path().string(), ui).Paths.empty());
    EXPECT_FALSE(std::filesystem::exists(folder.File("Outpbm"))) << "an empty Listing creates no folder";
    AddBaseLine(base, "2003,  123=[Alice,Bob,+," + Moves("H8 H9 J10") + ",?,-]");
    AddBaseLine(base, "1903,  123=[Carol,Bob,-," + Moves("H8 H9 J10 G9 J7") + ",K7,-]");
    AddBaseLine(base, "2003,12/3=[Alice,Bob,+,1122,?,-]");
    AddBaseLine(base, "2003,12 3=[Alice,Bob,+,1122,?,-]");
    base.Listing = {3, 0, 1, 2, 0};
    const std::string outpbm = folder.File("Outpbm");
    const std::vector<std::string> expected = {
        outpbm + "/Gomoku Board 12 3_03.txt", outpbm + "/Renju Board 123_03.txt",
        outpbm + "/Renju Board 123_03 (2).txt", outpbm + "/Gomoku Board 12 3_03 (2).txt",
        outpbm + "/Renju Board 123_03 (3).txt"};
    const TWrittenNotifications first = WriteNotifications(base, folder.Path().string(), ui);
    EXPECT_TRUE(first.Ok);
    EXPECT_EQ(first.Paths, expected);
    EXPECT_EQ(ReadFile(expected[2]), NotificationText(base, base.PartyList[1]));
    const TWrittenNotifications second = WriteNotifications(base, folder.Path().string(), ui);
    EXPECT_EQ(second.Paths, expected);
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(outpbm)) ++files;
    EXPECT_EQ(files, 5u);
    EXPECT_TRUE(ui.Messages.empty());
}

}  // namespace
}  // namespace kalvon::test
