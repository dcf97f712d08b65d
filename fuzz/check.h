#pragma once

#include <cstdio>
#include <cstdlib>

// A property every answer must keep; a broken one is a finding, reported as a crash.
inline void fuzzCheck(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}
