// A game typed in the entry dialog: what may be stored, how it joins the base and its catalogues,
// and that a failed save leaves memory as the file is.
#include <gtest/gtest.h>

#include <algorithm>

#include "base/BaseEdits.h"
#include "base/BaseFile.h"
#include "base/BaseLine.h"
#include "base/GameTexts.h"
#include "base/PartyEntry.h"
#include "base/TextPolicy.h"
#include "tests/engine/TestBase.h"

namespace kalvon {
namespace {

using test::ReadFile;
using test::TRecordingUi;
using test::TTempFolder;
using test::WriteFile;

class PartyEntry : public ::testing::Test {
protected:
    void SetUp() override {
        SetTextPolicy(DefaultCodePage, "");
        WriteFile(Path(), "2003, 4711=[NORD,SUED,+,8889,?,-]\r\n2004,   12=[SUED,WEST,-,88899A,J9,R]\r\n");
        ASSERT_TRUE(LoadBase(Base, Path(), Ui));
    }
    std::string Path() const { return Folder.File("base.bdt"); }
    static TPartyEntry Entry(std::string black, std::string white) {
        TPartyEntry entry;
        entry.Black = std::move(black);
        entry.White = std::move(white);
        entry.Year = "2005";
        entry.Board = " 77 ";
        entry.Result = '=';
        return entry;
    }
    // Everything of the base a reader of memory can see, one line per game.
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        for (const TPartyRecord& party : Base.PartyList) lines.push_back(FormatBaseLine(Base, party));
        lines.push_back(std::to_string(Base.PlayerCatalogue.PlayerRecords.size()) + " players, " +
                        std::to_string(Base.TurnCatalogue.TurnNames.size()) + " years");
        return lines;
    }
    TTempFolder Folder;
    TRecordingUi Ui;
    TGameBase Base;
};

TEST_F(PartyEntry, RefusesEveryFieldThatWouldBreakALineAndNamesIt) {
    struct TCase {
        std::string TPartyEntry::*Field;
        const char* Caption;
    };
    for (const TCase& field : {TCase{&TPartyEntry::Black, "Black"}, TCase{&TPartyEntry::White, "White"},
                               TCase{&TPartyEntry::Year, "Year"}, TCase{&TPartyEntry::Board, "Board"},
                               TCase{&TPartyEntry::Alt, "5 A ="}}) {
        for (const char* bad : {"a,b", "a=b", "a\tb",
                                "a\x01"
                                "b"}) {
            TPartyEntry entry = Entry("NORD", "SUED");
            entry.*field.Field = bad;
            const auto refused = CheckPartyEntry(entry);
            ASSERT_TRUE(refused.has_value()) << field.Caption << " " << bad;
            EXPECT_EQ(refused->rfind(field.Caption, 0), 0u) << *refused;
        }
    }
    TPartyEntry fine = Entry(" NORD ", "\xcf\xe5\xf2\xf0 I.");
    fine.Alt = " J9 ";
    EXPECT_EQ(CheckPartyEntry(fine), std::nullopt) << "blanks around a field are dropped, not refused";
}

// "5 A =" takes a point, an offered pair of two points, or nothing; anything else is refused with the
// reason before anything is written.
TEST_F(PartyEntry, TheAlternativeIsAPointAPairOrNothing) {
    const std::pair<const char*, const char*> rows[] = {
        {"", nullptr},
        {"?", nullptr},
        {" J9 ", nullptr},
        {"j9", nullptr},
        {"P15", nullptr},
        {"H8-J9", nullptr},
        {"h8 - k10", nullptr},
        {"2",
         "5 A = takes a point such as J9, two points joined by \"-\" such as H8-J9 (an offered pair), or "
         "nothing; \"2\" is none of them."},
        {"I5", "\"I5\" is none of them."},
        {"A16", "\"A16\" is none of them."},
        {"H8-", "\"H8-\" is none of them."},
        {"H8-J9-K10", "\"H8-J9-K10\" is none of them."},
        {"H8 J9", "\"H8 J9\" is none of them."},
        {"H8-H8", "5 A = offers two different points, not \"H8-H8\"."},
    };
    for (const auto& [alt, reason] : rows) {
        const std::optional<std::string> refused = CheckAlternative(alt);
        if (!reason) {
            EXPECT_EQ(refused, std::nullopt) << alt;
            continue;
        }
        ASSERT_TRUE(refused) << alt;
        EXPECT_NE(refused->find(reason), std::string::npos) << *refused;
        // The entry is refused whole, and nothing is stored or written.
        TPartyEntry entry = Entry("NORD", "OST");
        entry.Alt = alt;
        EXPECT_EQ(CheckPartyEntry(entry), refused);
        const std::string file = ReadFile(Path());
        const std::vector<std::string> before = Lines();
        TRecordingUi ui;
        EXPECT_EQ(StorePartyEntry(Base, entry, "8889", NoParty, Path(), ui), NoParty);
        EXPECT_EQ(ui.Messages, std::vector<std::string>{*refused});
        EXPECT_EQ(Lines(), before);
        EXPECT_EQ(ReadFile(Path()), file);
    }
}

// The game of the base that holds a key, compared as the loader pads and trims keys, other than the
// game being edited.
TEST_F(PartyEntry, TheGameThatHoldsAKeyIsFoundAsTheLoaderReadsKeys) {
    const struct {
        const char *Year, *Board;
        long Excluded, Found;
    } rows[] = {
        {"2003", "4711", NoParty, 0},
        {" 2003 ", " 4711", NoParty, 0},
        {"2003", "04711", NoParty, NoParty},
        {"2004", "12", NoParty, 1},
        {"2004", "   12", 0, 1},
        {"2004", "12", 1, NoParty},
        {"2005", "12", NoParty, NoParty},
    };
    for (const auto& row : rows)
        EXPECT_EQ(GameWithKey(Base, row.Year, row.Board, row.Excluded), row.Found)
            << row.Year << "," << row.Board;
}

TEST_F(PartyEntry, NewGameJoinsTheCataloguesAndReadsBackAsStored) {
    // A known player in another letter case, one new name for both colours, a new year, an empty
    // alternative and a padded board code. Each stored game gets the number of its line in the file.
    const long firstAt = StorePartyEntry(Base, Entry("nord", "OST"), "8889", NoParty, Path(), Ui);
    ASSERT_NE(firstAt, NoParty);
    const TPartyRecord firstStored = Base.PartyList[size_t(firstAt)];
    const long secondAt = StorePartyEntry(Base, Entry("NEU", "NEU"), "", NoParty, Path(), Ui);
    ASSERT_NE(secondAt, NoParty);
    const TPartyRecord& second = Base.PartyList[size_t(secondAt)];
    const auto found =
        std::find_if(Base.PartyList.begin(), Base.PartyList.end(), [&](const TPartyRecord& game) {
            return game.Year == firstStored.Year && game.Moves == firstStored.Moves;
        });
    ASSERT_NE(found, Base.PartyList.end());
    const TPartyRecord& first = *found;
    EXPECT_EQ(PlayerName(Base, first.BlackId), "NORD");
    EXPECT_EQ(first.Board, "   77") << "trimmed, then right-aligned as loading keeps it";
    EXPECT_EQ(PartyGroup(first), ' ');
    EXPECT_EQ(first.Alt, "?");
    EXPECT_EQ(second.BlackId, second.WhiteId) << "one player for one new name";
    EXPECT_EQ(Base.PlayerCatalogue.PlayerRecords.size(), 5u);
    EXPECT_TRUE(Base.TurnCatalogue.Contains("2005"));
    EXPECT_EQ(Base.TurnCatalogue.TurnIds.size(), 3u);

    TGameBase reread;
    ASSERT_TRUE(LoadBase(reread, Path(), Ui));
    std::vector<std::string> stored, read;
    for (const TPartyRecord& party : Base.PartyList) stored.push_back(FormatBaseLine(Base, party));
    for (const TPartyRecord& party : reread.PartyList) read.push_back(FormatBaseLine(reread, party));
    EXPECT_EQ(stored, read) << "memory holds the games in the order of the file's lines";
}

TEST_F(PartyEntry, FailedSaveLeavesMemoryAsTheFileIs) {
    // The base's folder is a file: no user, root included, can write below it.
    const std::string blocked = Folder.File("blocked");
    WriteFile(blocked, "");
    const std::vector<std::string> before = Lines();
    for (long position : {NoParty, 1L}) {
        EXPECT_EQ(StorePartyEntry(Base, Entry("NEU", "ANDERE"), "88", position, blocked + "/base.bdt", Ui),
                  NoParty);
        EXPECT_EQ(Lines(), before) << "no game, player or year was added or changed";
        EXPECT_EQ(Base.PlayerCatalogue.IdOf("NEU"), 0);
    }
    EXPECT_EQ(Ui.Messages.size(), 2u);
}

TEST_F(PartyEntry, FailedDeleteKeepsEveryGameAndTheSelection) {
    const std::string blocked = Folder.File("blocked");
    WriteFile(blocked, "");
    Base.Listing = {1};
    Base.CurrentParty = 1;
    Base.EditMode = true;
    const std::vector<std::string> before = Lines();
    EXPECT_FALSE(DeleteListedParties(Base, blocked + "/base.bdt", Ui));
    EXPECT_EQ(Lines(), before);
    EXPECT_EQ(Base.Listing, TListing{1});
    EXPECT_EQ(Base.CurrentParty, 1);
    EXPECT_TRUE(Base.EditMode);
    ASSERT_EQ(Ui.Messages.size(), 1u);
    EXPECT_NE(Ui.Messages[0].find("blocked"), std::string::npos) << "the message names the file";
}

TEST_F(PartyEntry, DeletingKeepsTheOtherLinesByteForByte) {
    // A base in saved form: its remaining lines come back exactly as they were.
    std::string saved;
    for (int i = 0; i < 40; ++i)
        saved += "19" + std::to_string(60 + i) + ",  " + std::to_string(100 + i) + "=[P" +
                 std::to_string(i % 7) + ",Q" + std::to_string(i % 5) + ",+,8889" + (i % 3 ? "9A" : "") +
                 ",?," + (i % 2 ? "R" : "-") + "]\r\n";
    WriteFile(Path(), saved);
    TGameBase base;
    ASSERT_TRUE(LoadBase(base, Path(), Ui));
    base.Listing = {39, 0, 17, 17, 5};
    ASSERT_TRUE(DeleteListedParties(base, Path(), Ui));
    std::string expected;
    size_t begin = 0;
    for (int i = 0; i < 40; ++i) {
        const size_t end = saved.find("\r\n", begin) + 2;
        if (i != 39 && i != 0 && i != 17 && i != 5) expected += saved.substr(begin, end - begin);
        begin = end;
    }
    EXPECT_EQ(ReadFile(Path()), expected);
}

}  // namespace
}  // namespace kalvon
