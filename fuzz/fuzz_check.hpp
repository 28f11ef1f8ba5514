#pragma once

#include <cstdio>
#include <cstdlib>

// A broken promise of the program is a finding like a crash: print what
// failed and abort, so that libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                        \
  do {                                                                               \
    if (!(condition)) {                                                              \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                  \
    }                                                                                \
  } while (0)
