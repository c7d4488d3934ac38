#!/usr/bin/env bash
# Installs what is missing, builds every configuration and passes every test layer:
#   1. the portable core's tests, natively, with AddressSanitizer and UndefinedBehaviorSanitizer;
#   2. the same tests, the Win32 tests and the end-to-end tests of the real exe, built with MinGW-w64 and run
#      under Wine;
#   3. each fuzzer for a short while (WRENHOLLOW_FUZZ_SECONDS, default 30); a crash fails the run;
# and checks that the benchmarks still build.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
scripts/setup.sh

step() { printf '\n== %s\n' "$*"; }

# Runs ctest and adds its count of tests to the total; a failure ends the script.
total=0
run_ctest() {
  local log
  log=$(mktemp)
  ctest "$@" | tee "$log"
  total=$((total + $(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -n 1)))
  rm -f "$log"
}

step "native core tests (sanitizers)"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
run_ctest --preset native

step "Windows build, tests under Wine"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
run_ctest --preset windows

step "fuzzers"
cmake --preset fuzz -DWRENHOLLOW_FUZZ_SECONDS="${WRENHOLLOW_FUZZ_SECONDS:-30}" >/dev/null
cmake --build --preset fuzz -j "$jobs"
run_ctest --test-dir build/fuzz --output-on-failure -j "$jobs"

step "benchmarks build"
cmake --preset bench >/dev/null
cmake --build --preset bench -j "$jobs"

printf '\n%d passed, 0 failed\n' "$total"
