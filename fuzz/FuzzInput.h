// Turns a fuzzer's bytes into the texts a target works on. The texts are
// separated by NUL bytes (which no Windows text of the program can hold), so
// seed files stay readable and a mutation can move bytes between texts.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kelvo::fuzz {

// Exactly `count` texts: missing ones are empty, text number count-1 takes
// the rest of the input (NUL bytes included).
inline std::vector<std::string> SplitTexts(const uint8_t* data, size_t size, size_t count) {
    std::vector<std::string> texts(count);
    size_t index = 0;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0 && index + 1 < count) {
            ++index;
            continue;
        }
        texts[index].push_back(static_cast<char>(data[i]));
    }
    return texts;
}

}  // namespace kelvo::fuzz
