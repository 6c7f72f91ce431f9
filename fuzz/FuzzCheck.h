#pragma once

#include <cstdio>
#include <cstdlib>

// A broken promise of the code under test is as much a finding as a crash: say which, and abort
// so that libFuzzer keeps the input.
#define KX_FUZZ_CHECK(condition)                                                                   \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
