// The real file system through Win32FileSystem, on a temporary folder.
#include <set>

#include "tests/win32/Win32FileSystemFixture.h"

namespace kelvo {
namespace {

TEST_F(Win32FileSystemTest, ListingHasDotEntriesFilesAndFolders) {
    ASSERT_TRUE(TempFolder::MakeFile(temp / "a.txt", "abc"));
    ASSERT_TRUE(TempFolder::MakeFolder(temp / "sub"));

    auto entries = ListAll(temp / "*");
    EXPECT_EQ(4u, entries.size());
    ASSERT_EQ(1u, entries.count("."));
    ASSERT_EQ(1u, entries.count(".."));
    EXPECT_NE(0u, entries["."].attributes & kAttrDirectory);
    EXPECT_NE(0u, entries[".."].attributes & kAttrDirectory);
    EXPECT_NE(0u, entries["sub"].attributes & kAttrDirectory);
    EXPECT_EQ(0u, entries["a.txt"].attributes & kAttrDirectory);
    EXPECT_EQ(3u, entries["a.txt"].size);
}

TEST_F(Win32FileSystemTest, EndOfAListingIsNoFailureAfterAnEarlierCallsError) {
    ASSERT_TRUE(TempFolder::MakeFile(temp / "a.txt", "abc"));
    uint32_t attributes = 0;
    ASSERT_FALSE(files.GetAttributes(temp / "missing.txt", attributes));
    const uint32_t error = files.LastError();
    auto listing = files.List(temp / "*");
    ASSERT_NE(nullptr, listing);
    FindEntry entry;
    ListingStep step;
    while ((step = listing->Next(entry)).IsEntry()) {
    }
    EXPECT_EQ(ListingStep::Kind::End, step.kind);
    EXPECT_EQ(error, files.LastError());
}

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

TEST_F(Win32FileSystemTest, ListingThatCannotStartIsNull) {
    EXPECT_EQ(nullptr, files.List(temp / "missing\\*"));
    EXPECT_EQ(static_cast<uint32_t>(ERROR_PATH_NOT_FOUND), files.LastError());
}

TEST_F(Win32FileSystemTest, RelativeMovesOfTheCurrentDirectory) {
    ASSERT_TRUE(TempFolder::MakeFolder(temp / "sub"));
    ASSERT_TRUE(files.SetCurrentDirectory(temp.Path()));
    ASSERT_TRUE(files.SetCurrentDirectory(".\\sub"));
    std::string current;
    ASSERT_TRUE(files.GetCurrentDirectory(current));
    EXPECT_EQ(temp / "sub", current);
    ASSERT_TRUE(files.SetCurrentDirectory("..\\"));
    ASSERT_TRUE(files.GetCurrentDirectory(current));
    EXPECT_EQ(temp.Path(), current);

    EXPECT_FALSE(files.SetCurrentDirectory(".\\missing"));
    EXPECT_EQ(static_cast<uint32_t>(ERROR_FILE_NOT_FOUND), files.LastError());
    ASSERT_TRUE(files.GetCurrentDirectory(current));
    EXPECT_EQ(temp.Path(), current);
}

TEST_F(Win32FileSystemTest, FullPathResolvesAgainstTheCurrentDirectory) {
    ASSERT_TRUE(files.SetCurrentDirectory(temp.Path()));
    std::string full;
    ASSERT_TRUE(files.GetFullPath("name.txt", full));
    EXPECT_EQ(temp / "name.txt", full);
    ASSERT_TRUE(files.GetFullPath(temp / "x\\..\\y.txt", full));
    EXPECT_EQ(temp / "y.txt", full);
}

// Writes read-only and hidden to a new file in turn and reads them back.
void ExpectRoundTrip(Win32FileSystem& files, const std::string& file, Reach reach) {
    ASSERT_TRUE(TempFolder::MakeFile(file));
    uint32_t attributes = 0;

    ASSERT_TRUE(files.SetAttributes(file, kAttrReadOnly | kAttrHidden, reach));
    ASSERT_TRUE(files.GetAttributes(file, attributes));
    EXPECT_EQ(kAttrReadOnly | kAttrHidden, attributes & (kAttrReadOnly | kAttrHidden));
    FindEntry entry;
    ASSERT_TRUE(files.FindOne(file, entry));
    EXPECT_EQ(kAttrReadOnly | kAttrHidden, entry.attributes & (kAttrReadOnly | kAttrHidden));

    ASSERT_TRUE(files.SetAttributes(file, kAttrHidden, reach));
    ASSERT_TRUE(files.GetAttributes(file, attributes));
    EXPECT_EQ(kAttrHidden, attributes & (kAttrReadOnly | kAttrHidden));

    ASSERT_TRUE(files.SetAttributes(file, kAttrReadOnly, reach));
    ASSERT_TRUE(files.GetAttributes(file, attributes));
    EXPECT_EQ(kAttrReadOnly, attributes & (kAttrReadOnly | kAttrHidden));

    // Archive is not asked of the file system: Wine reports it on every file.
    ASSERT_TRUE(files.SetAttributes(file, 0, reach));
    ASSERT_TRUE(files.GetAttributes(file, attributes));
    EXPECT_EQ(0u, attributes & (kAttrReadOnly | kAttrHidden | kAttrSystem));
}

// An item met in a listing is written through a handle of its own; the
// word it is given is the same.
TEST_F(Win32FileSystemTest, ReadOnlyAndHiddenRoundTrip) {
    for (Reach reach : {Reach::AsNamed, Reach::Itself}) {
        SCOPED_TRACE(reach == Reach::Itself ? "itself" : "as named");
        ExpectRoundTrip(files, temp / (reach == Reach::Itself ? "itself.txt" : "named.txt"), reach);
    }
}

TEST_F(Win32FileSystemTest, AttributesOfAMissingItemFail) {
    uint32_t attributes = 0;
    EXPECT_FALSE(files.GetAttributes(temp / "missing", attributes));
    EXPECT_EQ(static_cast<uint32_t>(ERROR_FILE_NOT_FOUND), files.LastError());
    for (Reach reach : {Reach::AsNamed, Reach::Itself}) {
        EXPECT_FALSE(files.SetAttributes(temp / "missing", kAttrHidden, reach));
        EXPECT_EQ(static_cast<uint32_t>(ERROR_FILE_NOT_FOUND), files.LastError());
    }
    FindEntry entry;
    EXPECT_FALSE(files.FindOne(temp / "missing", entry));
    EXPECT_EQ(static_cast<uint32_t>(ERROR_FILE_NOT_FOUND), files.LastError());
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

// A read-only file would be refused too, but not under Wine run as root,
// which keeps read-only as a missing write permission.
TEST_F(Win32FileSystemTest, SetTimesFailsOnAMissingFile) {
    const FileTime time = kUnixEpochTicks + 1000000000ull * kTicksPerSecond;
    for (Reach reach : {Reach::AsNamed, Reach::Itself}) {
        EXPECT_FALSE(files.SetTimes(temp / "missing", nullptr, nullptr, &time, reach));
        EXPECT_EQ(static_cast<uint32_t>(ERROR_FILE_NOT_FOUND), files.LastError());
    }
}

TEST_F(Win32FileSystemTest, MoveRefusesAnExistingTarget) {
    ASSERT_TRUE(TempFolder::MakeFile(temp / "a.txt", "A"));
    ASSERT_TRUE(TempFolder::MakeFile(temp / "b.txt", "B"));
    EXPECT_FALSE(files.Move(temp / "a.txt", temp / "b.txt"));
    uint32_t error = files.LastError();
    EXPECT_TRUE(error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) << error;
    std::string bytes;
    ASSERT_TRUE(files.ReadWholeFile(temp / "a.txt", bytes));
    EXPECT_EQ("A", bytes);
    ASSERT_TRUE(files.ReadWholeFile(temp / "b.txt", bytes));
    EXPECT_EQ("B", bytes);

    ASSERT_TRUE(files.Move(temp / "a.txt", temp / "c.txt"));
    EXPECT_FALSE(files.ReadWholeFile(temp / "a.txt", bytes));
    ASSERT_TRUE(files.ReadWholeFile(temp / "c.txt", bytes));
    EXPECT_EQ("A", bytes);
}

// The rename itself tells a taken name: by a file in another letter case or
// by a folder, with one of the two codes the run keeps a name silently for.
// A change of case alone names the file itself and is no refusal (Wine 8
// keeps the old case on disk, Windows takes the new one).
TEST_F(Win32FileSystemTest, MoveTellsATakenNameAndAllowsACaseChange) {
    ASSERT_TRUE(TempFolder::MakeFile(temp / "a.txt", "A"));
    ASSERT_TRUE(TempFolder::MakeFile(temp / "B.TXT", "B"));
    ASSERT_TRUE(TempFolder::MakeFolder(temp / "sub"));
    for (const char* taken : {"b.txt", "SUB"}) {
        SCOPED_TRACE(taken);
        EXPECT_FALSE(files.Move(temp / "a.txt", temp / taken));
        const uint32_t error = files.LastError();
        EXPECT_TRUE(error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) << error;
    }
    ASSERT_TRUE(files.Move(temp / "a.txt", temp / "A.TXT"));
    auto entries = ListAll(temp / "*");
    EXPECT_EQ(1u, entries.count("A.TXT") + entries.count("a.txt"));
    std::string bytes;
    ASSERT_TRUE(files.ReadWholeFile(temp / "A.TXT", bytes));
    EXPECT_EQ("A", bytes);
}

TEST_F(Win32FileSystemTest, ReplaceOverwritesAndDeleteRemoves) {
    ASSERT_TRUE(TempFolder::MakeFile(temp / "new.ini", "new"));
    ASSERT_TRUE(TempFolder::MakeFile(temp / "old.ini", "old"));
    ASSERT_TRUE(files.Replace(temp / "new.ini", temp / "old.ini"));
    std::string bytes;
    ASSERT_TRUE(files.ReadWholeFile(temp / "old.ini", bytes));
    EXPECT_EQ("new", bytes);
    uint32_t attributes = 0;
    EXPECT_FALSE(files.GetAttributes(temp / "new.ini", attributes));

    ASSERT_TRUE(files.Delete(temp / "old.ini"));
    EXPECT_FALSE(files.GetAttributes(temp / "old.ini", attributes));
    EXPECT_FALSE(files.Delete(temp / "old.ini"));
    EXPECT_EQ(static_cast<uint32_t>(ERROR_FILE_NOT_FOUND), files.LastError());
}

}  // namespace
}  // namespace kelvo
