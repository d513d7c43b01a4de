// What every fuzz target shares: a failed check prints the broken promise
// and aborts, so libFuzzer keeps the input (assert would vanish with NDEBUG),
// and inputs are cut into words at NUL bytes, as a command line arrives.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#define FUZZ_CHECK(condition, what)                                        \
    do {                                                                   \
        if (!(condition)) {                                                \
            std::fprintf(stderr, "fuzz check failed: %s (%s)\n", what, #condition); \
            std::abort();                                                  \
        }                                                                  \
    } while (0)

// ASCII letters in one case, as the readers take them.
inline std::string InCase(std::string text, bool upper) {
    for (char& c : text) {
        if (upper && c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
        if (!upper && c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    }
    return text;
}

inline std::vector<std::string> WordsAtNul(const uint8_t* data, size_t size) {
    std::vector<std::string> words(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            words.emplace_back();
        else
            words.back() += char(data[i]);
    }
    return words;
}
