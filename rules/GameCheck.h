// "Check Games": every game of a selection replayed under its rule, and what its record and its
// board disagree on reported game by game and move by move. Nothing of the base is changed.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/GameBase.h"
#include "rules/Forbidden.h"
#include "rules/Vcf.h"

namespace kalvon {

struct TCheckOptions {
    std::optional<TRule> Rule;            // the rule of every game; without it each game's own (GameRule)
    TRule GomokuRule = TRule::Freestyle;  // the rule of a game that does not start at the centre
    bool WonWithoutFive = false;          // report finished games whose winner has no winning row
    int MissedVcfLength = 0;  // search for VCFs the side to move missed, up to this length; 0: none
    // Each position a check asks is given less than one search of the window: a check asks tens of
    // thousands, and a position beyond the limit is passed over (no finding).
    uint64_t VcfNodeLimit = 1'000'000;
};

enum class TFindingKind : uint8_t {
    Forbidden,           // black played a forbidden point (renju)
    AfterWin,            // moves follow a winning row
    ResultContradicted,  // a winning row of the side recorded as losing or drawing
    PointTwice,          // a move on a point already taken; the game is not replayed further
    NotAPoint,           // a move code that is no point of the board; the game is not replayed further
    WonWithoutFive,      // the recorded winner has no winning row (forfeits F and f left out)
    MissedVcf,           // the side to move had a VCF, did not start it and did not win the game
};

struct TGameFinding {
    int32_t Game = 0;  // the position in PartyList
    int32_t Move = 0;  // the number of the move concerned, from 1 (0: a game without moves)
    TFindingKind Kind = TFindingKind::Forbidden;
    TForbiddenKind Forbidden = TForbiddenKind::None;  // Forbidden: its kind
    int16_t Point = NoPointNumber;                    // the move's point (Forbidden, PointTwice)
    bool EndedGame = false;                           // Forbidden: black's last move, the game won by white
    char Result = '?';                                // the game's recorded result
    TSide Side = TSide::Black;   // ResultContradicted: the row's side; MissedVcf: the side to move;
                                 // WonWithoutFive: the winner
    int32_t EarlierMove = 0;     // AfterWin, PointTwice: the winning row's / the first move on the point
    int32_t MovesAfter = 0;      // AfterWin: how many moves follow the winning row
    std::array<char, 2> Code{};  // NotAPoint: the move's characters (a NUL for a missing one)
    std::vector<int> Vcf;        // MissedVcf: the sequence
};

struct TCheckReport {
    // Game by game in the order checked, each game's by move number; the WonWithoutFive findings
    // after all others, listed apart in the same order.
    std::vector<TGameFinding> Findings;
    TListing GamesWithFindings;  // each game once, in the order checked
    size_t GamesChecked = 0;
    size_t GamesToCheck = 0;
    bool Cancelled = false;
};

// Called after every few hundred games (every game when missed VCFs are searched) with the games
// checked and the games to check; returning false cancels the check.
using TCheckProgress = std::function<bool(size_t checked, size_t total)>;

// Checks the games at the positions in games (the whole base when games is empty) and returns the
// findings; positions outside PartyList are skipped. A cancelled check returns what it found so far.
TCheckReport CheckGames(const TGameBase& base, const TListing& games, const TCheckOptions& options,
                        const TCheckProgress& progress = {});

// The finding alone, as it ends the tool's line: "forbidden 3x3 J9, ended the game", "after win:
// 2 moves after the winning row of move 41", "missed VCF for white in 3: J9 K10 L11 M12 N13", ...
std::string FindingText(const TGameFinding& finding);
// The four fields of a finding's line: the game's number from 1, its year and board as in the base
// line ("2003,  123", in the code page), "move N", and FindingText.
std::array<std::string, 4> FindingFields(const TGameBase& base, const TGameFinding& finding);
// The tool's (and the report window's) line of a finding: its fields separated by tabs.
std::string FindingLine(const TGameBase& base, const TGameFinding& finding);
// "Checked 2,492 games: 7 findings in 5 games" ("... (cancelled)").
std::string CheckSummaryText(const TCheckReport& report);

}  // namespace kalvon
