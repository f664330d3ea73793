// The search for a victory by continuous fours (VCF): every move of the attacker makes a four, every
// reply of the defender blocks it, until the attacker makes a winning row (or, white attacking under
// renju, makes a four whose every block is forbidden to black).
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "rules/RuleBoard.h"

namespace kalvon {

inline constexpr int DefaultVcfLength = 16;
// Generous, a few seconds: of the positions of 500 real games of standard gomoku (Gomocup 2021),
// every one of 31,612 but the ten densest (80 stones and more) is decided within it.
inline constexpr uint64_t DefaultVcfNodeLimit = 10'000'000;
inline constexpr int DefaultVcfTableBits = 20;

struct TVcfLimits {
    int Length = DefaultVcfLength;  // the attacker's moves, the last one included
    uint64_t NodeLimit = DefaultVcfNodeLimit;
    std::chrono::milliseconds TimeLimit{0};        // 0: none
    const std::atomic<bool>* Cancel = nullptr;     // set from another thread to stop the search
    std::function<bool(uint64_t nodes)> Progress;  // called every few thousand nodes; false stops
};

enum class TVcfOutcome { Found, NoneWithin, Stopped };
enum class TVcfStop { None, NodeLimit, TimeLimit, Cancelled };

struct TVcfResult {
    TVcfOutcome Outcome = TVcfOutcome::NoneWithin;
    TVcfStop Stop = TVcfStop::None;
    TSide Attacker = TSide::Black;
    // The attacker's and the defender's moves alternately, the attacker's first and last.
    std::vector<int> Moves;
    int Length = 0;  // the attacker's moves in Moves
    uint64_t Nodes = 0;
};

// One search at a time; keeps its transposition table between searches, so that a caller asking
// many positions (a check of a whole base) allocates it once.
class TVcfSearch {
public:
    // A table of 2^tableBits entries of 16 bytes: the default's million keeps the searches of dense
    // positions, which run to millions of nodes, from forgetting what they proved.
    explicit TVcfSearch(int tableBits = DefaultVcfTableBits);

    // The shortest VCF of the attacker on the board within the limits' length, found by iterative
    // deepening: Found with its moves, NoneWithin when the search proved there is none, or Stopped
    // with the reason when a limit or the caller stopped it first. When the defender already has a
    // four, the attacker's first move must make a winning row or block it with a four. With a
    // firstMove, only sequences starting there count (a winning row elsewhere does not). The board
    // is used for the search and comes back as it was.
    TVcfResult Find(TRuleBoard& board, TRule rule, TSide attacker, const TVcfLimits& limits,
                    int firstMove = NoPointNumber);

private:
    enum class TStep { Win, Fail, Abort };
    struct TEntry {
        uint64_t Key = 0;
        uint32_t Generation = 0;
        int32_t Depth = 0;  // no VCF within this length (Unlimited: none of any length)
    };
    static constexpr int32_t Unlimited = 1 << 30;
    TStep Attack(int depth, const TPointSet& threats, int onlyMove);
    bool CountNode();
    bool IsForbidden(int point, TSide side);

    std::vector<TEntry> Table_;
    uint32_t Generation_ = 0;
    // The search in progress.
    TRuleBoard* Board_ = nullptr;
    TRule Rule_ = TRule::Renju;
    TSide Attacker_ = TSide::Black;
    uint64_t AttackerKey_ = 0;
    const TVcfLimits* Limits_ = nullptr;
    std::chrono::steady_clock::time_point Deadline_;
    uint64_t Nodes_ = 0;
    TVcfStop Stop_ = TVcfStop::None;
    bool DepthCut_ = false;  // a line of the search so far ended at the length, not for want of fours
    std::vector<int> Line_;  // the moves found, last first
};

// The tool's line: the moves as point texts separated by blanks, "none within N", or "unknown (node
// limit)" ("time limit", "cancelled").
std::string VcfResultLine(const TVcfResult& result, int length);
// The status line's text: "VCF for black in 7: J9 K10 ...", "No VCF within 16", or "VCF search
// stopped at the node limit" ("at the time limit", "VCF search cancelled").
std::string VcfStatusText(const TVcfResult& result, int length);

}  // namespace kalvon
