// Conversions between code page 932 and UTF-16: which names are exact, the
// bytes they become, and what the shown texts and the byte cut give.
#include "platform/win32/Cp932Wide.h"

#include <gtest/gtest.h>

#include <string>

namespace kelvo {
namespace {

struct NameCase {
    const char* what;
    std::wstring wide;
    bool exact;
    std::string bytes;  // the code page 932 form, when exact
};

TEST(Cp932WideTest, NamesAreExactOnlyWhenTheyComeBackUnchanged) {
    const NameCase cases[] = {
        {"plain letters", L"a.txt", true, "a.txt"},
        {"backslash", L"C:\\x", true, "C:\\x"},
        {"trail byte 0x5C: table", L"\u8868", true, "\x95\x5C"},
        {"trail byte 0x5C: so", L"\u30BD", true, "\x83\x5C"},
        {"half-width katakana", L"\uFF71\uFF9F", true, "\xB1\xDF"},
        {"full-width tilde", L"\uFF5E", true, "\x81\x60"},
        {"full-width minus", L"\uFF0D", true, "\x81\x7C"},
        {"NEC row 13 numeral", L"\u2160", true, "\x87\x54"},
        {"empty", L"", true, ""},
        {"yen sign", L"..\u00A5outside.txt", false, ""},
        {"e acute", L"caf\u00E9.txt", false, ""},
        {"wave dash", L"\u301C", false, ""},
        {"minus sign", L"\u2212", false, ""},
        {"emoji", L"\U0001F600.txt", false, ""},
        {"hangul", L"\uD55C.txt", false, ""},
        {"lone surrogate", std::wstring(1, static_cast<wchar_t>(0xD800)), false, ""},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::string text = "left over";
        EXPECT_EQ(Cp932FromWide(c.wide, text), c.exact);
        EXPECT_EQ(text, c.bytes);
        if (!c.exact) continue;
        std::wstring back;
        EXPECT_TRUE(WideFromCp932(c.bytes, back));
        EXPECT_EQ(back, c.wide);
    }
}

TEST(Cp932WideTest, InvalidBytesHaveNoWideForm) {
    for (const std::string& text : {std::string("a\x81"), std::string("\x81\x20"), std::string("\x95")}) {
        std::wstring wide = L"left over";
        EXPECT_FALSE(WideFromCp932(text, wide)) << text;
        EXPECT_TRUE(wide.empty());
    }
}

TEST(Cp932WideTest, ShownTextsMarkWhatHasNoForm) {
    const std::wstring wide = L"\u8868 caf\u00E9 \U0001F600";
    const std::string shown = ShownCp932FromWide(wide.data(), wide.size());
    // No best fit: the accent is not dropped to give a plain "e".
    EXPECT_EQ(shown.substr(0, 7), "\x95\x5C caf?");
    EXPECT_NE(shown.find('?', 7), std::string::npos);
    EXPECT_EQ(ShownWideFromCp932("\x95\x5C\xB1"), L"\u8868\uFF71");
}

TEST(Cp932WideTest, CutNeverSplitsADoubleByteCharacter) {
    const struct {
        std::string text;
        size_t maxBytes;
        std::string cut;
    } cases[] = {
        {"abc", 5, "abc"},
        {"abc", 2, "ab"},
        {"\x95\x5C\x95\x5C", 3, "\x95\x5C"},
        {"a\x95\x5C", 2, "a"},
        {"a\x95\x5C", 3, "a\x95\x5C"},
        {"\xB1\xB2", 1, "\xB1"},
    };
    for (const auto& c : cases) EXPECT_EQ(CutToBytes(c.text, c.maxBytes), c.cut) << c.text << " " << c.maxBytes;
}

}  // namespace
}  // namespace kelvo
