// Wildcard matching by characters of code page 932.
#include "run/NamePatterns.h"

#include "platform/Cp932Text.h"

namespace kelvo {

namespace {

char Folded(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The character of `text` at `pos` equals the one of `other` at `otherPos`.
bool SameChar(const std::string& text, size_t pos, size_t length, const std::string& other, size_t otherPos,
              size_t otherLength) {
    if (length != otherLength) return false;
    if (length == 1) return Folded(text[pos]) == Folded(other[otherPos]);
    return text.compare(pos, length, other, otherPos, otherLength) == 0;
}

}  // namespace

// Iterative matching with one point to come back to: the last "*" and the
// name position it stood for.
bool MatchesPattern(const std::string& pattern, const std::string& name) {
    size_t p = 0, n = 0;
    size_t starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        const size_t nameLength = CharLength(name, n);
        if (p < pattern.size()) {
            const size_t patternLength = CharLength(pattern, p);
            if (patternLength == 1 && pattern[p] == '*') {
                starP = ++p;
                starN = n;
                continue;
            }
            if ((patternLength == 1 && pattern[p] == '?') || SameChar(pattern, p, patternLength, name, n, nameLength)) {
                p += patternLength;
                n += nameLength;
                continue;
            }
        }
        if (starP == std::string::npos) return false;
        // The last "*" takes one more character of the name.
        p = starP;
        starN += CharLength(name, starN);
        n = starN;
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool NamePatterns::Admits(const std::string& name) const {
    bool included = include.empty();
    for (const std::string& pattern : include) included = included || MatchesPattern(pattern, name);
    if (!included) return false;
    for (const std::string& pattern : exclude) {
        if (MatchesPattern(pattern, name)) return false;
    }
    return true;
}

std::vector<std::string> SplitPatterns(const std::string& list) {
    std::vector<std::string> patterns;
    std::string current;
    for (size_t i = 0; i < list.size();) {
        const size_t length = CharLength(list, i);
        if (length == 1 && list[i] == ';') {
            if (!current.empty()) patterns.push_back(current);
            current.clear();
        } else {
            current.append(list, i, length);
        }
        i += length;
    }
    if (!current.empty()) patterns.push_back(current);
    return patterns;
}

}  // namespace kelvo
