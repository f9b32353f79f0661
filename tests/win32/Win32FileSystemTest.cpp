// The real file system through Win32FileSystem, on a temporary folder: what
// only it has (names without an exact form, creation times under Wine).
// What every file system promises is in Win32FileSystemPromisesTest.
#include <set>

#include "tests/win32/Win32FileSystemFixture.h"

namespace kelvo {
namespace {

TEST_F(Win32FileSystemTest, ListingOfTheCurrentDirectory) {
    ASSERT_TRUE(TempFolder::MakeFile(temp / "only.txt"));
    ASSERT_TRUE(files.SetCurrentDirectory(temp.Path()));
    std::string current;
    ASSERT_TRUE(files.GetCurrentDirectory(current));
    EXPECT_EQ(temp.Path(), current);

    auto entries = ListAll("*");
    EXPECT_EQ((std::set<std::string>{".", "..", "only.txt"}), [&] {
        std::set<std::string> names;
        for (auto& item : entries) names.insert(item.first);
        return names;
    }());
}

TEST_F(Win32FileSystemTest, NamesWithoutAnExactFormAreMarkedAndNotNamed) {
    ASSERT_TRUE(TempFolder::MakeFile(temp / "cafe.txt"));
    ASSERT_TRUE(TempFolder::MakeFile(temp / L"caf\u00E9.txt"));
    ASSERT_TRUE(TempFolder::MakeFolder(temp / L"\u00A5"));
    std::multiset<std::string> exact;
    std::vector<FindEntry> odd;
    auto listing = files.List(temp / "*");
    ASSERT_NE(nullptr, listing);
    FindEntry entry;
    while (listing->Next(entry).IsEntry()) {
        if (entry.exact) exact.insert(entry.name);
        if (!entry.exact) odd.push_back(entry);
    }
    EXPECT_EQ((std::multiset<std::string>{".", "..", "cafe.txt"}), exact);
    ASSERT_EQ(2u, odd.size());
    EXPECT_EQ("", odd[0].name);
    EXPECT_EQ("", odd[1].name);
    EXPECT_NE((odd[0].attributes ^ odd[1].attributes) & kAttrDirectory, 0u);
}

TEST_F(Win32FileSystemTest, PathsWithoutAnExactFormAreRefused) {
    // The system can stand in a folder the program has no name for.
    ASSERT_TRUE(TempFolder::MakeFolder(temp / L"caf\u00E9"));
    ASSERT_TRUE(SetCurrentDirectoryW((temp / L"caf\u00E9").c_str()));
    std::string path = "kept";
    EXPECT_FALSE(files.GetCurrentDirectory(path));
    EXPECT_EQ(kErrorNotExact, files.LastError());
    EXPECT_FALSE(files.GetFullPath("x.txt", path));
    EXPECT_EQ(kErrorNotExact, files.LastError());
    EXPECT_EQ("kept", path);
    // Bytes that are not code page 932 never reach the system.
    uint32_t attributes = 0;
    EXPECT_FALSE(files.GetAttributes(temp / "a\x81", attributes));
    EXPECT_EQ(kErrorNotExact, files.LastError());
    EXPECT_FALSE(files.GetAttributes(temp / "a?", attributes));
    EXPECT_EQ(static_cast<uint32_t>(ERROR_INVALID_NAME), files.LastError());
}

// Wine on Linux can't store a creation time; it reports one no later than
// the modification time instead. Windows keeps what was set.
void ExpectCreation(FileTime set, const FindEntry& entry) {
    if (GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr) {
        EXPECT_LE(entry.creation, entry.modification);
    } else {
        EXPECT_EQ(set, entry.creation);
    }
}

TEST_F(Win32FileSystemTest, SetTimesShowsInTheListing) {
    std::string file = temp / "t.txt";
    ASSERT_TRUE(TempFolder::MakeFile(file));
    const FileTime creation = kUnixEpochTicks + 1000000000ull * kTicksPerSecond;
    const FileTime access = kUnixEpochTicks + 1100000000ull * kTicksPerSecond;
    const FileTime modification = kUnixEpochTicks + 1200000000ull * kTicksPerSecond;
    ASSERT_TRUE(files.SetTimes(file, &creation, &access, &modification));

    FindEntry entry;
    ASSERT_TRUE(files.FindOne(file, entry));
    EXPECT_EQ("t.txt", entry.name);
    ExpectCreation(creation, entry);
    EXPECT_EQ(access, entry.access);
    EXPECT_EQ(modification, entry.modification);

    // A missing time is left as it is.
    const FileTime laterModification = modification + 60 * kTicksPerSecond;
    ASSERT_TRUE(files.SetTimes(file, nullptr, nullptr, &laterModification));
    ASSERT_TRUE(files.FindOne(file, entry));
    ExpectCreation(creation, entry);
    EXPECT_EQ(access, entry.access);
    EXPECT_EQ(laterModification, entry.modification);
}

}  // namespace
}  // namespace kelvo
