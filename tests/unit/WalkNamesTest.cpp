// Names the system would read as another item, in a walk: listed names
// ending in a dot or a space and device names are left and counted (a
// folder once, with nothing below it entered), and a rename never makes
// such a name.
#include <gtest/gtest.h>

#include "tests/shared/FailureCount.h"
#include "tests/unit/RunTestFixture.h"

namespace kelvo {
namespace {

class WalkNames : public RunTest {};

TEST_F(WalkNames, NamesReadAsAnotherItemAreLeftAndCounted) {
    files.AddFile("C:\\T\\a.");
    files.AddFile("C:\\T\\b ");
    files.AddFile("C:\\T\\CON");
    files.AddFile("C:\\T\\lpt1.txt");
    files.AddFile("C:\\T\\good.txt");
    files.AddFile("C:\\T\\dir.\\in.txt");
    files.AddFile("C:\\T\\AUX\\in.txt");
    files.AddFile("C:\\T\\sub\\COM1 .log");
    files.AddFile("C:\\T\\sub\\s.txt");
    Ask(IDC_HIDDEN, kChecked);
    Ask(IDC_FOLDERS_TOO, kChecked);
    SetTarget("C:\\T");
    ASSERT_EQ(Run(), RunEnd::Finished);

    EXPECT_EQ(ChangedPaths(), (std::vector<std::string>{"C:\\T\\sub", "C:\\T\\sub\\s.txt", "C:\\T\\good.txt"}));
    EXPECT_EQ(CountLine(LastStatus()), 7) << LastStatus();
    for (const char* path : {"C:\\T\\a.", "C:\\T\\b ", "C:\\T\\CON", "C:\\T\\lpt1.txt", "C:\\T\\dir.",
                             "C:\\T\\dir.\\in.txt", "C:\\T\\AUX", "C:\\T\\AUX\\in.txt", "C:\\T\\sub\\COM1 .log"}) {
        EXPECT_EQ(AttributesOf(path) & kAttrHidden, 0u) << path;
    }
    // Nothing was looked at below the folders it can't name.
    for (const std::string& call : files.Calls()) {
        EXPECT_EQ(call.find("in.txt"), std::string::npos) << call;
        EXPECT_EQ(call.find("SetCurrentDirectory .\\AUX"), std::string::npos) << call;
    }
}

// A new name ending in a dot or a space would be cut back by the system to
// the old name or another; it is passed over as a taken name is. A device
// name can't be a file's name: the rename is refused and counted. Both
// files still get their attribute change.
TEST_F(WalkNames, RenameNeverMakesANameReadAsAnother) {
    struct Case {
        const char* shows;
        int rule;
        const char* text;
        int counted;
    } cases[] = {
        {"extension tail a dot", IDC_EXT_TAIL, ".", 0},
        {"extension tail a space", IDC_EXT_TAIL, " ", 0},
        {"title replaced by a device name", IDC_TITLE_WITH, "CON", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shows);
        FaultyMemoryFileSystem tree;
        MemoryWindow job;
        tree.AddFile("C:\\T\\x.txt");
        for (int box : kAttributeBoxes) job.SetCheck(box, kIndeterminate);
        job.SetCheck(IDC_HIDDEN, kChecked);
        job.SetCheck(IDC_RENAME_ON, kChecked);
        job.SetText(IDC_TITLE_WHAT, "x");
        job.SetText(IDC_TITLE_WITH, "x");
        job.SetText(c.rule, c.text);
        job.SetText(IDC_PATH, "C:\\T");
        RunEnvironment environment{tree, clock, job, fullView, cancelRequested};
        ASSERT_EQ(RunJob(environment), RunEnd::Finished);
        ASSERT_NE(tree.Find("C:\\T\\x.txt"), nullptr);
        EXPECT_EQ(tree.Find("C:\\T\\x.txt")->attributes, kAttrArchive | kAttrHidden);
        EXPECT_TRUE(tree.CallsOf("Move").empty());
        EXPECT_EQ(CountLine(job.GetText(IDC_STATUS)), c.counted) << job.GetText(IDC_STATUS);
    }
}

}  // namespace
}  // namespace kelvo
