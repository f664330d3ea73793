#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# The ci preset: a Release build in which every warning is an error.
cmake --preset ci >/dev/null
cmake --build --preset ci
ctest --preset ci
