#pragma once
// The fuzz targets' own check: a broken rule is a finding, reported like a crash so that
// libFuzzer saves the input that broke it.

#include <cstdio>
#include <cstdlib>

#define TALLYO_FUZZ_CHECK(condition)                                                     \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (0)
