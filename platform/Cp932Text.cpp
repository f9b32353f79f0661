#include "platform/Cp932Text.h"

namespace kelvo {

bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

size_t CharLength(const std::string& text, size_t pos) {
    if (IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) return 2;
    return 1;
}

bool IsCharBoundary(const std::string& text, size_t pos) {
    size_t i = 0;
    while (i < pos) i += CharLength(text, i);
    return i == pos;
}

size_t FindLastChar(const std::string& text, char c) {
    size_t found = std::string::npos;
    for (size_t i = 0; i < text.size(); i += CharLength(text, i)) {
        if (text[i] == c) found = i;
    }
    return found;
}

size_t FindText(const std::string& text, const std::string& needle, size_t from) {
    if (needle.empty()) return std::string::npos;
    size_t i = 0;
    while (i < from) i += CharLength(text, i);
    for (; i + needle.size() <= text.size(); i += CharLength(text, i)) {
        if (text.compare(i, needle.size(), needle) != 0) continue;
        // The match must also end on a character boundary, or it would take
        // half of a double-byte character.
        size_t end = i;
        while (end < i + needle.size()) end += CharLength(text, end);
        if (end == i + needle.size()) return i;
    }
    return std::string::npos;
}

bool EndsWithBackslash(const std::string& text) {
    if (text.empty()) return false;
    size_t last = 0;
    for (size_t i = 0; i < text.size(); i += CharLength(text, i)) last = i;
    return CharLength(text, last) == 1 && text[last] == '\\';
}

namespace {

// Full-width letters: lower-case ranges and the offset to their upper-case forms.
struct FoldRange {
    unsigned char lead;
    unsigned char first;
    unsigned char last;
    int toUpper;
};

constexpr FoldRange kFoldRanges[] = {
    {0x82, 0x81, 0x9A, -0x21},  // full-width a-z to A-Z (0x8260-0x8279)
    {0x83, 0xBF, 0xD6, -0x20},  // Greek small letters to capitals (0x839F-0x83B6)
    {0x84, 0x70, 0x7E, -0x30},  // Cyrillic small a-n to capitals (0x8440-0x844E)
    {0x84, 0x80, 0x91, -0x31},  // Cyrillic small o-ya to capitals (0x844F-0x8460)
};

}  // namespace

std::string FoldCase(const std::string& text) {
    std::string folded = text;
    for (size_t i = 0; i < folded.size(); i += CharLength(folded, i)) {
        unsigned char b = static_cast<unsigned char>(folded[i]);
        if (CharLength(folded, i) == 1) {
            if (b >= 'a' && b <= 'z') folded[i] = static_cast<char>(b - 'a' + 'A');
            continue;
        }
        unsigned char t = static_cast<unsigned char>(folded[i + 1]);
        for (const FoldRange& r : kFoldRanges) {
            if (b == r.lead && t >= r.first && t <= r.last) {
                folded[i + 1] = static_cast<char>(t + r.toUpper);
                break;
            }
        }
    }
    return folded;
}

bool EqualsIgnoreCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && FoldCase(a) == FoldCase(b);
}

void SplitName(const std::string& name, std::string& title, std::string& extension) {
    size_t dot = FindLastChar(name, '.');
    if (dot == std::string::npos) {
        title = name;
        extension.clear();
    } else {
        title = name.substr(0, dot);
        extension = name.substr(dot + 1);
    }
}

void SplitPath(const std::string& path, std::string& folder, std::string& name) {
    size_t slash = FindLastChar(path, '\\');
    if (slash == std::string::npos) {
        folder.clear();
        name = path;
    } else {
        folder = path.substr(0, slash);
        name = path.substr(slash + 1);
    }
}

bool IsFullPath(const std::string& path) {
    // A letter, a backslash or a slash as the first byte is a character of
    // its own, never the trail byte of a double-byte one. The system takes a
    // slash for a backslash.
    auto separator = [](char c) { return c == '\\' || c == '/'; };
    const bool driveLetter = path.size() >= 3 && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    if (driveLetter && path[1] == ':' && separator(path[2])) return true;
    return path.size() >= 2 && separator(path[0]) && separator(path[1]);
}

std::string SeparatorAfter(const std::string& folder) {
    return EndsWithBackslash(folder) ? std::string() : std::string("\\");
}

}  // namespace kelvo
