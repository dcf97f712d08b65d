#!/usr/bin/env bash
# Builds everything in a second build folder under AddressSanitizer and UndefinedBehaviorSanitizer
# and runs the whole test suite there. Any finding or leak ends the run with a failure.
# Usage: sanitize.sh BUILD_DIR SR24_DIR
set -euo pipefail
build=${1:-build-asan}
sr24=$(realpath "${2:-build/sr24/usda_sr24}")
root=$(cd "$(dirname "$0")/.." && pwd)
flags="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"

# The converter runs during the build, so the options hold for the build as well as the tests.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_init_order=1:check_initialization_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# Only leaks inside system libraries we do not build are suppressed.
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"

# -O1 keeps the build short on small machines while the reports still point at source lines.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=g++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" \
  -DCMAKE_MODULE_LINKER_FLAGS="$flags" -DSR24_DIR="$sr24"
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure --timeout 900
