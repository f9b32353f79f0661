// Character-aware text helpers: a trail byte with the value of '\\' or '.'
// is never taken for one.
#include <gtest/gtest.h>

#include "platform/Cp932Text.h"

namespace kelvo {
namespace {

const std::string kTable = "表";  // 0x95 0x5C: its trail byte is a backslash

TEST(Cp932Text, LastBackslashSkipsTrailBytes) {
    ASSERT_EQ(kTable, std::string("\x95\x5C"));
    EXPECT_EQ(FindLastChar("C:\\" + kTable, '\\'), 2u);
    EXPECT_EQ(FindLastChar(kTable, '\\'), std::string::npos);
    EXPECT_EQ(FindLastChar("a\\b\\c", '\\'), 3u);
}

TEST(Cp932Text, EndsWithBackslashOnlyForARealBackslash) {
    EXPECT_TRUE(EndsWithBackslash("C:\\"));
    EXPECT_FALSE(EndsWithBackslash("C:\\" + kTable));
    EXPECT_FALSE(EndsWithBackslash(""));
    EXPECT_EQ(SeparatorAfter("C:\\" + kTable), "\\");
    EXPECT_EQ(SeparatorAfter("C:\\"), "");
}

TEST(Cp932Text, LoneLeadByteAtTheEndIsOneCharacter) {
    std::string text = "ab\x95";
    EXPECT_EQ(CharLength(text, 2), 1u);
    EXPECT_TRUE(IsCharBoundary(text, 3));
    EXPECT_FALSE(EndsWithBackslash(text));
}

TEST(Cp932Text, FindTextStartsOnlyOnCharacterBoundaries) {
    std::string text = kTable + "\\x";  // 0x95 0x5C 0x5C 'x'
    EXPECT_EQ(FindText(text, "\\"), 2u);
    EXPECT_EQ(FindText("banana", "an", 2), 3u);
    EXPECT_EQ(FindText("abc", ""), std::string::npos);
    // A needle ending in a lone lead byte never takes half of a character.
    EXPECT_EQ(FindText("a" + kTable, "a\x95"), std::string::npos);
    EXPECT_EQ(FindText("a\x95", "a\x95"), 0u);
}

TEST(Cp932Text, FoldsCaseLikeWindowsFileNames) {
    EXPECT_TRUE(EqualsIgnoreCase("C:\\Tools\\KELVO.EXE", "c:\\tools\\kelvo.exe"));
    EXPECT_TRUE(EqualsIgnoreCase("ａｂｃ", "ＡＢＣ"));
    EXPECT_TRUE(EqualsIgnoreCase("αω", "ΑΩ"));
    EXPECT_TRUE(EqualsIgnoreCase("ая", "АЯ"));
    EXPECT_FALSE(EqualsIgnoreCase("a", "b"));
    // A trail byte in the a-z range is not a letter of its own.
    EXPECT_EQ(FoldCase("\x82\x61"), std::string("\x82\x61"));
}

TEST(Cp932Text, SplitsNamesAndPaths) {
    struct Case {
        const char* name;
        const char* title;
        const char* ext;
    } cases[] = {{"report.txt", "report", "txt"},
                 {"archive.tar.gz", "archive.tar", "gz"},
                 {"README", "README", ""},
                 {".profile", "", "profile"},
                 {"", "", ""}};
    for (const Case& c : cases) {
        std::string title, ext;
        SplitName(c.name, title, ext);
        EXPECT_EQ(title, c.title) << c.name;
        EXPECT_EQ(ext, c.ext) << c.name;
    }
    std::string folder, name;
    SplitPath("C:\\" + kTable + "\\a.txt", folder, name);
    EXPECT_EQ(folder, "C:\\" + kTable);
    EXPECT_EQ(name, "a.txt");
    SplitPath("bare.txt", folder, name);
    EXPECT_EQ(folder, "");
    EXPECT_EQ(name, "bare.txt");
}

}  // namespace
}  // namespace kelvo
