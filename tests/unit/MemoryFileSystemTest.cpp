// The in-memory file system's own promises that the run's tests rely on:
// listing counts and links. What every file system promises is in
// MemoryFileSystemPromisesTest.
#include <gtest/gtest.h>

#include "platform/memory/MemoryFileSystem.h"

namespace kelvo {
namespace {

TEST(MemoryFileSystemListing, CountsEntriesWithTheDotsBelowARoot) {
    MemoryFileSystem files;
    files.AddFile("C:\\T\\b.txt");
    files.AddFile("C:\\T\\a.txt");
    ASSERT_TRUE(files.SetCurrentDirectory("C:\\T"));
    std::unique_ptr<DirectoryListing> listing = files.List("*");
    ASSERT_NE(listing, nullptr);
    std::vector<std::string> names;
    FindEntry entry;
    ListingStep step;
    while ((step = listing->Next(entry)).IsEntry()) names.push_back(entry.name);
    EXPECT_EQ(names, (std::vector<std::string>{".", "..", "a.txt", "b.txt"}));
    EXPECT_EQ(files.EntriesRead(), 4u);
    EXPECT_EQ(files.ListingsOpened(), 1u);
    EXPECT_EQ(step.kind, ListingStep::Kind::End);
}

TEST(MemoryFileSystemLinks, WritesReachPastALinkOnlyAsNamed) {
    MemoryFileSystem files;
    files.AddFile("C:\\out\\o.txt");
    files.AddLink("C:\\T\\o.lnk", "C:\\out\\o.txt", kAttrArchive | kAttrReparsePoint);
    files.AddLink("C:\\T\\wine.lnk", "C:\\out\\o.txt", kAttrArchive, 0).changeableItself = false;
    const FileTime time = 5;

    EXPECT_TRUE(files.SetAttributes("C:\\T\\o.lnk", kAttrHidden, Reach::Itself));
    EXPECT_TRUE(files.SetTimes("C:\\T\\o.lnk", nullptr, nullptr, &time, Reach::Itself));
    EXPECT_EQ(files.Find("C:\\T\\o.lnk")->attributes, kAttrHidden | kAttrReparsePoint);
    EXPECT_EQ(files.Find("C:\\T\\o.lnk")->modification, time);
    EXPECT_FALSE(files.SetAttributes("C:\\T\\wine.lnk", kAttrHidden, Reach::Itself));
    EXPECT_EQ(files.LastError(), kErrorThroughLink);
    EXPECT_FALSE(files.SetTimes("C:\\T\\wine.lnk", nullptr, nullptr, &time, Reach::Itself));
    EXPECT_EQ(files.Find("C:\\out\\o.txt")->attributes, kAttrArchive);
    EXPECT_EQ(files.Find("C:\\out\\o.txt")->modification, 0u);

    EXPECT_TRUE(files.SetAttributes("C:\\T\\wine.lnk", kAttrHidden));
    EXPECT_EQ(files.Find("C:\\out\\o.txt")->attributes, kAttrHidden);
}

TEST(MemoryFileSystemLinks, LinksInACircleLeadNowhere) {
    MemoryFileSystem files;
    files.AddLink("C:\\a", "C:\\b\\x");
    files.AddLink("C:\\b", "C:\\a\\y");
    EXPECT_FALSE(files.SetCurrentDirectory("C:\\a"));
    EXPECT_EQ(files.List("C:\\b\\*"), nullptr);
}

}  // namespace
}  // namespace kelvo
