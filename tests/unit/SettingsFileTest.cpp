// The settings file on the in-memory file system: reading lines however
// they end, the flag check that throws a whole file away, and stores that
// make a read-only file writable, keep the file's own attributes and
// creation time, and never damage the file on an error.
#include <gtest/gtest.h>

#include <vector>

#include "app/SettingsFile.h"
#include "platform/memory/FaultyMemoryFileSystem.h"

namespace kelvo {
namespace {

const std::string kPath = "C:\\Kelvo\\Kelvo.ini";
const std::string kTemporary = "C:\\Kelvo\\Kelvo.in~";
const std::string kEightEmptyLines = "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n";

SettingsLines Lines(const std::string& first, const std::string& second, const std::string& third = "") {
    SettingsLines lines;
    lines[0] = first;
    lines[1] = second;
    lines[2] = third;
    return lines;
}

class SettingsFileTest : public ::testing::Test {
protected:
    SettingsFileTest() { files.AddFolder("C:\\Kelvo"); }

    SettingsLines LoadFrom(const std::string& content) {
        files.AddFile(kPath, kAttrArchive, 0, content);
        return SettingsFile::Load(files, kPath);
    }
    std::string Content() { return files.Find(kPath)->content; }

    FaultyMemoryFileSystem files;
};

TEST_F(SettingsFileTest, DefaultsAreOffAddModeAndEmptyTexts) {
    SettingsLines defaults = SettingsFile::Defaults();
    EXPECT_EQ(defaults[0], "0");
    EXPECT_EQ(defaults[1], "0");
    for (size_t i = 2; i < defaults.size(); ++i) EXPECT_EQ(defaults[i], "") << i;
}

TEST_F(SettingsFileTest, MissingFileGivesDefaults) {
    EXPECT_EQ(SettingsFile::Load(files, kPath), SettingsFile::Defaults());
}

TEST_F(SettingsFileTest, LockedFileGivesDefaults) {
    files.AddFile(kPath, kAttrArchive, 0, "1\r\n1\r\nx\r\n").locked = true;
    EXPECT_EQ(SettingsFile::Load(files, kPath), SettingsFile::Defaults());
}

TEST_F(SettingsFileTest, ReadsLinesHoweverTheyEnd) {
    struct Case {
        const char* shows;
        std::string content;
        SettingsLines expected;
    } cases[] = {
        {"CR LF", "1\r\n0\r\nnew_\r\n", Lines("1", "0", "new_")},
        {"LF only", "0\n1\nIMG\n", Lines("0", "1", "IMG")},
        {"last line without terminator", "0\r\n1\r\nabc", Lines("0", "1", "abc")},
        {"short file fills empty lines", "1\r\n1\r\n", Lines("1", "1")},
        {"blanks kept", "0\r\n0\r\n  a b  \r\n", Lines("0", "0", "  a b  ")},
        {"lone CR stays in the line", "0\r\n0\r\na\rb\r\n", Lines("0", "0", "a\rb")},
        {"double-byte text", "0\r\n0\r\n表ソ\r\n", Lines("0", "0", "表ソ")},
    };
    for (const Case& c : cases) {
        FaultyMemoryFileSystem fresh;
        fresh.AddFile(kPath, kAttrArchive, 0, c.content);
        EXPECT_EQ(SettingsFile::Load(fresh, kPath), c.expected) << c.shows;
    }
}

TEST_F(SettingsFileTest, AllTenLinesInOrderAndNoMore) {
    SettingsLines lines = LoadFrom("1\n1\nc\nd\ne\nf\ng\nh\ni\nj\nextra\n");
    const char* expected[] = {"1", "1", "c", "d", "e", "f", "g", "h", "i", "j"};
    for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << i;
}

TEST_F(SettingsFileTest, LongLineIsReadWhole) {
    const std::string longText(70000, 'x');
    EXPECT_EQ(LoadFrom("0\r\n0\r\n" + longText + "\r\nnext\r\n")[2], longText);
    EXPECT_EQ(SettingsFile::Load(files, kPath)[3], "next");
}

TEST_F(SettingsFileTest, BadFlagLinesGiveAllDefaults) {
    struct Case {
        const char* shows;
        std::string first, second;
    } cases[] = {
        {"empty file", "", ""},        {"empty first", "", "0"},       {"other digit", "2", "0"},
        {"letter in second", "1", "a"}, {"blank before", " 1", "0"},   {"blank after", "1", "0 "},
        {"two digits", "01", "0"},      {"empty second", "1", ""},     {"double-byte digit", "１", "0"},
    };
    for (const Case& c : cases) {
        FaultyMemoryFileSystem fresh;
        fresh.AddFile(kPath, kAttrArchive, 0, c.first + "\r\n" + c.second + "\r\nkept?\r\n");
        EXPECT_EQ(SettingsFile::Load(fresh, kPath), SettingsFile::Defaults()) << c.shows;
    }
}

TEST_F(SettingsFileTest, StoreCreatesTenCrLfLines) {
    SettingsLines lines = SettingsFile::Defaults();
    EXPECT_TRUE(SettingsFile::Store(files, kPath, lines, nullptr));
    EXPECT_EQ(Content(), "0\r\n0\r\n" + kEightEmptyLines);
    EXPECT_FALSE(files.Exists(kTemporary));
}

TEST_F(SettingsFileTest, StoreAndLoadKeepTextsUnchanged) {
    SettingsLines lines = Lines("1", "1", " lead");
    lines[5] = "trail ";
    lines[9] = "表|ソ";
    ASSERT_TRUE(SettingsFile::Store(files, kPath, lines, nullptr));
    EXPECT_EQ(SettingsFile::Load(files, kPath), lines);
}

TEST_F(SettingsFileTest, RefreshRunsAfterTheOpenAndIsWritten) {
    files.AddFile(kPath, kAttrArchive, 0, "0\r\n0\r\n" + kEightEmptyLines);
    SettingsLines lines = SettingsFile::Defaults();
    bool refreshed = false;
    ASSERT_TRUE(SettingsFile::Store(files, kPath, lines, [&](SettingsLines& l) {
        refreshed = true;
        l[1] = "1";
        l[2] = "new_";
    }));
    EXPECT_TRUE(refreshed);
    EXPECT_EQ(lines[1], "1");
    EXPECT_EQ(Content(), "0\r\n1\r\nnew_\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
}

TEST_F(SettingsFileTest, ReadOnlyFileIsMadeWritableAndRewritten) {
    files.AddFile(kPath, kAttrReadOnly | kAttrHidden | kAttrArchive, 0, "1\r\n1\r\n");
    SettingsLines lines = SettingsFile::Defaults();
    ASSERT_TRUE(SettingsFile::Store(files, kPath, lines, nullptr));
    EXPECT_EQ(Content(), "0\r\n0\r\n" + kEightEmptyLines);
    uint32_t attributes = files.Find(kPath)->attributes;
    EXPECT_EQ(attributes & kAttrReadOnly, 0u);
    EXPECT_NE(attributes & kAttrHidden, 0u) << "other bits stay";
    EXPECT_TRUE(files.CallsOf("SetTimes").empty()) << "times are not written";
}

TEST_F(SettingsFileTest, LockedFileIsNotWritten) {
    files.AddFile(kPath, kAttrArchive, 0, "1\r\n1\r\nold\r\n").locked = true;
    SettingsLines lines = SettingsFile::Defaults();
    bool refreshed = false;
    EXPECT_FALSE(SettingsFile::Store(files, kPath, lines, [&](SettingsLines&) { refreshed = true; }));
    EXPECT_FALSE(refreshed);
    EXPECT_EQ(Content(), "1\r\n1\r\nold\r\n");
    EXPECT_FALSE(files.Exists(kTemporary));
    EXPECT_TRUE(files.CallsOf("Write").empty());
}

// However the lines get there (the file beside it taking the old one's
// place, or the old one rewritten where no file can be made beside it or
// where the exchange is refused), Kelvo.ini stays the user's file: its
// attributes and creation time are its own.
TEST_F(SettingsFileTest, StoreKeepsTheFilesOwnAttributesAndCreationTime) {
    const FileTime created = 130000000000000000ull;  // 2012-12-14
    struct Case {
        const char* shows;
        const char* refused;     // operation, or none
        const char* pathSuffix;  // of the refused operation
        bool inPlace;
    } cases[] = {
        {"through the file beside it", nullptr, "", false},
        {"no file can be made beside it", "OpenForWriting", "Kelvo.in~", true},
        {"exchange refused", "Replace", "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shows);
        FaultyMemoryFileSystem fresh;
        MemoryFileSystem::Node& old = fresh.AddFile(kPath, kAttrHidden | kAttrArchive, 140000000000000000ull,
                                                    "1\r\n1\r\nold\r\nlonger than the new lines\r\n");
        old.creation = created;
        if (c.refused != nullptr) fresh.RefuseOperation(c.refused, c.pathSuffix, 0);
        SettingsLines lines = Lines("0", "1", "new");
        EXPECT_TRUE(SettingsFile::Store(fresh, kPath, lines, nullptr));
        EXPECT_EQ(fresh.Find(kPath)->content, "0\r\n1\r\nnew\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
        EXPECT_EQ(fresh.Find(kPath)->creation, created);
        EXPECT_EQ(fresh.Find(kPath)->attributes, kAttrHidden | kAttrArchive);
        EXPECT_FALSE(fresh.Exists(kTemporary));
        EXPECT_EQ(fresh.CallsOf("Truncate").size(), c.inPlace ? 1u : 0u) << "written in place";
    }
}

TEST_F(SettingsFileTest, FailureAfterTheOpenLeavesTheOldFile) {
    // Each failing step after a successful open: the write of the file
    // beside it, and the way out when no file can be made there.
    struct Refusal {
        const char* operation;
        const char* pathSuffix;
    };
    struct Case {
        const char* shows;
        std::vector<Refusal> refusals;
    } cases[] = {
        {"write refused", {{"Write", ""}}},
        {"no file beside it and the file can't be emptied", {{"OpenForWriting", "Kelvo.in~"}, {"Truncate", ""}}},
    };
    for (const Case& c : cases) {
        for (const bool existed : {true, false}) {
            SCOPED_TRACE(std::string(c.shows) + (existed ? ", file there" : ", no file yet"));
            FaultyMemoryFileSystem fresh;
            fresh.AddFolder("C:\\Kelvo");
            if (existed) fresh.AddFile(kPath, kAttrArchive, 0, "1\r\n1\r\nold\r\n");
            for (const Refusal& r : c.refusals) fresh.RefuseOperation(r.operation, r.pathSuffix, 0);
            SettingsLines lines = SettingsFile::Defaults();
            EXPECT_FALSE(SettingsFile::Store(fresh, kPath, lines, nullptr));
            // The old file as it was, or no file at all: never an empty one.
            if (existed) {
                EXPECT_EQ(fresh.Find(kPath)->content, "1\r\n1\r\nold\r\n");
                EXPECT_FALSE(fresh.Find(kPath)->locked);
            } else {
                EXPECT_FALSE(fresh.Exists(kPath));
            }
            EXPECT_FALSE(fresh.Exists(kTemporary));
            // Once the refusals end, the next store goes through.
            fresh.ClearRefusals();
            EXPECT_TRUE(SettingsFile::Store(fresh, kPath, lines, nullptr));
            EXPECT_EQ(fresh.Find(kPath)->content, "0\r\n0\r\n" + kEightEmptyLines);
        }
    }
}

// The temporary file must fit wherever the settings file itself fits.
TEST_F(SettingsFileTest, StoresAtEveryPathLengthUpToTheLimit) {
    for (const size_t length : {255u, 256u, 259u}) {
        SCOPED_TRACE(length);
        const std::string folder = "C:\\" + std::string(length - 3 - 10, 'k');
        const std::string path = folder + "\\Kelvo.ini";
        ASSERT_EQ(path.size(), length);
        FaultyMemoryFileSystem fresh;
        fresh.AddFolder(folder);
        SettingsLines lines = Lines("1", "1", "kept");
        EXPECT_TRUE(SettingsFile::Store(fresh, path, lines, nullptr));
        EXPECT_EQ(SettingsFile::Load(fresh, path), lines);
        ASSERT_EQ(fresh.Find(folder)->children.size(), 1u) << "nothing left beside it";
    }
}

}  // namespace
}  // namespace kelvo
