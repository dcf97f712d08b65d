#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for FUZZ_SECONDS with its corpus and
# dictionary. New inputs go to the build folder, never into the corpus in the repository; a
# crash leaves its input in <build>/artifacts/<target>/ and fails the run.
# Usage: fuzz/run.sh [build folder] [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-fuzz}
seconds=${2:-${FUZZ_SECONDS:-60}}
cxx=${FUZZ_CXX:-clang++-14}

if [ ! -f "$build/build.ninja" ]; then
  cmake -S fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER="$cxx" -DPLATEWISE_FUZZ=ON
fi
cmake --build "$build"

status=0
for target in query_dialect rtf_reader number_text; do
  work="$build/runs/$target"
  artifacts="$build/artifacts/$target"
  mkdir -p "$work" "$artifacts"
  echo "== fuzz_$target for ${seconds}s"
  if ! "$build/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -max_len=4096 -print_final_stats=1 -dict="fuzz/dict/$target.dict" \
      -artifact_prefix="$artifacts/" "$work" "fuzz/corpus/$target"; then
    echo "fuzz_$target: finding in $artifacts" >&2
    status=1
  fi
done
exit $status
