// The rules on any position: the first byte chooses the rule (and whether the threat is asked), each
// further byte a move (its value modulo 225, the next free point when that one is taken). Black's
// forbidden points must be empty points that make no five, of the kind the literal rules give; a
// VCF found must be one move by move under the literal rules; and neither may change the board.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "rules/Forbidden.h"
#include "rules/MoveShape.h"
#include "rules/Vcf.h"
#include "tests/engine/LiteralVcf.h"

using namespace kalvon;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const TRule rule = data[0] % 3 == 0   ? TRule::Renju
                       : data[0] % 3 == 1 ? TRule::Freestyle
                                          : TRule::Standard;
    const bool threat = (data[0] >> 2) & 1;
    std::string moves;
    std::array<bool, BoardPoints> taken{};
    // A hundred moves are more than most games and leave the literal rules fast enough to ask.
    for (size_t i = 1; i < size && moves.size() < 2 * 100; ++i) {
        int point = data[i] % BoardPoints;
        while (taken[size_t(point)]) point = (point + 1) % BoardPoints;
        taken[size_t(point)] = true;
        moves += CodeOfPointNumber(point);
    }
    TRuleBoard board;
    KALVON_FUZZ_CHECK(PlaceMoves(board, moves));
    const uint64_t key = board.Key();
    test::TLiteralBoard literal;
    KALVON_FUZZ_CHECK(literal.Play(moves));

    const std::vector<TForbiddenPoint> forbidden = ForbiddenPoints(board, rule);
    for (size_t i = 0; i < forbidden.size(); ++i) {
        const int point = forbidden[i].Point;
        KALVON_FUZZ_CHECK(rule == TRule::Renju && forbidden[i].Kind != TForbiddenKind::None);
        KALVON_FUZZ_CHECK(board.IsEmpty(point) && (i == 0 || forbidden[i - 1].Point < point));
        KALVON_FUZZ_CHECK(!MakesFive(board, point, TSide::Black, rule));
        // The literal rules are slow: the first few only.
        if (i < 3) KALVON_FUZZ_CHECK(literal.Forbidden(point / 15 + 1, point % 15 + 1) == forbidden[i].Kind);
    }
    // A few empty points chosen by the input: allowed ones are allowed by the literal rules too.
    for (size_t i = 1; i < size && i < 3; ++i) {
        const int point = (data[size - i] * 7 + 3) % BoardPoints;
        if (!board.IsEmpty(point)) continue;
        KALVON_FUZZ_CHECK(ForbiddenKind(board, point) == literal.Forbidden(point / 15 + 1, point % 15 + 1));
    }
    KALVON_FUZZ_CHECK(board.Key() == key);

    const TSide toMove = SideToMove(moves.size() / 2);
    const TSide attacker = threat ? Opponent(toMove) : toMove;
    static TVcfSearch search;  // kept between inputs: its table of a megabyte would be made for each
    TVcfLimits limits;
    limits.Length = 10;
    limits.NodeLimit = 1000;
    const TVcfResult result = search.Find(board, rule, attacker, limits);
    KALVON_FUZZ_CHECK(board.Key() == key);
    if (result.Outcome == TVcfOutcome::Found) {
        KALVON_FUZZ_CHECK(result.Length == int(result.Moves.size() + 1) / 2 &&
                          result.Length <= limits.Length);
        std::vector<test::TSpot> spots;
        for (int point : result.Moves) spots.push_back({point / 15 + 1, point % 15 + 1});
        KALVON_FUZZ_CHECK(test::VcfLineFault(literal, rule, attacker, spots).empty());
    } else {
        KALVON_FUZZ_CHECK(result.Moves.empty());
    }
    return 0;
}
