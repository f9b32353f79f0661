// The code page 932 helpers and StripNameChars on arbitrary bytes, a lone
// lead byte at the end included. Input: a text, then (after a NUL) a needle.
// Every helper stays inside its text, finds only whole characters, and
// gives results that put the text back together.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/Cp932Check.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzInput.h"
#include "panels/RenamePanel.h"
#include "platform/Cp932Text.h"

namespace {

using kelvo::CharLength;

const std::string kNameChars = "\\/:*?\"<>";

// The characters of a text, each as its bytes.
std::vector<std::string> Characters(const std::string& text) {
    std::vector<std::string> characters;
    for (size_t i = 0; i < text.size();) {
        const size_t length = CharLength(text, i);
        KELVO_FUZZ_CHECK(length == 1 || length == 2);
        KELVO_FUZZ_CHECK(i + length <= text.size());
        characters.push_back(text.substr(i, length));
        i += length;
    }
    return characters;
}

bool IsSingle(const std::string& character, char c) { return character.size() == 1 && character[0] == c; }

void CheckStrip(const std::string& text) {
    std::string stripped = text;
    const int removed = kelvo::StripNameChars(stripped);
    std::vector<std::string> kept;
    int forbidden = 0;
    for (const std::string& character : Characters(text)) {
        if (character.size() == 1 && kNameChars.find(character[0]) != std::string::npos) {
            ++forbidden;
        } else {
            kept.push_back(character);
        }
    }
    KELVO_FUZZ_CHECK(removed == forbidden);
    KELVO_FUZZ_CHECK(Characters(stripped) == kept);
    KELVO_FUZZ_CHECK(!kelvo::fuzz::HasSingleByteCharOf(stripped, kNameChars));
    std::string again = stripped;
    KELVO_FUZZ_CHECK(kelvo::StripNameChars(again) == 0 && again == stripped);
}

void CheckSplits(const std::string& text) {
    const std::vector<std::string> characters = Characters(text);
    const bool endsWithBackslash = !characters.empty() && IsSingle(characters.back(), '\\');
    KELVO_FUZZ_CHECK(kelvo::EndsWithBackslash(text) == endsWithBackslash);
    KELVO_FUZZ_CHECK(kelvo::SeparatorAfter(text) == (endsWithBackslash ? "" : "\\"));

    for (char c : {'\\', '.'}) {
        size_t expected = std::string::npos;
        size_t pos = 0;
        for (const std::string& character : characters) {
            if (IsSingle(character, c)) expected = pos;
            pos += character.size();
        }
        KELVO_FUZZ_CHECK(kelvo::FindLastChar(text, c) == expected);
    }

    std::string title, extension;
    kelvo::SplitName(text, title, extension);
    const size_t dot = kelvo::FindLastChar(text, '.');
    KELVO_FUZZ_CHECK(dot == std::string::npos ? (title == text && extension.empty())
                                               : title + "." + extension == text);
    KELVO_FUZZ_CHECK(kelvo::FindLastChar(extension, '.') == std::string::npos || dot == std::string::npos);

    std::string folder, name;
    kelvo::SplitPath(text, folder, name);
    const size_t slash = kelvo::FindLastChar(text, '\\');
    KELVO_FUZZ_CHECK(slash == std::string::npos ? (folder.empty() && name == text) : folder + "\\" + name == text);
    KELVO_FUZZ_CHECK(kelvo::FindLastChar(name, '\\') == std::string::npos);
    KELVO_FUZZ_CHECK(kelvo::IsCharBoundary(text, folder.size()));
}

void CheckFind(const std::string& text, const std::string& needle) {
    const size_t found = kelvo::FindText(text, needle);
    if (needle.empty()) {
        KELVO_FUZZ_CHECK(found == std::string::npos);
        return;
    }
    // The first match that starts and ends on character boundaries, if any.
    size_t expected = std::string::npos;
    size_t pos = 0;
    for (const std::string& character : Characters(text)) {
        if (pos + needle.size() <= text.size() && text.compare(pos, needle.size(), needle) == 0 &&
            kelvo::IsCharBoundary(text, pos + needle.size())) {
            expected = pos;
            break;
        }
        pos += character.size();
    }
    KELVO_FUZZ_CHECK(found == expected);
    if (found != std::string::npos) {
        KELVO_FUZZ_CHECK(kelvo::IsCharBoundary(text, found));
        KELVO_FUZZ_CHECK(kelvo::IsCharBoundary(text, found + needle.size()));
        KELVO_FUZZ_CHECK(kelvo::FindText(text, needle, found + 1) != found);
    }
}

void CheckFold(const std::string& text) {
    const std::string folded = kelvo::FoldCase(text);
    KELVO_FUZZ_CHECK(folded.size() == text.size());
    KELVO_FUZZ_CHECK(kelvo::FoldCase(folded) == folded);
    KELVO_FUZZ_CHECK(kelvo::EqualsIgnoreCase(text, folded));
    // Folding changes letters, never where characters begin.
    std::vector<std::string> before = Characters(text);
    std::vector<std::string> after = Characters(folded);
    KELVO_FUZZ_CHECK(before.size() == after.size());
    for (size_t i = 0; i < before.size(); ++i) KELVO_FUZZ_CHECK(before[i].size() == after[i].size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::string> texts = kelvo::fuzz::SplitTexts(data, size, 2);
    for (const std::string& text : texts) {
        CheckStrip(text);
        CheckSplits(text);
        CheckFold(text);
    }
    CheckFind(texts[0], texts[1]);
    CheckFind(texts[1], texts[0]);
    return 0;
}
