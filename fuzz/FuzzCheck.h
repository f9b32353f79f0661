// What a fuzz target promises, checked on every input: a broken promise
// prints where it broke and aborts, which libFuzzer reports as a crash and
// the corpus replay as a failed test.
#pragma once
#include <cstdio>
#include <cstdlib>

#define KELVO_FUZZ_CHECK(condition)                                                               \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "%s:%d: promise broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                         \
        }                                                                                         \
    } while (false)
