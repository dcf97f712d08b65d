#!/usr/bin/env bash
# The executable makes no standard C++ stream (app/NoStreams.cpp): it must not use std::cout,
# std::cerr, std::clog, std::cin or their wide forms, which would be used unmade.
set -euo pipefail
exe=${1:?usage: no_streams.sh EXECUTABLE}
used=$(nm -u "$exe" | c++filt | grep -E 'std::(w?cout|w?cerr|w?clog|w?cin)\b' || true)
if [ -n "$used" ]; then
  echo "The program uses a standard C++ stream, which it never makes (see app/NoStreams.cpp):"
  echo "$used"
  exit 1
fi
# grep reads all of nm's output (no -q), so that nm is not cut short under pipefail.
nm "$exe" | grep '__wrap__ZNSt8ios_base4InitC1Ev' >/dev/null ||
  { echo "the --wrap stand-in is not linked"; exit 1; }
