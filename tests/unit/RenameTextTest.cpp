// The text rules of a rename on their own: replacement, head and tail
// deletion, the order of the two modes, and double-byte characters whose
// bytes look like the rule texts.
#include <gtest/gtest.h>

#include "items/RenameText.h"

namespace kelvo {
namespace {

TEST(ReplaceText, ReplacesEveryOccurrenceWithoutRescanning) {
    struct Case {
        const char* shows;
        std::string text, what, with, expected;
    } cases[] = {
        {"every occurrence", "banana", "a", "b", "bbnbnb"},
        {"empty replacement deletes", "banana", "a", "", "bnn"},
        {"occurrences do not overlap", "aaa", "aa", "b", "ba"},
        {"inserted text is not searched again", "aa", "a", "aa", "aaaa"},
        {"replacement containing the search text", "abc", "b", "bb", "abbc"},
        {"letter case counts", "Banana", "b", "x", "Banana"},
        {"empty search text switches off", "banana", "", "x", "banana"},
        {"not found", "banana", "z", "x", "banana"},
        {"whole text", "abc", "abc", "", ""},
        {"double-byte text", "表と表", "表", "裏", "裏と裏"},
        {"trail byte 0x5C is not a backslash", "表\\", "\\", "_", "表_"},
        {"trail byte 0x41 is not an A", "アA", "A", "B", "アB"},
        {"a lone lead byte never takes half of a character", "表a", "\x95", "", "表a"},
        {"a lone lead byte matches where it ends the text", "a\x95", "\x95", "b", "ab"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReplaceText(c.text, c.what, c.with), c.expected) << c.shows;
    }
}

TEST(DeleteHeadAndTail, RemovesOnlyMatchingEnds) {
    struct Case {
        const char* shows;
        std::string text, head, tail, expected;
    } cases[] = {
        {"head", "IMG_001", "IMG", "", "_001"},
        {"head not at the start", "DSC_001", "IMG", "", "DSC_001"},
        {"tail", "photo_copy", "", "_copy", "photo"},
        {"both", "IMG_001_copy", "IMG", "_copy", "_001"},
        {"whole text", "abc", "abc", "", ""},
        {"head longer than text", "ab", "abc", "", "ab"},
        {"letter case counts", "img_001", "IMG", "", "img_001"},
        {"overlapping head and tail, both matched on the text as given", "abc", "ab", "bc", ""},
        {"head and tail meeting exactly", "abab", "ab", "ab", ""},
        {"tail cannot start on a trail byte", "xア", "", "A", "xア"},
        {"tail on a character boundary", "xアA", "", "A", "xア"},
        {"tail ending in a 0x5C trail byte", "表表", "", "表", "表"},
        {"head cannot end inside a character", "アB", "\x83", "", "アB"},
        {"double-byte head", "表ソx", "表ソ", "", "x"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DeleteHeadAndTail(c.text, c.head, c.tail), c.expected) << c.shows;
    }
}

TEST(ApplyRenameRules, AddModeReplacesBeforeAdding) {
    RenameRules rules;
    rules.titleHead = "a";
    rules.titleTail = "a";
    rules.titleWhat = "a";
    rules.titleWith = "b";
    rules.extHead = "x";
    rules.extTail = "z";
    rules.extWhat = "y";
    rules.extWith = "Y";
    std::string title = "banana", ext = "y";
    ApplyRenameRules(rules, title, ext);
    EXPECT_EQ(title, "abbnbnba");
    EXPECT_EQ(ext, "xYz");
}

TEST(ApplyRenameRules, DeleteModeReplacesAfterDeleting) {
    RenameRules rules;
    rules.mode = 1;
    rules.titleHead = "b";
    rules.titleWhat = "a";
    rules.titleWith = "b";
    rules.extTail = "z";
    rules.extWhat = "x";
    std::string title = "banana", ext = "xyz";
    ApplyRenameRules(rules, title, ext);
    // Replacing first would have made "bbnbnb" and then deleted its first b.
    EXPECT_EQ(title, "bnbnb");
    EXPECT_EQ(ext, "y");
}

TEST(ApplyRenameRules, AnyNonZeroModeDeletes) {
    RenameRules rules;
    rules.mode = 2;
    rules.titleHead = "IMG";
    std::string title = "IMG_001", ext = "jpg";
    ApplyRenameRules(rules, title, ext);
    EXPECT_EQ(title, "_001");
    EXPECT_EQ(ext, "jpg");
}

TEST(NameFits, PathAndNameLimits) {
    // A path of 259 bytes fits and one of 260 doesn't: "C:\\d" (4 bytes), a
    // separator and a name of 254 or 255 bytes.
    EXPECT_TRUE(NameFits("C:\\d", "\\", std::string(254, 'n')));
    EXPECT_FALSE(NameFits("C:\\d", "\\", std::string(255, 'n')));
    // At a drive root the longest name, 256 bytes, makes a path of 259.
    EXPECT_TRUE(NameFits("C:\\", "", std::string(256, 'n')));
    // The name limit on its own: a short directory leaves room in the path.
    EXPECT_TRUE(NameFits("", "\\", std::string(256, 'n')));
    EXPECT_FALSE(NameFits("", "\\", std::string(257, 'n')));
}

}  // namespace
}  // namespace kelvo
