// What the program relies on from any file system, as one typed suite: a
// listing with "." and ".." and its entries and then its end, a refused
// listing's code, attributes and times written and read back, one update
// of an item read and written through the open item, a rename that
// refuses a taken name but allows a change of case, replace and delete, the
// path limit, the current directory, files written, and when LastError()
// changes. Each test binary instantiates it with a world: a file system and
// an empty folder on it, which the world can fill without the file system.
//
// A world has: FileSystem& Files(); std::string Root() (a full path);
// void MakeFile(const std::string& path, const std::string& content);
// void MakeFolder(const std::string& path).
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/Clock.h"
#include "platform/FileLimits.h"
#include "platform/FileSystem.h"

namespace kelvo {

template <typename World>
class FileSystemPromises : public ::testing::Test {
protected:
    FileSystem& files() { return world_.Files(); }
    std::string At(const std::string& name) { return world_.Root() + "\\" + name; }

    // Every entry of a listing by name, and how the listing ended.
    std::map<std::string, FindEntry> ListAll(const std::string& pattern, ListingStep& last) {
        std::map<std::string, FindEntry> entries;
        std::unique_ptr<DirectoryListing> listing = files().List(pattern);
        if (listing == nullptr) {
            last = ListingStep::Failed(files().LastError());
            return entries;
        }
        FindEntry entry;
        while ((last = listing->Next(entry)).IsEntry()) entries[entry.name] = entry;
        return entries;
    }
    std::string Content(const std::string& path) {
        std::string bytes;
        return files().ReadWholeFile(path, bytes) ? bytes : "(unreadable)";
    }

