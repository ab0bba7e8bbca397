#!/usr/bin/env bash
# Builds Quorvane and its kit and runs every test: the unit and integration tests (ctest) in
# the default build, again under AddressSanitizer+UndefinedBehaviorSanitizer and under
# ThreadSanitizer, then each fuzz target for a bounded number of runs. Installs missing
# packages first. Prints how long each build and each test run took.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc)

timed() {
  local label=$1
  shift
  local start=$SECONDS
  "$@"
  echo "== $label: $((SECONDS - start)) s"
}

for preset in default asan tsan; do
  cmake --preset "$preset" >/dev/null
  timed "build $preset" cmake --build --preset "$preset" -j "$jobs"
  timed "ctest $preset" ctest --preset "$preset"
done

cmake --preset fuzz >/dev/null
timed "build fuzz" cmake --build --preset fuzz -j "$jobs"
timed "ctest fuzz" ctest --preset fuzz
