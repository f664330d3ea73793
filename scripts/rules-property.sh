#!/usr/bin/env bash
# The engine's line tables and black's forbidden points against the rules written out literally, on
# many more positions than the test suite takes (random crowded boards, generated games and the real
# games beside the checkout, cut near their ends), every point of each: the engine test
# RulesOracle.* with KALVON_RULES_POSITIONS set.
# usage: scripts/rules-property.sh [BUILD_DIR] [POSITIONS]   (default build-h, 100000)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-h}
positions=${2:-100000}
tests="$build/tests/kalvon_engine_tests"
[ -x "$tests" ] || { echo "rules-property.sh: $tests is not built" >&2; exit 2; }
start=$(date +%s)
KALVON_RULES_POSITIONS="$positions" "$tests" --gtest_filter='RulesOracle.*' --gtest_brief=1
echo "rules-property: $positions positions agree ($(($(date +%s) - start)) s)"
