// Memory follows the file: the games put in the file's order with what points at them, the log's
// changes composed into where each game went, and games found again in a base read anew.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "base/BaseEdits.h"
#include "base/BaseLine.h"
#include "base/GameTracker.h"
#include "base/PartyListLog.h"

namespace kalvon {
namespace {

// A base whose game g has the board code g, so that a game is known wherever it stands.
TGameBase NumberedBase(size_t games) {
    TGameBase base;
    for (size_t g = 0; g < games; ++g)
        AddBaseLine(base, "2003," + std::to_string(g) + "=[P" + std::to_string(g % 7) + ",Q,+,8889,?,-]");
    return base;
}

int BoardOf(const TBaseGames& base, size_t position) {
    return std::stoi(std::string(std::string_view(base.PartyList[position].Board)));
}

// Against the board codes: every game stands where the order puts it, and the selection and the edited
// game name the same games as before; orders that are not an order of every game change nothing.
TEST(FollowTheFile, ReorderPartiesPutsTheGamesInTheFilesOrder) {
    std::mt19937 random(5);
    for (size_t games : {0, 1, 2, 7, 300}) {
        TGameBase base = NumberedBase(games);
        std::vector<uint32_t> order(games);
        for (size_t g = 0; g < games; ++g) order[g] = uint32_t(g);
        std::shuffle(order.begin(), order.end(), random);
        if (games > 0) {
            base.Listing = {int32_t(games - 1), 0, int32_t(games - 1), 99999};
            base.CurrentParty = long(games / 2);
        }
        const TGameBase before = base;
        std::vector<std::vector<uint32_t>> bad = {std::vector<uint32_t>(games + 1, 0)};
        if (games > 1) bad.push_back(std::vector<uint32_t>(games, 0));  // a game twice, another never
        for (const std::vector<uint32_t>& notAnOrder : bad) {
            EXPECT_FALSE(ReorderParties(base, notAnOrder));
            EXPECT_EQ(base.PartyListGeneration, before.PartyListGeneration);
        }
        ASSERT_TRUE(ReorderParties(base, order));
        for (size_t line = 0; line < games; ++line) EXPECT_EQ(BoardOf(base, line), int(order[line]));
        ASSERT_EQ(base.Listing.size(), before.Listing.size());
        for (size_t i = 0; i < base.Listing.size(); ++i) {
            if (before.Listing[i] >= int32_t(games)) {
                EXPECT_EQ(base.Listing[i], before.Listing[i]) << "an entry past the end stays one";
                continue;
            }
            EXPECT_EQ(BoardOf(base, size_t(base.Listing[i])), BoardOf(before, size_t(before.Listing[i])));
        }
        if (games > 0) {
            EXPECT_EQ(BoardOf(base, size_t(base.CurrentParty)), BoardOf(before, size_t(before.CurrentParty)));
        }
    }
}

// The composed map of appends, edits, removals and renumberings against the board codes.
TEST(FollowTheFile, PositionsSinceFollowsEveryRecordedChange) {
    std::mt19937 random(6);
    TGameBase base = NumberedBase(50);
    const uint64_t start = base.PartyListGeneration;
    for (int round = 0; round < 40; ++round) {
        switch (round % 4) {
            case 0:
                AddBaseLine(base, "2004," + std::to_string(1000 + round) + "=[N,M,-,88,?,-]");
                break;
            case 1: {
                // An edit in place keeps the game's place (and here its board code).
                const long edited = long(random() % base.PartyList.size());
                TPartyRecord game = base.PartyList[size_t(edited)];
                game.Result = '=';
                ReplaceParty(base, edited, game);
                break;
            }
            case 2:
                base.Listing = {int32_t(random() % base.PartyList.size()),
                                int32_t(random() % base.PartyList.size())};
                RemoveListedParties(base);
                break;
            default: {
                std::vector<uint32_t> order(base.PartyList.size());
                for (size_t g = 0; g < order.size(); ++g) order[g] = uint32_t(g);
                std::shuffle(order.begin(), order.end(), random);
                ReorderParties(base, order);
                break;
            }
        }
    }
    // Ask again from the start, and check each of the first fifty games that is still there by a
    // second route: the board codes of the games still in the base.
    const TGameBase original = NumberedBase(50);
    const std::optional<std::vector<uint32_t>> at = PositionsSince(base, start, 50);
    ASSERT_TRUE(at.has_value());
    for (size_t g = 0; g < 50; ++g) {
        if ((*at)[g] == NoGame) continue;
        ASSERT_LT((*at)[g], base.PartyList.size());
        EXPECT_EQ(BoardOf(base, (*at)[g]), BoardOf(original, g));
    }
    EXPECT_EQ(PositionsSince(base, start + 999999, 50), std::nullopt) << "a generation the log never held";
}

// A base read again after another command sorted and changed it: each game found by its line, else its
// key; games of one line in their order; a game that is gone is none.
TEST(FollowTheFile, TheTrackerFindsGamesInTheBaseReadAgain) {
    TGameBase before;
    for (const char* line :
         {"2003, 4711=[A,B,+,8889,?,-]", "2003, 4712=[C,D,?,88,?,-]", "2003, 4713=[E,F,-,88,?,-]",
          "2003, 4713=[E,F,-,88,?,-]", "2003, 4714=[G,H,=,88,?,-]"})
        AddBaseLine(before, line);
    const TGameTracker tracker(before, {0, 1, 2, 3, 4, 77});
    TGameBase after;
    for (const char* line :
         {"2003, 4700=[NEW,GAME,+,88,?,-]", "2003, 4713=[E,F,-,88,?,-]", "2003, 4712=[C,D,+,8889,?,-]",
          "2003, 4711=[A,B,+,8889,?,-]", "2003, 4713=[E,F,-,88,?,-]"})
        AddBaseLine(after, line);
    EXPECT_EQ(tracker.Find(after), std::vector<uint32_t>({3, 2, 1, 4, NoGame, NoGame}));
}

}  // namespace
}  // namespace kalvon
