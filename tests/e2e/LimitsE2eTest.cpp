// Runs of the real program at the edges of the file system under Wine: a
// chain of folders deeper than the walk counts, paths just inside and just
// outside 260 bytes, a file another process holds open, names whose
// double-byte characters end in the byte of a backslash, and one run that
// changes attributes only and must leave times and contents alone. The
// program never ends abruptly, names in its count line exactly the items
// it could not change, and changes every other item.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/E2eFiles.h"
#include "tests/e2e/KelvoProcess.h"
#include "tests/shared/FailureCount.h"

namespace kelvo::e2e {
namespace {

constexpr DWORD kRunTimeoutMs = 300000;
const std::string kFinished = "ディレクトリ内の全ての処理が終了しました。";

// Paths past MAX_PATH are made through the wide functions with the \\?\ form.
std::wstring Long(const std::string& path) { return L"\\\\?\\" + Wide(path); }
bool MakeLongFolder(const std::string& path) { return CreateDirectoryW(Long(path).c_str(), nullptr) != 0; }
bool MakeLongFile(const std::string& path) {
    HANDLE file = CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}
DWORD LongAttributes(const std::string& path) { return GetFileAttributesW(Long(path).c_str()); }
bool Hidden(DWORD attributes) { return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN); }

// The number in the count line; 0 when there is none.
// Starts the program on `target`, ticks the hidden box (and with `modification`
// the modification row), runs the job and returns the finish text.
std::string RunHidden(const std::string& target, bool modification = false) {
    KelvoProcess kelvo(target);
    EXPECT_NE(kelvo.Window(), nullptr);
    if (kelvo.Window() == nullptr) return std::string();
    kelvo.Click(1001);
    kelvo.Click(1001);
    EXPECT_EQ(kelvo.Check(1001), BST_CHECKED);
    if (modification) kelvo.Click(1034);
    const std::string before = kelvo.Text(1010);
    kelvo.Click(1);
    EXPECT_TRUE(kelvo.WaitForRunEnd(before, kRunTimeoutMs)) << kelvo.Text(1010);
    const std::string status = kelvo.Text(1010);
    EXPECT_TRUE(kelvo.Running());  // it never ended abruptly
    EXPECT_TRUE(kelvo.CloseWith(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 20000));
    return status;
}

TEST(LimitsE2eTest, ChainDeeperThanTheWalkCountsIsCutOnceAndCounted) {
    const std::string target = MakeFolder("limits-deep");
    MakeFile(target + "\\top.txt");
    std::string folder = target;
    std::vector<std::string> files;
    for (int level = 1; level <= 300; ++level) {
        folder += "\\d";
        ASSERT_TRUE(MakeLongFolder(folder)) << level;
        if (level % 50 == 0) {
            ASSERT_TRUE(MakeLongFile(folder + "\\f.txt")) << level;
            files.push_back(folder + "\\f.txt");
        }
    }
    const std::string status = RunHidden(target);
    EXPECT_NE(status.find(kFinished), std::string::npos) << status;
    // The walk stops where a folder's path would pass 259 bytes: that
    // subtree counts once, as does a file above it whose own path is too
    // long; everything else above it is changed.
    int expected = 1;
    for (const std::string& file : files) {
        if (file.size() > 259 && file.size() - 6 <= 259) ++expected;
    }
    EXPECT_EQ(CountLine(status), expected) << status;
    EXPECT_TRUE(Hidden(Attributes(target + "\\top.txt")));
    for (const std::string& file : files) {
        EXPECT_EQ(Hidden(LongAttributes(file)), file.size() <= 259) << file.size();
    }
}

TEST(LimitsE2eTest, PathsOf259BytesAreChangedAnd260Or261AreCounted) {
    const std::string target = MakeFolder("limits-long");
    const std::string stem = target + "\\";
    std::vector<std::string> paths;
    for (size_t length : {259u, 260u, 261u}) {
        ASSERT_LT(stem.size() + 4, length);
        std::string path = stem + std::string(length - stem.size() - 4, static_cast<char>('a' + (length - 259))) + ".txt";
        ASSERT_EQ(path.size(), length);
        ASSERT_TRUE(MakeLongFile(path)) << length;
        paths.push_back(path);
    }
    const std::string status = RunHidden(target);
    EXPECT_NE(status.find(kFinished), std::string::npos) << status;
    EXPECT_EQ(CountLine(status), 2) << status;
    EXPECT_TRUE(Hidden(LongAttributes(paths[0])));
    EXPECT_FALSE(Hidden(LongAttributes(paths[1])));
    EXPECT_FALSE(Hidden(LongAttributes(paths[2])));
}

TEST(LimitsE2eTest, FileHeldOpenKeepsItsTimesAndIsCounted) {
    const std::string target = MakeFolder("limits-open");
    for (const char* name : {"a.txt", "held.txt", "z.txt"}) MakeFile(target + "\\" + name);
    const FILETIME old{0xD53E8000u, 0x01C0A0C3u};  // early 2001
    for (const char* name : {"a.txt", "held.txt", "z.txt"}) {
        HANDLE file = CreateFileW(Wide(target + "\\" + name).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &old));
        CloseHandle(file);
    }
    HANDLE held = CreateFileW(Wide(target + "\\held.txt").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::string status = RunHidden(target, true);
    CloseHandle(held);
    EXPECT_NE(status.find(kFinished), std::string::npos) << status;
    EXPECT_EQ(CountLine(status), 1) << status;
    for (const char* name : {"a.txt", "held.txt", "z.txt"}) {
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW(Wide(target + "\\" + name).c_str(), &data);
        ASSERT_NE(find, INVALID_HANDLE_VALUE);
        FindClose(find);
        const bool timeKept = CompareFileTime(&data.ftLastWriteTime, &old) == 0;
        // The held file can't be opened for its times: it is left as it was.
        EXPECT_EQ(timeKept, std::string(name) == "held.txt") << name;
        EXPECT_EQ(Hidden(data.dwFileAttributes), std::string(name) != "held.txt") << name;
    }
}

TEST(LimitsE2eTest, ReadOnlyFolderAndTrailBackslashNamesAreAllChanged) {
    const std::string target = MakeFolder("limits-names");
    // 表 and ソ end in the byte of a backslash.
    MakeFolder("limits-names\\表");
    MakeFolder("limits-names\\ro");
    const std::vector<std::string> files = {target + "\\表\\ソ.txt", target + "\\表\\a表", target + "\\ro\\r.txt",
                                            target + "\\ソ"};
    for (const std::string& file : files) MakeFile(file);
    ASSERT_TRUE(SetFileAttributesW(Wide(target + "\\ro").c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string status = RunHidden(target);
    SetFileAttributesW(Wide(target + "\\ro").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_NE(status.find(kFinished), std::string::npos) << status;
    EXPECT_EQ(CountLine(status), 0) << status;
    for (const std::string& file : files) EXPECT_TRUE(Hidden(Attributes(file))) << file;
}

TEST(LimitsE2eTest, AttributeRunKeepsTimesAndContentsOfRealFiles) {
    const std::string target = MakeFolder("limits-loss");
    const std::string path = target + "\\data.bin";
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const std::string contents = "contents that must stay\r\n\x95\x5c";
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr));
    // Times with a fraction of a second, to the 100 ns tick.
    const FILETIME creation{0x12345671u, 0x01D00000u}, access{0x12345673u, 0x01D60000u},
        modification{0x12345677u, 0x01D50000u};
    ASSERT_TRUE(SetFileTime(file, &creation, &access, &modification));
    CloseHandle(file);
    WIN32_FIND_DATAW before;
    FindClose(FindFirstFileW(Wide(path).c_str(), &before));

    const std::string status = RunHidden(target);
    EXPECT_EQ(CountLine(status), 0) << status;

    WIN32_FIND_DATAW after;
    HANDLE find = FindFirstFileW(Wide(path).c_str(), &after);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    FindClose(find);
    EXPECT_TRUE(Hidden(after.dwFileAttributes));
    EXPECT_EQ(CompareFileTime(&after.ftCreationTime, &before.ftCreationTime), 0);
    EXPECT_EQ(CompareFileTime(&after.ftLastWriteTime, &before.ftLastWriteTime), 0);
    EXPECT_EQ(CompareFileTime(&after.ftLastAccessTime, &before.ftLastAccessTime), 0);
    HANDLE read = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(read, INVALID_HANDLE_VALUE);
    char buffer[256] = {};
    DWORD got = 0;
    ReadFile(read, buffer, sizeof buffer, &got, nullptr);
    CloseHandle(read);
    EXPECT_EQ(std::string(buffer, got), contents);
}

}  // namespace
}  // namespace kelvo::e2e
