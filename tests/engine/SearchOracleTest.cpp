// The fast search against the plain string-by-string model, on many bases and many positions: games'
// own openings, their transpositions and mirror images, symmetric positions, positions no game
// reached, whole games, positions deeper than the index, stored games with broken move strings, and
// queries.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "base/BaseEdits.h"
#include "base/BaseFile.h"
#include "base/BaseLine.h"
#include "base/PartyEntry.h"
#include "generator/BaseGenerator.h"
#include "search/ShiftStatistic.h"
#include "search/Statistic.h"
#include "search/StatisticLines.h"
#include "tests/engine/LiteralSearch.h"
#include "tests/engine/TestBase.h"

namespace kalvon {
namespace {

using TRandom = std::mt19937_64;

std::string RandomPoint(TRandom& random) {
    return {literal::Digits[random() % 15], literal::Digits[random() % 15]};
}

bool HasPoint(const std::string& moves, const std::string& point) {
    for (size_t i = 0; i + 1 < moves.size(); i += 2)
        if (moves.compare(i, 2, point) == 0) return true;
    return false;
}

std::string Transformed(const std::string& moves, int t) {
    std::string out;
    for (size_t i = 0; i + 1 < moves.size(); i += 2) out += literal::TransformPoint(moves.substr(i, 2), t);
    return out;
}

// The same stones reached in another order: black moves shuffled among themselves, white likewise.
std::string Transposed(const std::string& moves, TRandom& random) {
    std::vector<std::string> black, white;
    for (size_t i = 0; i + 1 < moves.size(); i += 2)
        (i / 2 % 2 == 0 ? black : white).push_back(moves.substr(i, 2));
    std::shuffle(black.begin(), black.end(), random);
    std::shuffle(white.begin(), white.end(), random);
    std::string out;
    for (size_t i = 0; i < black.size() + white.size(); ++i) out += i % 2 == 0 ? black[i / 2] : white[i / 2];
    return out;
}

std::string MovesField(const std::string& line) {
    std::string_view inner(line);
    inner = inner.substr(line.find('[') + 1);
    for (int field = 0; field < 3; ++field) inner = inner.substr(inner.find(',') + 1);
    return std::string(inner.substr(0, inner.find(',')));
}

// A base of a few openings played again and again, turned, mirrored and transposed, so that games
// share positions in every way the search must recognise; some games are cut short, some repeat a
// shorter game, some carry broken move strings.
std::vector<std::string> DenseBaseLines(size_t games, uint64_t seed) {
    TRandom random(seed);
    std::vector<std::string> stems;
    for (int s = 0; s < 24; ++s) {
        std::string stem = random() % 3 == 0 ? "" : "88";
        while (stem.size() < 2 * (4 + random() % 10)) {
            std::string point = RandomPoint(random);
            if (!HasPoint(stem, point)) stem += point;
        }
        stems.push_back(stem);
    }
    const char results[] = "+-=?Ff+-+-";
    const char* names[] = {"NORD", "SUED", "OST", "WEST", "Mitte", "nord"};
    std::vector<std::string> lines;
    for (size_t g = 0; g < games; ++g) {
        std::string moves = stems[random() % stems.size()];
        size_t extra = random() % 4 == 0 ? 30 + random() % 20 : random() % 8;
        if (!lines.empty() && random() % 5 == 0) {
            // A later game of an earlier one: the same moves, or the same moves up to a late variation.
            moves = literal::ValidMoves(MovesField(lines[random() % lines.size()]));
            if (moves.size() > 60 && random() % 2 == 0) {
                const size_t at = 28 + random() % (moves.size() / 2 - 28);
                const std::string point = RandomPoint(random);
                if (!HasPoint(moves, point)) moves.replace(2 * at, 2, point);
            }
            extra = random() % 3;
        } else {
            moves = moves.substr(0, 2 * (random() % (moves.size() / 2 + 1)));
        }
        if (random() % 2) moves = Transposed(moves, random);
        moves = Transformed(moves, int(1 + random() % 8));
        for (size_t k = 0; k < extra; ++k) {
            std::string point = RandomPoint(random);
            if (!HasPoint(moves, point)) moves += point;
        }
        switch (random() % 40) {
            case 0:
                moves += "8";
                break;  // odd length
            case 1:
                moves.insert(moves.size() / 2 & ~size_t(1), "x9");
                break;  // a stray character
            case 2:
                moves += "0A88";
                break;  // a zero is no digit
            case 3:
                moves += moves.substr(0, 2);
                break;  // a point played twice
            default:
                break;
        }
        const int black = int(random() % 6);
        int white = int(random() % 6);
        if (white == black) white = (white + 1) % 6;
        const std::string board = std::string(1, "ab c"[random() % 4]) + std::to_string(1000 + g);
        lines.push_back(std::to_string(2000 + random() % 4) + "," + board + "=[" + names[black] + "," +
                        names[white] + "," + results[random() % 10] + "," + moves + ",?,-]");
    }
    return lines;
}

TGameBase BaseOf(const std::vector<std::string>& lines) {
    TGameBase base;
    for (const std::string& line : lines) AddBaseLine(base, line);
    return base;
}

// Positions to search in a base: mostly openings of its games in every disguise, a few that no game
// reached, and some whole games.
std::string PickPosition(const TGameBase& base, TRandom& random) {
    const std::string moves = literal::ValidMoves(base.PartyList[random() % base.PartyList.size()].Moves);
    const size_t count = moves.size() / 2;
    switch (random() % 10) {
        case 0:
            return moves;  // a game that ends exactly at the position
        case 1: {          // a position no game needs to have reached
            std::string position = moves.substr(0, 2 * std::min<size_t>(count, random() % 6));
            return position + RandomPoint(random) + RandomPoint(random);
        }
        case 2: {  // a symmetric position: stones and their mirror image
            const std::string half = moves.substr(0, 2 * std::min<size_t>(count, 1 + random() % 3));
            return half + Transformed(half, int(2 + random() % 7));
        }
        default:
            break;
    }
    // Small positions are the most common on the board; deep ones reach past the index.
    const size_t length = random() % 3 == 0 ? random() % (count + 1) : std::min<size_t>(count, random() % 7);
    std::string position = moves.substr(0, 2 * length);
    if (random() % 3 == 0) position = Transposed(position, random);
    if (random() % 2 == 0) position = Transformed(position, int(1 + random() % 8));
    return position;
}

TQueryCriteria RandomCriteria(const TGameBase& base, TRandom& random) {
    TQueryCriteria q;
    q.QueryOn = random() % 4 != 0;
    q.NotFinishedOn = random() % 5 == 0;
    q.YearOn = random() % 4 == 0;
    q.QueryYear = base.PartyList[random() % base.PartyList.size()].Year;
    q.PlayerOn = random() % 2 == 0;
    const auto players = int32_t(base.PlayerCatalogue.PlayerRecords.size());
    q.PlayerId = 1 + int32_t(random() % uint64_t(players));
    q.PlayerColour = int(random() % 4);  // 3 is no colour: no game passes
    q.OpponentOn = random() % 3 == 0;
    q.OpponentId = 1 + int32_t(random() % uint64_t(players));
    q.GroupOn = random() % 5 == 0;
    q.GroupChar = base.PartyList[random() % base.PartyList.size()].Board[0];
    return q;
}

void ExpectSame(TGameBase& base, TPositionIndex& index, const std::string& position,
                const TQueryCriteria& q) {
    base.CurrentMoves = position;
    const TStatistic stat = MakeStatistic(base, q, index);
    const literal::TResult model = literal::MakeStatistic(base, position, q);
    ASSERT_EQ(base.Listing, model.Listing) << position;
    ASSERT_EQ(stat.NextMoveTable, model.NextMoveTable()) << position;
    ASSERT_EQ(stat.TotalCount, model.TotalCount.ToResultCount()) << position;
    ASSERT_EQ(StatisticMemoLines(stat), model.MemoLines) << position;
    ASSERT_EQ(StatisticMessageText(stat), model.MessageText) << position;
}

void ExpectSameShift(TGameBase& base, TPositionIndex& index, const std::string& position, int s) {
    base.CurrentMoves = position;
    const TResultCount count = ShiftStatistic(base, s, index);
    const literal::TShiftResult model = literal::ShiftStatistic(base, position, s);
    ASSERT_EQ(base.Listing, model.Listing) << position << " shift " << s;
    ASSERT_EQ(count, model.Count.ToResultCount()) << position << " shift " << s;
}

// Runs positions (a share of them under a random query) and shifted positions on one base.
void CompareOnBase(TGameBase base, uint64_t seed, int positions, int queried, int shifted) {
    TRandom random(seed);
    TPositionIndex index;
    const TQueryCriteria none;
    for (int i = 0; i < positions; ++i) {
        ExpectSame(base, index, PickPosition(base, random), none);
        if (::testing::Test::HasFatalFailure()) return;
    }
    for (int i = 0; i < queried; ++i) {
        ExpectSame(base, index, PickPosition(base, random), RandomCriteria(base, random));
        if (::testing::Test::HasFatalFailure()) return;
    }
    for (int i = 0; i < shifted; ++i) {
        // Shifts need black on the centre after the move, so start from games that pass near it.
        ExpectSameShift(base, index, PickPosition(base, random), int(1 + i % 2));
        if (::testing::Test::HasFatalFailure()) return;
    }
}

TEST(SearchOracle, GeneratedBase) {
    CompareOnBase(BaseOf(bench::GenerateBaseLines({.Games = 3000, .Seed = 11})), 1, 6000, 2000, 600);
}

TEST(SearchOracle, GeneratedGomokuBase) {
    CompareOnBase(BaseOf(bench::GenerateBaseLines({.Games = 1500, .Seed = 12, .GomokuShare = 1.0})), 2, 3000,
                  1000, 300);
}

TEST(SearchOracle, DenseBaseWithTranspositionsAndBrokenGames) {
    CompareOnBase(BaseOf(DenseBaseLines(1500, 5)), 3, 6000, 2000, 600);
}

TEST(SearchOracle, RealGames) {
    const std::string path = KALVON_SHARED_DATA "/gomocup-standard-2021.bdt";
    if (!std::filesystem::exists(path)) GTEST_SKIP() << path << " is absent";
    TGameBase base;
    test::TRecordingUi ui;
    ASSERT_TRUE(LoadBase(base, path, ui));
    CompareOnBase(std::move(base), 4, 3000, 600, 300);
}

// Every depth from the empty board to the full one, on an empty base too: positions of 0 to 225
// moves that no game reaches, and the openings of the longest game.
TEST(SearchOracle, EveryDepthFromTheEmptyToTheFullBoard) {
    std::vector<std::string> points;
    for (char column : literal::Digits)
        for (char row : literal::Digits) points.push_back({column, row});
    std::shuffle(points.begin(), points.end(), TRandom(13));
    std::string all;
    for (const std::string& point : points) all += point;
    for (TGameBase base : {TGameBase{}, BaseOf(DenseBaseLines(300, 14))}) {
        std::string longest;
        for (const TPartyRecord& party : base.PartyList)
            if (literal::ValidMoves(party.Moves).size() > longest.size())
                longest = literal::ValidMoves(party.Moves);
        TPositionIndex index;
        for (size_t n = 0; n <= points.size(); ++n) {
            ExpectSame(base, index, all.substr(0, 2 * n), {});
            if (2 * n <= longest.size()) ExpectSame(base, index, longest.substr(0, 2 * n), {});
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
}

// Positions deeper than the moves the index sorts by, up to the full board: openings of long games in
// every disguise, the same with a stone moved or points added so that no game need reach them, and
// a board filled point by point; with and without a query.
TEST(SearchOracle, PositionsPastTheSortedMoves) {
    TGameBase base = BaseOf(DenseBaseLines(1500, 21));
    TRandom random(22);
    std::vector<std::string> longGames;
    for (const TPartyRecord& party : base.PartyList)
        if (const std::string moves = literal::ValidMoves(party.Moves);
            moves.size() > 2 * TPositionIndex::Depth)
            longGames.push_back(moves);
    ASSERT_GT(longGames.size(), 50u);
    std::string board;
    for (char column : literal::Digits)
        for (char row : literal::Digits) board += {column, row};
    TPositionIndex index;
    for (int i = 0; i < 3000; ++i) {
        const std::string& game = longGames[random() % longGames.size()];
        const size_t count = game.size() / 2;
        std::string position = game.substr(0, 2 * (TPositionIndex::Depth + random() % (count - 31)));
        switch (random() % 4) {
            case 0:
                position = Transposed(position, random);
                break;
            case 1: {  // the last stone elsewhere
                const std::string point = RandomPoint(random);
                if (!HasPoint(position, point)) position.replace(position.size() - 2, 2, point);
                break;
            }
            case 2:  // points no game played, up to the full board
                for (size_t k = 0, extra = random() % 200; k < board.size() && extra > 0; k += 2)
                    if (!HasPoint(position, board.substr(k, 2)) && random() % 2 == 0) {
                        position += board.substr(k, 2);
                        --extra;
                    }
                break;
            default:
                break;
        }
        if (random() % 2 == 0) position = Transformed(position, int(1 + random() % 8));
        ExpectSame(base, index, position,
                   random() % 3 == 0 ? RandomCriteria(base, random) : TQueryCriteria{});
        if (::testing::Test::HasFatalFailure()) return;
    }
    std::shuffle(longGames.begin(), longGames.end(), random);
    for (size_t n = 0; n <= board.size() / 2; ++n) {
        ExpectSame(base, index, Transposed(board.substr(0, 2 * n), random), {});
        if (::testing::Test::HasFatalFailure()) return;
    }
}

// Memory holds the games in the order of the file's lines, so that a game's number in the program is
// its number in the file.
void ExpectMemoryIsFile(const TGameBase& base, const std::string& path) {
    std::string memory;
    for (const TPartyRecord& game : base.PartyList) memory += FormatBaseLine(base, game) + "\r\n";
    EXPECT_EQ(memory, test::ReadFile(path));
}

// The index follows every engine routine that changes PartyList by the changes it records, without
// sorting every game again, and starts over only after a load, a clear, many games added at once or
// more changes than the base keeps.
TEST(SearchOracle, IndexFollowsTheChangesWithoutStartingOver) {
    test::TTempFolder folder;
    const std::string path = folder.File("base.bdt");
    TGameBase base = BaseOf(DenseBaseLines(600, 31));
    TRandom random(32);
    TPositionIndex index;
    test::TRecordingUi ui;
    // Positions from the games touched last as well as from any game.
    auto check = [&](const std::vector<long>& touched) {
        for (int i = 0; i < 12; ++i) {
            std::string position = PickPosition(base, random);
            if (!touched.empty() && i % 2 == 0) {
                const std::string moves =
                    literal::ValidMoves(base.PartyList[size_t(touched[random() % touched.size()])].Moves);
                position = moves.substr(0, 2 * (random() % (moves.size() / 2 + 1)));
            }
            ExpectSame(base, index, position, i % 3 == 0 ? RandomCriteria(base, random) : TQueryCriteria{});
            if (::testing::Test::HasFatalFailure()) return;
        }
    };
    check({});
    ASSERT_EQ(index.Rebuilds(), 1u);
    for (int round = 0; round < 60; ++round) {
        std::vector<long> touched;
        auto scattered = [&](size_t count) {
            base.Listing.clear();
            for (size_t k = 0; k < count; ++k) base.Listing.push_back(long(random() % base.PartyList.size()));
        };
        switch (round % 6) {
            case 0: {
                const TBaseMark mark = MarkBase(base);
                for (const std::string& line : DenseBaseLines(1 + random() % 30, random()))
                    AddBaseLine(base, line);
                if (round % 12 == 0) RemoveAddedSince(base, mark);  // the run taken out again
                for (size_t g = mark.Parties; g < base.PartyList.size(); ++g) touched.push_back(long(g));
                break;
            }
            case 1: {
                const long edited = long(random() % base.PartyList.size());
                TPartyRecord party = base.PartyList[size_t(edited)];
                party.Moves = base.PartyList[random() % base.PartyList.size()].Moves;
                party.Result = "+-=?"[random() % 4];
                ASSERT_TRUE(ReplaceParty(base, edited, party));
                touched.push_back(edited);
                break;
            }
            case 2:
                scattered(1 + random() % 6);
                RemoveListedParties(base);
                break;
            case 3:
                scattered(1 + random() % 6);
                ASSERT_TRUE(DeleteListedParties(base, path, ui));
                ExpectMemoryIsFile(base, path);
                break;
            case 4: {
                const TPartyEntry entry{"NORD", "OST", "2004", "b77", "?", '+', false};
                const long edited = round % 2 == 0 ? NoParty : long(random() % base.PartyList.size());
                const long stored =
                    StorePartyEntry(base, entry, PickPosition(base, random), edited, path, ui);
                ASSERT_NE(stored, NoParty);
                ExpectMemoryIsFile(base, path);
                EXPECT_EQ(base.PartyList[size_t(stored)].Board, "  b77") << "the number is the stored game's";
                touched.push_back(stored);
                break;
            }
            default: {
                // A new game stored where the save fails: the base takes it out again.
                const TPartyEntry entry{"SUED", "WEST", "2004", "c78", "?", '-', false};
                EXPECT_EQ(
                    StorePartyEntry(base, entry, "8889", NoParty, folder.File("no/such/folder.bdt"), ui),
                    NoParty);
                break;
            }
        }
        check(touched);
        if (::testing::Test::HasFatalFailure()) return;
        ASSERT_EQ(index.Rebuilds(), 1u) << "round " << round;
    }

    // More games at once than the recent part holds are sorted in with the rest.
    for (const std::string& line : bench::GenerateBaseLines({.Games = 5000, .Seed = 33}))
        AddBaseLine(base, line);
    check({});
    EXPECT_EQ(index.Rebuilds(), 2u);
    // A copy of the base that went its own way is searched right by the same index.
    TGameBase other = base;
    for (const std::string& line : DenseBaseLines(20, 34)) AddBaseLine(other, line);
    base.Listing = {0, 1, 2};
    RemoveListedParties(base);
    for (TGameBase* searched : {&other, &base, &other}) {
        std::swap(base, *searched);
        check({});
        std::swap(base, *searched);
        if (::testing::Test::HasFatalFailure()) return;
    }
    ClearLists(base);
    ExpectSame(base, index, "8889", {});
    ASSERT_TRUE(SaveBase(other, path, ui));
    ASSERT_TRUE(LoadBase(base, path, ui));
    check({});
}

// The index follows PartyList through appends, deletions, edits in place and a reload to the same size.
TEST(SearchOracle, IndexFollowsTheBase) {
    TGameBase base = BaseOf(DenseBaseLines(400, 9));
    TRandom random(10);
    TPositionIndex index;
    const TQueryCriteria none;
    for (int round = 0; round < 30; ++round) {
        switch (round % 3) {
            case 0:
                for (const std::string& line : DenseBaseLines(1 + random() % 40, random()))
                    AddBaseLine(base, line);
                break;
            case 1: {
                base.Listing = {int32_t(random() % base.PartyList.size())};
                RemoveListedParties(base);
                if (round % 2 == 0) {
                    // Emptied and refilled with as many other games: storage and size may stay the same.
                    const size_t count = base.PartyList.size();
                    ClearLists(base);
                    for (const std::string& line : DenseBaseLines(count, random())) AddBaseLine(base, line);
                }
                break;
            }
            default: {
                const long edited = long(random() % base.PartyList.size());
                TPartyRecord party = base.PartyList[size_t(edited)];
                party.Moves =
                    base.PartyList[random() % base.PartyList.size()].Moves.substr(0, 2 * (random() % 9));
                party.Result = "+-=?"[random() % 4];
                ReplaceParty(base, edited, party);
                break;
            }
        }
        for (int i = 0; i < 40; ++i) {
            ExpectSame(base, index, PickPosition(base, random), none);
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
}

}  // namespace
}  // namespace kalvon
