// The fault wrapper's refusals and call log, over the in-memory file
// system: by operation and path, by call number, and on the steps of
// listings and open files.
#include <gtest/gtest.h>

#include "platform/memory/FaultyMemoryFileSystem.h"

namespace kelvo {
namespace {

TEST(FaultyFileSystemRefusal, AttributeWriteMatchesByPathOrByPathAndBits) {
    FaultyMemoryFileSystem files;
    files.AddFile("C:\\d\\a.txt");
    files.RefuseOperation("SetAttributes", "a.txt");
    EXPECT_FALSE(files.SetAttributes("C:\\d\\a.txt", kAttrHidden));
    EXPECT_EQ(files.LastError(), kErrorInjected);
    EXPECT_TRUE(files.SetAttributes("C:\\d\\a.txt", kAttrHidden));  // refused once only

    files.RefuseOperation("SetAttributes", "a.txt 3");
    EXPECT_TRUE(files.SetAttributes("C:\\d\\a.txt", 2));
    EXPECT_FALSE(files.SetAttributes("C:\\d\\a.txt", 3));
}

TEST(FaultyFileSystemRefusal, RelativePathMatchesByItsFullForm) {
    FaultyMemoryFileSystem files;
    files.AddFolder("C:\\T\\A");
    ASSERT_TRUE(files.SetCurrentDirectory("C:\\T"));
    files.RefuseOperation("SetCurrentDirectory", "T\\A");
    EXPECT_FALSE(files.SetCurrentDirectory(".\\A"));
    EXPECT_TRUE(files.SetCurrentDirectory(".\\A"));
}

TEST(FaultyFileSystemRefusal, NthCallOnceOrFromThenOn) {
    FaultyMemoryFileSystem files;
    std::string path;
    files.RefuseCall(2);
    EXPECT_TRUE(files.GetCurrentDirectory(path));
    EXPECT_FALSE(files.GetCurrentDirectory(path));
    EXPECT_TRUE(files.GetCurrentDirectory(path));
    files.RefuseCall(4, true);
    EXPECT_FALSE(files.GetCurrentDirectory(path));
    EXPECT_FALSE(files.GetCurrentDirectory(path));
}

TEST(FaultyFileSystemRefusal, ListingStepsAndWritesAreCallsOfTheirOwn) {
    FaultyMemoryFileSystem files;
    files.AddFile("C:\\T\\a.txt");
    files.RefuseOperation("FindNext", "\\T");
    std::unique_ptr<DirectoryListing> listing = files.List("C:\\T\\*");
    ASSERT_NE(listing, nullptr);
    FindEntry entry;
    const ListingStep step = listing->Next(entry);
    EXPECT_EQ(step.kind, ListingStep::Kind::Failed);
    EXPECT_EQ(step.error, kErrorInjected);

    files.RefuseOperation("Write", "a.txt");
    files.RefuseOperation("Close", "a.txt");
    std::unique_ptr<WritableFile> file = files.OpenForWriting("C:\\T\\a.txt", true);
    ASSERT_NE(file, nullptr);
    EXPECT_FALSE(file->Write("x"));
    EXPECT_FALSE(file->Close());
    EXPECT_EQ(files.Find("C:\\T\\a.txt")->content, "");
    // A refused close closed the file all the same.
    EXPECT_NE(files.OpenForWriting("C:\\T\\a.txt", false), nullptr);
    EXPECT_EQ(files.CallsOf("FindNext"), std::vector<std::string>{"FindNext C:\\T"});
    EXPECT_EQ(files.CallCount(), 6u);
}

}  // namespace
}  // namespace kelvo
