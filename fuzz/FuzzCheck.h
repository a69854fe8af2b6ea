#pragma once

#include <cstdio>
#include <cstdlib>

// A broken property ends the run at once, so that the fuzzer (ours or libFuzzer) keeps
// the input that broke it.
#define KORVEN_FUZZ_CHECK(condition)                                                               \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition);  \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
