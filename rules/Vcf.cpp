#include "rules/Vcf.h"

#include <algorithm>

#include "rules/Forbidden.h"
#include "rules/MoveShape.h"

namespace kalvon {

namespace {

constexpr uint64_t PollNodes = 1024;  // nodes between looks at the clock, the flag and the caller
constexpr uint64_t AttackerKeys[2] = {0x2545f4914f6cdd1dull, 0x9e3779b97f4a7c15ull};

}  // namespace

TVcfSearch::TVcfSearch(int tableBits) : Table_(size_t(1) << tableBits) {}

bool TVcfSearch::CountNode() {
    if (Stop_ != TVcfStop::None) return false;
    if (++Nodes_ > Limits_->NodeLimit) {
        Stop_ = TVcfStop::NodeLimit;
        return false;
    }
    if (Nodes_ % PollNodes == 0) {
        if (Limits_->Cancel && Limits_->Cancel->load(std::memory_order_relaxed)) Stop_ = TVcfStop::Cancelled;
        if (Limits_->Progress && !Limits_->Progress(Nodes_)) Stop_ = TVcfStop::Cancelled;
        if (Limits_->TimeLimit.count() > 0 && std::chrono::steady_clock::now() >= Deadline_)
            Stop_ = TVcfStop::TimeLimit;
    }
    return Stop_ == TVcfStop::None;
}

bool TVcfSearch::IsForbidden(int point, TSide side) {
    return Rule_ == TRule::Renju && side == TSide::Black &&
           ForbiddenKind(*Board_, point) != TForbiddenKind::None;
}

// The attacker is to move and has no winning point; threats are the defender's winning points.
TVcfSearch::TStep TVcfSearch::Attack(int depth, const TPointSet& threats, int onlyMove) {
    if (threats.Count() >= 2) return TStep::Fail;
    if (depth <= 0) {
        DepthCut_ = true;
        return TStep::Fail;
    }
    const uint64_t key = Board_->Key() ^ AttackerKey_;
    TEntry& entry = Table_[key & (Table_.size() - 1)];
    if (entry.Generation == Generation_ && entry.Key == key && entry.Depth >= depth) {
        DepthCut_ |= entry.Depth != Unlimited;
        return TStep::Fail;
    }
    const bool cutBefore = DepthCut_;
    DepthCut_ = false;

    const TSide attacker = Attacker_, defender = Opponent(attacker);
    const bool exact = ExactFiveWins(Rule_, attacker);
    TPointSet candidates;
    if (!threats.Empty())
        candidates.Add(threats.First());  // the defender's four must be blocked
    else
        candidates = Board_->Candidates(attacker, 3);
    if (onlyMove != NoPointNumber) {
        const bool allowed = candidates.Contains(onlyMove);
        candidates = TPointSet();
        if (allowed) candidates.Add(onlyMove);
    }

    // Fours first, those that also make threes before the others: they end soonest.
    struct TMove {
        int Point, Score;
    };
    std::array<TMove, BoardPoints> moves;
    size_t count = 0;
    candidates.ForEach([&](int point) {
        int fours = 0, threes = 0;
        for (int d = 0; d < Directions; ++d) {
            const TLineShape& line = Board_->Shape(point, d, attacker, exact);
            fours += line.Fours;
            threes += line.Threes;
        }
        if (fours > 0) moves[count++] = {point, fours * 8 + threes};
    });
    std::stable_sort(moves.begin(), moves.begin() + count,
                     [](const TMove& a, const TMove& b) { return a.Score > b.Score; });

    for (size_t i = 0; i < count; ++i) {
        const int move = moves[i].Point;
        if (!CountNode()) return TStep::Abort;
        if (IsForbidden(move, attacker)) continue;
        const TPointSet wins = FivePointsThrough(*Board_, move, attacker, Rule_);
        Board_->Place(move, attacker);
        // The defender's replies: the points of the four; one that makes a winning row refutes it.
        TPointSet blocks;
        bool refuted = false;
        wins.ForEach([&](int point) {
            if (MakesFive(*Board_, point, defender, Rule_))
                refuted = true;
            else if (!IsForbidden(point, defender))
                blocks.Add(point);
        });
        TStep step = TStep::Fail;
        if (refuted) {
            step = TStep::Fail;
        } else if (blocks.Empty()) {
            step = TStep::Win;  // every block is forbidden to black
            Line_.push_back(move);
        } else if (wins.Count() >= 2) {
            if (depth >= 2) {
                // Any block leaves another point of the four: the first is shown.
                const int block = blocks.First();
                TPointSet rest = wins;
                rest.Remove(block);
                Line_.push_back(rest.First());
                Line_.push_back(block);
                Line_.push_back(move);
                step = TStep::Win;
            } else {
                DepthCut_ = true;
            }
        } else {
            const int block = blocks.First();
            const TPointSet counter = FivePointsThrough(*Board_, block, defender, Rule_);
            Board_->Place(block, defender);
            step = Attack(depth - 1, counter, NoPointNumber);
            Board_->Remove(block);
            if (step == TStep::Win) {
                Line_.push_back(block);
                Line_.push_back(move);
            }
        }
        Board_->Remove(move);
        if (step != TStep::Fail) {
            DepthCut_ = true;  // the caller stops at once; no proof hangs on the flag then
            return step;
        }
    }
    const int32_t proved = DepthCut_ ? depth : Unlimited;
    if (onlyMove == NoPointNumber &&
        (entry.Generation != Generation_ || entry.Key != key || entry.Depth < proved))
        entry = {key, Generation_, proved};
    DepthCut_ = cutBefore || DepthCut_;
    return TStep::Fail;
}

TVcfResult TVcfSearch::Find(TRuleBoard& board, TRule rule, TSide attacker, const TVcfLimits& limits,
                            int firstMove) {
    Board_ = &board;
    Rule_ = rule;
    Attacker_ = attacker;
    AttackerKey_ = AttackerKeys[size_t(attacker)];
    Limits_ = &limits;
    Deadline_ = std::chrono::steady_clock::now() + limits.TimeLimit;
    Nodes_ = 0;
    Stop_ = TVcfStop::None;
    Line_.clear();
    if (++Generation_ == 0) {
        std::fill(Table_.begin(), Table_.end(), TEntry{});
        Generation_ = 1;
    }

    TVcfResult result;
    result.Attacker = attacker;
    if (limits.Cancel && limits.Cancel->load(std::memory_order_relaxed)) {
        result.Outcome = TVcfOutcome::Stopped;
        result.Stop = TVcfStop::Cancelled;
        return result;
    }
    const TPointSet wins = WinningPoints(board, attacker, rule);
    if (!wins.Empty()) {
        // A winning row at once; a sequence that starts elsewhere does not count then.
        const int win = firstMove == NoPointNumber ? wins.First()
                                                   : (wins.Contains(firstMove) ? firstMove : NoPointNumber);
        if (win != NoPointNumber) {
            result.Outcome = TVcfOutcome::Found;
            result.Moves = {win};
            result.Length = 1;
        }
        return result;
    }
    const TPointSet threats = WinningPoints(board, Opponent(attacker), rule);
    for (int depth = 1; depth <= limits.Length; ++depth) {
        DepthCut_ = false;
        const TStep step = Attack(depth, threats, firstMove);
        // Every line ended for want of fours: no length would do.
        if (step == TStep::Fail && !DepthCut_) break;
        if (step == TStep::Win) {
            result.Outcome = TVcfOutcome::Found;
            result.Moves.assign(Line_.rbegin(), Line_.rend());
            result.Length = int(result.Moves.size() + 1) / 2;
            break;
        }
        if (step == TStep::Abort) {
            result.Outcome = TVcfOutcome::Stopped;
            result.Stop = Stop_;
            break;
        }
    }
    result.Nodes = Nodes_;
    Board_ = nullptr;
    Limits_ = nullptr;
    return result;
}

std::string VcfResultLine(const TVcfResult& result, int length) {
    switch (result.Outcome) {
        case TVcfOutcome::Found: {
            std::string line;
            for (int point : result.Moves) line += (line.empty() ? "" : " ") + TextOfPointNumber(point);
            return line;
        }
        case TVcfOutcome::NoneWithin:
            return "none within " + std::to_string(length);
        case TVcfOutcome::Stopped:
            break;
    }
    switch (result.Stop) {
        case TVcfStop::TimeLimit:
            return "unknown (time limit)";
        case TVcfStop::Cancelled:
            return "unknown (cancelled)";
        default:
            return "unknown (node limit)";
    }
}

std::string VcfStatusText(const TVcfResult& result, int length) {
    switch (result.Outcome) {
        case TVcfOutcome::Found:
            return "VCF for " + std::string(SideWord(result.Attacker)) + " in " +
                   std::to_string(result.Length) + ": " + VcfResultLine(result, length);
        case TVcfOutcome::NoneWithin:
            return "No VCF within " + std::to_string(length);
        case TVcfOutcome::Stopped:
            break;
    }
    switch (result.Stop) {
        case TVcfStop::TimeLimit:
            return "VCF search stopped at the time limit";
        case TVcfStop::Cancelled:
            return "VCF search cancelled";
        default:
            return "VCF search stopped at the node limit";
    }
}

}  // namespace kalvon