    World world_;
};

TYPED_TEST_SUITE_P(FileSystemPromises);

TYPED_TEST_P(FileSystemPromises, ListingGivesTheDotsEachEntryAndItsEnd) {
    this->world_.MakeFile(this->At("a.txt"), "abc");
    this->world_.MakeFolder(this->At("sub"));
    ListingStep last;
    auto entries = this->ListAll(this->At("*"), last);
    EXPECT_EQ(last.kind, ListingStep::Kind::End);
    ASSERT_EQ(entries.size(), 4u);
    for (const char* folder : {".", "..", "sub"}) EXPECT_NE(entries[folder].attributes & kAttrDirectory, 0u) << folder;
    EXPECT_EQ(entries["a.txt"].attributes & kAttrDirectory, 0u);
    EXPECT_EQ(entries["a.txt"].size, 3u);
    EXPECT_TRUE(entries["a.txt"].exact);

    entries = this->ListAll(this->At("missing\\*"), last);
    EXPECT_EQ(last.kind, ListingStep::Kind::Failed);
    EXPECT_EQ(last.error, kErrorPathNotFound);
}

TYPED_TEST_P(FileSystemPromises, AttributesAndTimesReadBackAsWritten) {
    const FileTime access = kUnixEpochTicks + 1100000000ull * kTicksPerSecond;
    const FileTime modification = kUnixEpochTicks + 1200000000ull * kTicksPerSecond;
    const uint32_t kBits = kAttrReadOnly | kAttrHidden | kAttrSystem;
    for (Reach reach : {Reach::AsNamed, Reach::Itself}) {
        SCOPED_TRACE(reach == Reach::Itself ? "itself" : "as named");
        const std::string file = this->At(reach == Reach::Itself ? "itself.txt" : "named.txt");
        this->world_.MakeFile(file, "");
        // Times first: a read-only file's times can't be written.
        ASSERT_TRUE(this->files().SetTimes(file, nullptr, &access, &modification, reach));
        for (uint32_t word : {uint32_t{kAttrReadOnly | kAttrHidden}, uint32_t{kAttrHidden}, uint32_t{kAttrReadOnly}, 0u}) {
            ASSERT_TRUE(this->files().SetAttributes(file, word, reach));
            uint32_t attributes = 0;
            ASSERT_TRUE(this->files().GetAttributes(file, attributes));
            EXPECT_EQ(attributes & kBits, word);
        }
        FindEntry entry;
        ASSERT_TRUE(this->files().FindOne(file, entry));
        EXPECT_EQ(entry.access, access);
        EXPECT_EQ(entry.modification, modification);
        // A time left out stays as it is.
        const FileTime later = modification + 60 * kTicksPerSecond;
        ASSERT_TRUE(this->files().SetTimes(file, nullptr, nullptr, &later, reach));
        ASSERT_TRUE(this->files().FindOne(file, entry));
        EXPECT_EQ(entry.access, access);
        EXPECT_EQ(entry.modification, later);
    }
}

// One update reads the item's word and times from the open item and writes
// new ones in one call: a read-only file's times too, and only what the
// decision gives. A decision to write nothing leaves the item alone.
TYPED_TEST_P(FileSystemPromises, UpdateReadsTheItemAndWritesInOneCall) {
    const FileTime access = kUnixEpochTicks + 1100000000ull * kTicksPerSecond;
    const FileTime modification = kUnixEpochTicks + 1200000000ull * kTicksPerSecond;
    const FileTime later = modification + 3600 * kTicksPerSecond;
    const uint32_t kBits = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrDirectory;
    const std::string file = this->At("update.txt");
    this->world_.MakeFile(file, "");
    FileSystem& files = this->files();
    ASSERT_TRUE(files.SetTimes(file, nullptr, &access, &modification));
    ASSERT_TRUE(files.SetAttributes(file, kAttrReadOnly | kAttrHidden));

    ItemState seen;
    ASSERT_TRUE(files.UpdateItem(file, ItemOpening{Reach::Itself, true}, [&](const ItemState& now, ItemChange& change) {
        seen = now;
        change.modification = later;
        change.attributes = kAttrReadOnly | kAttrSystem;
        return true;
    }));
    EXPECT_EQ(seen.attributes & kBits, kAttrReadOnly | kAttrHidden);
    EXPECT_EQ(seen.access, access);
    EXPECT_EQ(seen.modification, modification);
    FindEntry entry;
    ASSERT_TRUE(files.FindOne(file, entry));
    EXPECT_EQ(entry.attributes & kBits, kAttrReadOnly | kAttrSystem);
    EXPECT_EQ(entry.access, access);
    EXPECT_EQ(entry.modification, later);

    ASSERT_TRUE(files.UpdateItem(file, ItemOpening{Reach::AsNamed, false}, [&](const ItemState&, ItemChange& change) {
        change.attributes = 0;
        return false;
    }));
    ASSERT_TRUE(files.FindOne(file, entry));
    EXPECT_EQ(entry.attributes & kBits, kAttrReadOnly | kAttrSystem);

    const std::string folder = this->At("folder");
    this->world_.MakeFolder(folder);
    bool folderSeen = false;
    EXPECT_TRUE(files.UpdateItem(folder, ItemOpening{Reach::Itself, false}, [&](const ItemState& now, ItemChange&) {
        folderSeen = (now.attributes & kAttrDirectory) != 0;
        return false;
    }));
    EXPECT_TRUE(folderSeen);
    ASSERT_TRUE(files.SetAttributes(file, 0));
}

TYPED_TEST_P(FileSystemPromises, MissingItemsAreRefusedAsNotFound) {
    const std::string missing = this->At("missing");
    const FileTime time = kUnixEpochTicks;
    uint32_t attributes = 0;
    FindEntry entry;
    FileSystem& files = this->files();
    const struct {
        const char* call;
        std::function<bool()> run;
    } cases[] = {
        {"GetAttributes", [&] { return files.GetAttributes(missing, attributes); }},
        {"SetAttributes", [&] { return files.SetAttributes(missing, kAttrHidden); }},
        {"SetAttributes itself", [&] { return files.SetAttributes(missing, kAttrHidden, Reach::Itself); }},
        {"SetTimes", [&] { return files.SetTimes(missing, nullptr, nullptr, &time); }},
        {"SetTimes itself", [&] { return files.SetTimes(missing, nullptr, nullptr, &time, Reach::Itself); }},
        {"UpdateItem", [&] { return files.UpdateItem(missing, ItemOpening{}, [](const ItemState&, ItemChange&) {
             ADD_FAILURE() << "a missing item has no state to decide on";
             return false;
         }); }},
        {"FindOne", [&] { return files.FindOne(missing, entry); }},
        {"Delete", [&] { return files.Delete(missing); }},
        {"Move", [&] { return files.Move(missing, this->At("other")); }},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(c.run()) << c.call;
        EXPECT_EQ(files.LastError(), kErrorFileNotFound) << c.call;
    }
}

TYPED_TEST_P(FileSystemPromises, MoveRefusesATakenNameAndAllowsACaseChange) {
    this->world_.MakeFile(this->At("a.txt"), "A");
    this->world_.MakeFile(this->At("B.TXT"), "B");
    this->world_.MakeFolder(this->At("sub"));
    for (const char* taken : {"b.txt", "SUB"}) {
        SCOPED_TRACE(taken);
        EXPECT_FALSE(this->files().Move(this->At("a.txt"), this->At(taken)));
        const uint32_t error = this->files().LastError();
        EXPECT_TRUE(error == kErrorAlreadyExists || error == kErrorFileExists) << error;
        EXPECT_EQ(this->Content(this->At("a.txt")), "A");
        EXPECT_EQ(this->Content(this->At("b.txt")), "B");
    }
    // A change of case alone names the file itself (Wine keeps the old case
    // on disk, Windows takes the new one).
    ASSERT_TRUE(this->files().Move(this->At("a.txt"), this->At("A.TXT")));
    ListingStep last;
    auto entries = this->ListAll(this->At("*"), last);
    EXPECT_EQ(entries.count("A.TXT") + entries.count("a.txt"), 1u);
    EXPECT_EQ(this->Content(this->At("A.TXT")), "A");
    ASSERT_TRUE(this->files().Move(this->At("a.txt"), this->At("c.txt")));
    EXPECT_EQ(this->Content(this->At("c.txt")), "A");
}

TYPED_TEST_P(FileSystemPromises, WrittenFilesReplaceAndDelete) {
    const std::string file = this->At("new.ini");
    std::unique_ptr<WritableFile> writer = this->files().OpenForWriting(file, true);
    ASSERT_NE(writer, nullptr);
    ASSERT_TRUE(writer->Write("ab"));
    ASSERT_TRUE(writer->Close());
    writer = this->files().OpenForWriting(file, false);  // kept: new bytes go after the old
    ASSERT_NE(writer, nullptr);
    ASSERT_TRUE(writer->Write("c"));
    ASSERT_TRUE(writer->Close());
    EXPECT_EQ(this->Content(file), "abc");
    writer = this->files().OpenForWriting(file, false);  // emptied: it starts anew
    ASSERT_NE(writer, nullptr);
    ASSERT_TRUE(writer->Truncate());
    ASSERT_TRUE(writer->Write("new"));
    ASSERT_TRUE(writer->Close());
    EXPECT_EQ(this->Content(file), "new");

    // The replaced file keeps its own attributes, and its creation time
    // where the system keeps one of its own (Wine on a Linux disk doesn't).
    const std::string old = this->At("old.ini");
    this->world_.MakeFile(old, "old");
    ASSERT_TRUE(this->files().SetAttributes(old, kAttrHidden | kAttrSystem | kAttrArchive));
    const FileTime created = 130000000000000000ull;  // 2012-12-14
    ASSERT_TRUE(this->files().SetTimes(old, &created, nullptr, nullptr));
    FindEntry before;
    ASSERT_TRUE(this->files().FindOne(old, before));
    ASSERT_TRUE(this->files().Replace(file, old));
    EXPECT_EQ(this->Content(old), "new");
    FindEntry after;
    ASSERT_TRUE(this->files().FindOne(old, after));
    EXPECT_EQ(after.attributes & (kAttrHidden | kAttrSystem), kAttrHidden | kAttrSystem);
    if (before.creation == created) {
        EXPECT_EQ(after.creation, created);
    }
    uint32_t attributes = 0;
    EXPECT_FALSE(this->files().GetAttributes(file, attributes));
    ASSERT_TRUE(this->files().Delete(this->At("old.ini")));
    EXPECT_FALSE(this->files().Delete(this->At("old.ini")));
    EXPECT_EQ(this->files().LastError(), kErrorFileNotFound);
}

TYPED_TEST_P(FileSystemPromises, PathsBeyondTheLimitAreRefused) {
    const std::string folder = this->world_.Root() + "\\";
    const std::string longest = folder + std::string(kMaxPathBytes - folder.size(), 'x');
    this->world_.MakeFile(longest, "");
    uint32_t attributes = 0;
    EXPECT_TRUE(this->files().GetAttributes(longest, attributes));
    const std::string tooLong = longest + "x";
    EXPECT_FALSE(this->files().GetAttributes(tooLong, attributes));
    EXPECT_EQ(this->files().LastError(), kErrorFilenameTooLong);
    EXPECT_FALSE(this->files().Move(longest, tooLong));
    EXPECT_EQ(this->files().LastError(), kErrorFilenameTooLong);
    EXPECT_FALSE(this->files().SetCurrentDirectory(tooLong));
    EXPECT_EQ(this->files().LastError(), kErrorFilenameTooLong);
}

// A failure's code stays until the next failure: a call that succeeds
// leaves it.
TYPED_TEST_P(FileSystemPromises, CurrentDirectoryMovesAndLastErrorStays) {
    this->world_.MakeFolder(this->At("sub"));
    ASSERT_TRUE(this->files().SetCurrentDirectory(this->world_.Root()));
    EXPECT_FALSE(this->files().SetCurrentDirectory(".\\missing"));
    EXPECT_EQ(this->files().LastError(), kErrorFileNotFound);
    std::string current;
    ASSERT_TRUE(this->files().SetCurrentDirectory(".\\sub"));
    ASSERT_TRUE(this->files().GetCurrentDirectory(current));
    EXPECT_EQ(current, this->At("sub"));
    std::string full;
    ASSERT_TRUE(this->files().GetFullPath("..\\x.txt", full));
    EXPECT_EQ(full, this->At("x.txt"));
    ASSERT_TRUE(this->files().SetCurrentDirectory("..\\"));
    ASSERT_TRUE(this->files().GetCurrentDirectory(current));
    EXPECT_EQ(current, this->world_.Root());
    EXPECT_EQ(this->files().LastError(), kErrorFileNotFound);
}

REGISTER_TYPED_TEST_SUITE_P(FileSystemPromises, ListingGivesTheDotsEachEntryAndItsEnd,
                            AttributesAndTimesReadBackAsWritten, UpdateReadsTheItemAndWritesInOneCall,
                            MissingItemsAreRefusedAsNotFound,
                            MoveRefusesATakenNameAndAllowsACaseChange, WrittenFilesReplaceAndDelete,
                            PathsBeyondTheLimitAreRefused, CurrentDirectoryMovesAndLastErrorStays);

}  // namespace kelvo
