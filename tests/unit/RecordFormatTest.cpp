// The lines of a change record: texts escaped and back, times to the
// 100 ns and back, and every kind of line written and read back, with the
// lines that must not read as anything.
#include <gtest/gtest.h>

#include "run/RecordFormat.h"

namespace kelvo {
namespace {

TEST(RecordFields, EscapeOnlyPercentAndControlCharactersAndComeBack) {
    struct Case {
        std::string text;
        std::string field;
    } cases[] = {
        {"C:\\data\\memo.txt", "C:\\data\\memo.txt"},
        {"100%.txt", "100%25.txt"},
        {"a\tb\nc\rd", "a%09b%0Ac%0Dd"},
        {std::string("x\x7Fy", 3), "x%7Fy"},
        // 表 and ソ end in the byte of a backslash; half-width katakana.
        {"\x95\x5C\x83\x5C\xB1", "\x95\x5C\x83\x5C\xB1"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EscapeField(c.text), c.field);
        std::string back;
        ASSERT_TRUE(UnescapeField(c.field, back)) << c.field;
        EXPECT_EQ(back, c.text);
    }
    std::string text;
    for (const char* bad : {"%", "%2", "a%G0", "%%"}) EXPECT_FALSE(UnescapeField(bad, text)) << bad;
}

TEST(RecordTimes, SevenFractionalDigitsInUtcAndBackExactly) {
    struct Case {
        FileTime ticks;
        const char* text;
    } cases[] = {
        {0, "1601-01-01T00:00:00.0000000Z"},
        {116444736000000000ULL, "1970-01-01T00:00:00.0000000Z"},
        {134412714001234567ULL, "2026-12-09T06:30:00.1234567Z"},
        {125963423990000001ULL, "2000-02-29T23:59:59.0000001Z"},
        {137919572479999999ULL, "2038-01-19T03:14:07.9999999Z"},
        {2650467743990000000ULL, "9999-12-31T23:59:59.0000000Z"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TimeText(c.ticks), c.text);
        FileTime back = 1;
        ASSERT_TRUE(ParseTimeText(c.text, back)) << c.text;
        EXPECT_EQ(back, c.ticks);
    }
    FileTime ticks = 0;
    for (const char* bad : {"2026-02-30T00:00:00.0000000Z", "2026-13-01T00:00:00.0000000Z",
                            "2026-12-09T24:00:00.0000000Z", "2026-12-09T06:30:00.123456Z", "2026-12-09 06:30:00.1234567Z",
                            "2026-12-09T06:30:00.1234567", "1600-12-31T23:59:59.0000000Z", "-"}) {
        EXPECT_FALSE(ParseTimeText(bad, ticks)) << bad;
    }
}

TEST(RecordLines, EachKindIsWrittenAndReadBack) {
    ChangedItem item{false, "C:\\T\\a.txt", "C:\\T\\xa.txt", ItemState{0x21, 1, 2, 3}, ItemState{0x23, 1, 20, 30}};
    const std::string changed = ChangedLine(item);
    EXPECT_EQ(changed,
              "changed\tfile\tC:\\T\\a.txt\tC:\\T\\xa.txt\t0x00000021\t0x00000023\t"
              "1601-01-01T00:00:00.0000001Z\t1601-01-01T00:00:00.0000001Z\t"
              "1601-01-01T00:00:00.0000002Z\t1601-01-01T00:00:00.0000020Z\t"
              "1601-01-01T00:00:00.0000003Z\t1601-01-01T00:00:00.0000030Z");
    RecordLine parsed;
    ASSERT_TRUE(ParseRecordLine(changed, parsed));
    EXPECT_EQ(parsed.kind, RecordLine::Kind::Changed);
    EXPECT_FALSE(parsed.changed.isFolder);
    EXPECT_EQ(parsed.changed.pathBefore, "C:\\T\\a.txt");
    EXPECT_EQ(parsed.changed.pathAfter, "C:\\T\\xa.txt");
    ASSERT_TRUE(parsed.changed.before && parsed.changed.after);
    EXPECT_EQ(parsed.changed.before->attributes, 0x21u);
    EXPECT_EQ(parsed.changed.after->access, 20u);
    EXPECT_EQ(parsed.changed.after->modification, 30u);

    // A rename alone: the run read nothing of the item's state.
    const std::string renamed = ChangedLine(ChangedItem{false, "C:\\T\\b", "C:\\T\\x%b", std::nullopt, std::nullopt});
    EXPECT_EQ(renamed, "changed\tfile\tC:\\T\\b\tC:\\T\\x%25b\t-\t-\t-\t-\t-\t-\t-\t-");
    ASSERT_TRUE(ParseRecordLine(renamed, parsed));
    EXPECT_EQ(parsed.changed.pathAfter, "C:\\T\\x%b");
    EXPECT_FALSE(parsed.changed.before.has_value());

    EXPECT_EQ(FormatLine(RecordKind::Undo), "Kelvo change record\t1\tundo");
    ASSERT_TRUE(ParseRecordLine("Kelvo change record\t2\trun", parsed));
    EXPECT_EQ(parsed.kind, RecordLine::Kind::Format);
    EXPECT_EQ(parsed.version, 2);
    ASSERT_TRUE(ParseRecordLine(TargetLine("sub", "C:\\work\\sub"), parsed));
    EXPECT_EQ(parsed.text, "sub");
    EXPECT_EQ(parsed.resolved, "C:\\work\\sub");
    EXPECT_EQ(EndLine(false, 12, 3), "end\tcancelled\t12\t3");
    ASSERT_TRUE(ParseRecordLine("end\tfinished\t12\t3", parsed));
    EXPECT_TRUE(parsed.finished);
    EXPECT_EQ(parsed.changedCount, 12);
    EXPECT_EQ(parsed.leftCount, 3);
    EXPECT_EQ(LeftLine("C:\\T\\held.txt", 32), "left\tC:\\T\\held.txt\t32");
    ASSERT_TRUE(ParseRecordLine("left\tC:\\T\\held.txt\t32\tanother program holds it", parsed));
    EXPECT_EQ(parsed.kind, RecordLine::Kind::Left);
    ASSERT_TRUE(ParseRecordLine(UndoneLine("20261209-153000-123.txt"), parsed));
    EXPECT_EQ(parsed.kind, RecordLine::Kind::Undone);
    EXPECT_EQ(parsed.text, "20261209-153000-123.txt");
}

TEST(RecordLines, LinesCutShortOrEditedDontRead) {
    const std::string sound = ChangedLine(
        ChangedItem{true, "C:\\T\\A", "C:\\T\\A", ItemState{0x10, 5, 5, 5}, ItemState{0x12, 5, 5, 5}});
    RecordLine parsed;
    ASSERT_TRUE(ParseRecordLine(sound, parsed));
    const std::string bad[] = {
        sound.substr(0, sound.size() - 1),                        // cut in its last time
        sound.substr(0, sound.rfind('\t')),                       // a field short
        sound + "\textra",                                        // a field too many
        "changed\tlink" + sound.substr(sound.find("\tC:")),       // no such kind of item
        "changed\tfile\t\tC:\\T\\a\t-\t-\t-\t-\t-\t-\t-\t-",      // no path
        "changed\tfile\tC:T\\a\tC:\\T\\a\t-\t-\t-\t-\t-\t-\t-\t-",   // relative to a drive's current directory
        "changed\tfile\tT\\a\tC:\\T\\a\t-\t-\t-\t-\t-\t-\t-\t-",     // relative to the current directory
        "changed\tfile\tC:\\T\\..\\a\tC:\\T\\a\t-\t-\t-\t-\t-\t-\t-\t-",  // a way round
        "changed\tfile\tC:/T/a\tC:\\T\\a\t-\t-\t-\t-\t-\t-\t-\t-",    // slashes
        "changed\tfile\tC:\\T\\\\a\tC:\\T\\a\t-\t-\t-\t-\t-\t-\t-\t-",  // an empty component
        "changed\tfile\tC:\\a\tC:\\a\t0x00000010\t-\t-\t-\t-\t-\t-\t-",  // half a state
        "changed\tfile\tC:\\a\tC:\\a\t0x0000001g\t0x00000010\t" + sound.substr(sound.find("\t1601")),
        "end\tfinished\t12",
        "end\tdone\t1\t2",
        "something else",
        "",
    };
    for (const std::string& line : bad) EXPECT_FALSE(ParseRecordLine(line, parsed)) << line;
}

}  // namespace
}  // namespace kelvo
