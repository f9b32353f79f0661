// Whole-file reads, exclusive writes, code page 932 names, path length
// limits and the program's own path, through Win32FileSystem.
#include <cstring>

#include "app/SettingsFile.h"
#include "tests/win32/Win32FileSystemFixture.h"

namespace kelvo {
namespace {

TEST_F(Win32FileSystemTest, WritingTruncatesOrAppends) {
    std::string file = temp / "Kelvo.ini";
    {
        auto writer = files.OpenForWriting(file, true);
        ASSERT_NE(nullptr, writer);
        ASSERT_TRUE(writer->Write("one\r\n"));
        ASSERT_TRUE(writer->Close());
        EXPECT_FALSE(writer->Close());
    }
    {
        auto writer = files.OpenForWriting(file, false);
        ASSERT_NE(nullptr, writer);
        ASSERT_TRUE(writer->Write("two\r\n"));
    }  // closed by its destructor
    std::string bytes;
    ASSERT_TRUE(files.ReadWholeFile(file, bytes));
    EXPECT_EQ("one\r\ntwo\r\n", bytes);

    auto writer = files.OpenForWriting(file, true);
    ASSERT_NE(nullptr, writer);
    ASSERT_TRUE(writer->Close());
    ASSERT_TRUE(files.ReadWholeFile(file, bytes));
    EXPECT_EQ("", bytes);
}

TEST_F(Win32FileSystemTest, OpenFilesShareNothing) {
    std::string file = temp / "locked.txt";
    auto writer = files.OpenForWriting(file, true);
    ASSERT_NE(nullptr, writer);
    std::string bytes;
    EXPECT_FALSE(files.ReadWholeFile(file, bytes));
    EXPECT_EQ(static_cast<uint32_t>(ERROR_SHARING_VIOLATION), files.LastError());
    EXPECT_EQ(nullptr, files.OpenForWriting(file, false));
    EXPECT_EQ(static_cast<uint32_t>(ERROR_SHARING_VIOLATION), files.LastError());
    const FileTime time = kUnixEpochTicks + 1000000000ull * kTicksPerSecond;
    EXPECT_FALSE(files.SetTimes(file, nullptr, nullptr, &time));
    EXPECT_EQ(static_cast<uint32_t>(ERROR_SHARING_VIOLATION), files.LastError());

    ASSERT_TRUE(writer->Close());
    EXPECT_TRUE(files.ReadWholeFile(file, bytes));
    EXPECT_TRUE(files.SetTimes(file, nullptr, nullptr, &time));
}

TEST_F(Win32FileSystemTest, ReadingAMissingFileFails) {
    std::string bytes = "kept";
    EXPECT_FALSE(files.ReadWholeFile(temp / "missing.ini", bytes));
    EXPECT_EQ(static_cast<uint32_t>(ERROR_FILE_NOT_FOUND), files.LastError());
    EXPECT_EQ("kept", bytes);
    EXPECT_EQ(nullptr, files.OpenForWriting(temp / "no\\such.ini", true));
    EXPECT_EQ(static_cast<uint32_t>(ERROR_PATH_NOT_FOUND), files.LastError());
}

TEST_F(Win32FileSystemTest, ReadsLargeFilesWhole) {
    std::string content(100000, 'k');
    content[4095] = '\0';
    ASSERT_TRUE(TempFolder::MakeFile(temp / "big.bin", content));
    std::string bytes;
    ASSERT_TRUE(files.ReadWholeFile(temp / "big.bin", bytes));
    EXPECT_EQ(content, bytes);
}

// 表 ends in the byte of a backslash; ソ too.
TEST_F(Win32FileSystemTest, Cp932NamesWork) {
    const std::string folder = temp / "表";
    const std::string file = folder + "\\ソフト.txt";
    ASSERT_EQ(std::string("\x95\x5c"), std::string("表"));
    ASSERT_TRUE(TempFolder::MakeFolder(folder));
    auto writer = files.OpenForWriting(file, true);
    ASSERT_NE(nullptr, writer);
    ASSERT_TRUE(writer->Write("data"));
    ASSERT_TRUE(writer->Close());

    auto entries = ListAll(folder + "\\*");
    EXPECT_EQ(1u, entries.count("ソフト.txt"));
    ASSERT_TRUE(files.SetCurrentDirectory(folder));
    std::string current;
    ASSERT_TRUE(files.GetCurrentDirectory(current));
    EXPECT_EQ(folder, current);
    FindEntry entry;
    ASSERT_TRUE(files.FindOne("ソフト.txt", entry));
    EXPECT_EQ("ソフト.txt", entry.name);
    ASSERT_TRUE(files.SetAttributes(file, kAttrHidden));
    uint32_t attributes = 0;
    ASSERT_TRUE(files.GetAttributes(file, attributes));
    EXPECT_NE(0u, attributes & kAttrHidden);
    ASSERT_TRUE(files.Move(file, folder + "\\表.txt"));
    std::string bytes;
    ASSERT_TRUE(files.ReadWholeFile(folder + "\\表.txt", bytes));
    EXPECT_EQ("data", bytes);
}

TEST_F(Win32FileSystemTest, PathsJustInsideTheLimitWork) {
    std::string longest = PathOfLength(kMaxPathBytes);
    auto writer = files.OpenForWriting(longest, true);
    ASSERT_NE(nullptr, writer) << files.LastError();
    ASSERT_TRUE(writer->Close());
    uint32_t attributes = 0;
    EXPECT_TRUE(files.GetAttributes(longest, attributes));
    FindEntry entry;
    EXPECT_TRUE(files.FindOne(longest, entry));
    std::string full;
    EXPECT_TRUE(files.GetFullPath(longest, full));
    EXPECT_EQ(longest, full);
    EXPECT_TRUE(files.Delete(longest));
}

// The settings file's store puts a temporary file beside it and moves it
// into place: both must work at the longest path the file itself can have.
TEST_F(Win32FileSystemTest, SettingsFileStoresAtItsLongestPath) {
    const std::string name = "\\Kelvo.ini";
    const std::string folder = PathOfLength(kMaxPathBytes - name.size());
    ASSERT_TRUE(TempFolder::MakeFolder(folder));
    const std::string path = folder + name;
    SettingsLines lines = SettingsFile::Defaults();
    lines[2] = "kept";
    for (int store = 0; store < 2; ++store) {  // creating the file, then replacing it
        ASSERT_TRUE(SettingsFile::Store(files, path, lines, nullptr)) << files.LastError();
    }
    EXPECT_EQ(SettingsFile::Load(files, path), lines);
    EXPECT_EQ(ListAll(folder + "\\*").size(), 3u) << "only the file beside . and ..";
}

TEST_F(Win32FileSystemTest, PathsOfMaxPathBytesFailCleanly) {
    const std::string tooLong = PathOfLength(kMaxPathBytes + 1);
    ASSERT_EQ(static_cast<size_t>(MAX_PATH), tooLong.size());
    const std::string other = temp / "other.txt";
    const uint32_t tooLongError = ERROR_FILENAME_EXCED_RANGE;
    ASSERT_TRUE(TempFolder::MakeFile(other));
    uint32_t attributes = 0;
    FindEntry entry;
    std::string text = "untouched";
    const FileTime time = kUnixEpochTicks;

    EXPECT_FALSE(files.SetCurrentDirectory(tooLong));
    EXPECT_EQ(tooLongError, files.LastError());
    EXPECT_EQ(nullptr, files.List(tooLong));
    EXPECT_FALSE(files.FindOne(tooLong, entry));
    EXPECT_FALSE(files.GetFullPath(tooLong, text));
    EXPECT_FALSE(files.GetAttributes(tooLong, attributes));
    EXPECT_FALSE(files.SetAttributes(tooLong, kAttrHidden));
    EXPECT_FALSE(files.SetTimes(tooLong, &time, &time, &time));
    EXPECT_FALSE(files.Move(other, tooLong));
    EXPECT_FALSE(files.Replace(other, tooLong));
    EXPECT_FALSE(files.Delete(tooLong));
    EXPECT_FALSE(files.ReadWholeFile(tooLong, text));
    EXPECT_EQ(nullptr, files.OpenForWriting(tooLong, true));
    EXPECT_EQ(tooLongError, files.LastError());
    EXPECT_EQ("untouched", text);

    // Nothing was made under a shortened name, and the source stayed.
    auto names = ListAll(temp / "*");
    EXPECT_EQ(3u, names.size());
    EXPECT_EQ(1u, names.count("other.txt"));
}

TEST_F(Win32FileSystemTest, RelativePathResolvingPastTheLimitFails) {
    ASSERT_TRUE(files.SetCurrentDirectory(temp.Path()));
    std::string relative(kMaxPathBytes - temp.Path().size(), 'y');
    std::string full = "untouched";
    EXPECT_FALSE(files.GetFullPath(relative, full));
    EXPECT_EQ(static_cast<uint32_t>(ERROR_FILENAME_EXCED_RANGE), files.LastError());
    EXPECT_EQ("untouched", full);
    relative.pop_back();
    ASSERT_TRUE(files.GetFullPath(relative, full));
    EXPECT_EQ(kMaxPathBytes, full.size());
}

TEST_F(Win32FileSystemTest, ZeroBytesInPathsAreRefused) {
    ASSERT_TRUE(TempFolder::MakeFile(temp / "a"));
    std::string withZero = temp / "a";
    withZero += std::string("\0b", 2);
    uint32_t attributes = 0;
    EXPECT_FALSE(files.GetAttributes(withZero, attributes));
    EXPECT_EQ(static_cast<uint32_t>(ERROR_INVALID_NAME), files.LastError());
}

TEST_F(Win32FileSystemTest, ModulePathNamesThisProgram) {
    std::string path = files.ModulePath();
    const std::string exe = "kelvo_win32_tests.exe";
    ASSERT_GT(path.size(), exe.size());
    EXPECT_EQ(0, _stricmp(exe.c_str(), path.c_str() + path.size() - exe.size())) << path;
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, TempFolder::Attributes(TempFolder::Wide(path)));
}

}  // namespace
}  // namespace kelvo
