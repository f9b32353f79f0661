// What makes a byte string valid code page 932 text: every lead byte is
// followed by a trail byte (0x40-0x7E, 0x80-0xFC); no lead byte stands
// alone at the end.
#pragma once
#include <string>

#include "platform/Cp932Text.h"

namespace kelvo::fuzz {

inline bool IsTrailByte(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

inline bool IsValidCp932(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (!IsLeadByte(static_cast<unsigned char>(text[i]))) continue;
        if (i + 1 >= text.size() || !IsTrailByte(static_cast<unsigned char>(text[i + 1]))) return false;
        ++i;
    }
    return true;
}

// A valid text made of arbitrary bytes: a lead byte without a proper trail
// byte after it is dropped. Control characters are kept.
inline std::string MakeValidCp932(const std::string& bytes) {
    std::string text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(bytes[i]);
        if (!IsLeadByte(byte)) {
            text.push_back(bytes[i]);
        } else if (i + 1 < bytes.size() && IsTrailByte(static_cast<unsigned char>(bytes[i + 1]))) {
            text.append(bytes, i, 2);
            ++i;
        }
    }
    return text;
}

// True when the last character of the text is a lead byte standing alone.
inline bool EndsInLoneLeadByte(const std::string& text) {
    size_t last = std::string::npos;
    for (size_t i = 0; i < text.size(); i += CharLength(text, i)) last = i;
    return last != std::string::npos && CharLength(text, last) == 1 &&
           IsLeadByte(static_cast<unsigned char>(text[last]));
}

// True when a single-byte character of the text is one of `chars`; the
// trail byte of a double-byte character never counts.
inline bool HasSingleByteCharOf(const std::string& text, const std::string& chars) {
    for (size_t i = 0; i < text.size(); i += CharLength(text, i)) {
        if (CharLength(text, i) == 1 && chars.find(text[i]) != std::string::npos) return true;
    }
    return false;
}

}  // namespace kelvo::fuzz
