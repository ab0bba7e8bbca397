#!/usr/bin/env bash
# Builds Quorvane and its kit and runs every test: the unit and integration tests (ctest),
# then each fuzz target for a bounded number of runs. Installs missing packages first.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc)
cmake --preset default >/dev/null
cmake --build --preset default -j "$jobs"
ctest --preset default

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
ctest --preset fuzz
