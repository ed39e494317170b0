// The fuzz targets' one assertion: a broken property is reported like a
// crash, so libFuzzer keeps the input that shows it.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition, ...)                                                          \
    do {                                                                                     \
        if (!(condition)) {                                                                  \
            std::fprintf(stderr, "%s:%d: check failed: %s\n  ", __FILE__, __LINE__, #condition); \
            std::fprintf(stderr, __VA_ARGS__);                                               \
            std::fputc('\n', stderr);                                                        \
            std::abort();                                                                    \
        }                                                                                    \
    } while (0)
