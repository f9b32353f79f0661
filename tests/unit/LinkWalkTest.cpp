// Links in the tree of a run: a folder link is neither entered nor changed
// nor counted, a reparse folder of another kind is walked, a file link is
// changed as itself or, where it can't be, left and counted; whatever the
// tree holds, nothing outside the target changes. The target itself is
// followed when it is a link, and nothing below it is.
#include <gtest/gtest.h>


#include "tests/unit/RunTestFixture.h"
#include "tests/shared/FailureCount.h"

namespace kelvo {
namespace {

// Outside the target: everything in C:\P but C:\P\T.
const char* const kOutside[] = {"C:\\P\\out", "C:\\P\\out\\o.txt", "C:\\P\\out\\deep\\d.txt", "C:\\P\\beside.txt"};

class LinkWalk : public RunTest {
protected:
    void BuildTree() {
        files.AddFile("C:\\P\\out\\o.txt");
        files.AddFile("C:\\P\\out\\deep\\d.txt");
        files.AddFile("C:\\P\\beside.txt");
        files.AddFile("C:\\P\\T\\a.txt");
        files.AddFile("C:\\P\\T\\sub\\s.txt");
    }

    // A hidden run, folders too, then a run that sets the modification time.
    void HiddenRun(const std::string& target) {
        for (int box : kAttributeBoxes) Ask(box, kIndeterminate);
        Ask(IDC_HIDDEN, kChecked);
        Ask(IDC_FOLDERS_TOO, kChecked);
        Ask(IDC_MODIFIED_BOX, kUnchecked);
        SetTarget(target);
        ASSERT_EQ(Run(), RunEnd::Finished);
    }
    void TimeRun(const std::string& target) {
        for (int box : kAttributeBoxes) Ask(box, kIndeterminate);
        Ask(IDC_FOLDERS_TOO, kUnchecked);
        Ask(IDC_MODIFIED_BOX, kChecked);
        const int ids[] = {IDC_MODIFIED_YEAR, IDC_MODIFIED_MONTH, IDC_MODIFIED_DAY,
                           IDC_MODIFIED_HOUR, IDC_MODIFIED_MINUTE, IDC_MODIFIED_SECOND};
        const char* texts[] = {"2003", "11", "24", "12", "50", "54"};
        for (int i = 0; i < 6; ++i) window.SetText(ids[i], texts[i]);
        SetTarget(target);
        ASSERT_EQ(Run(), RunEnd::Finished);
    }

    bool Hidden(const std::string& path) { return (AttributesOf(path) & kAttrHidden) != 0; }
    FileTime Modified(const std::string& path) { return files.Find(path)->modification; }
    bool Entered(const std::string& name) {
        for (const std::string& call : files.CallsOf("SetCurrentDirectory")) {
            if (call == "SetCurrentDirectory .\\" + name) return true;
        }
        return false;
    }
    void ExpectOutsideUntouched() {
        for (const char* path : kOutside) {
            EXPECT_FALSE(Hidden(path)) << path;
            EXPECT_EQ(Modified(path), 0u) << path;
        }
    }
};

TEST_F(LinkWalk, FolderLinksAreLeftAndFileLinksChangedAsThemselves) {
    enum Kind { FolderLink, FileLink, ReparseFolder };
    struct Case {
        const char* name;
        Kind kind;
        uint32_t attributes;
        uint32_t tag;
        const char* target;
        bool changeableItself;
        bool changed;  // the entry at C:\P\T\sub\x itself, by both runs
        int failures;  // of each run
    };
    const uint32_t folder = kAttrDirectory | kAttrReparsePoint;
    const uint32_t file = kAttrArchive | kAttrReparsePoint;
    const Case cases[] = {
        {"symbolic link to a folder", FolderLink, folder, kReparseTagSymlink, "C:\\P\\out", true, false, 0},
        {"junction", FolderLink, folder, kReparseTagMountPoint, "C:\\P\\out", true, false, 0},
        {"link of another name-surrogate kind", FolderLink, folder, 0x20000123, "C:\\P\\out", true, false, 0},
        {"folder link whose kind isn't told (Wine)", FolderLink, folder, 0, "C:\\P\\out", true, false, 0},
        {"link to the target's parent", FolderLink, folder, kReparseTagMountPoint, "C:\\P", true, false, 0},
        {"cloud placeholder folder", ReparseFolder, folder, 0x9000601A, "", true, true, 0},
        {"deduplicated folder", ReparseFolder, folder, 0x80000013, "", true, true, 0},
        {"symbolic link to a file", FileLink, file, kReparseTagSymlink, "C:\\P\\out\\o.txt", true, true, 0},
        {"link to a file listed as a plain file (Wine)", FileLink, kAttrArchive, 0, "C:\\P\\out\\o.txt", false,
         false, 1},
    };
    const std::string x = "C:\\P\\T\\sub\\x";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        files.Memory() = MemoryFileSystem();
        files.ClearCalls();
        BuildTree();
        if (c.kind == ReparseFolder) {
            files.AddFolder(x, kAttrReparsePoint).reparseTag = c.tag;
            files.AddFile(x + "\\in.txt");
        } else {
            files.AddLink(x, c.target, c.attributes, c.tag).changeableItself = c.changeableItself;
        }

        HiddenRun("C:\\P\\T");
        EXPECT_EQ(CountLine(LastStatus()), c.failures) << LastStatus();
        EXPECT_EQ(Entered("x"), c.kind == ReparseFolder);
        EXPECT_EQ(Hidden(x), c.changed);
        for (const char* inside : {"C:\\P\\T\\a.txt", "C:\\P\\T\\sub", "C:\\P\\T\\sub\\s.txt"}) {
            EXPECT_TRUE(Hidden(inside)) << inside;
        }
        if (c.kind == ReparseFolder) {
            EXPECT_TRUE(Hidden(x + "\\in.txt"));
        }

        TimeRun("C:\\P\\T");
        EXPECT_EQ(CountLine(LastStatus()), c.failures) << LastStatus();
        if (c.kind == FileLink) {
            EXPECT_EQ(Modified(x) != 0, c.changed);
        }
        EXPECT_NE(Modified("C:\\P\\T\\sub\\s.txt"), 0u);
        ExpectOutsideUntouched();
    }
}

TEST_F(LinkWalk, TargetThatIsALinkIsFollowedAndNothingBelowIt) {
    BuildTree();
    files.AddLink("C:\\P\\T\\loop", "C:\\P", kAttrDirectory | kAttrReparsePoint, kReparseTagSymlink);
    files.AddLink("C:\\P\\T\\o.lnk", "C:\\P\\out\\o.txt", kAttrArchive | kAttrReparsePoint, kReparseTagSymlink);
    files.AddLink("C:\\TL", "C:\\P\\T", kAttrDirectory | kAttrReparsePoint, kReparseTagSymlink);

    HiddenRun("C:\\TL");
    EXPECT_EQ(LastStatus(), "\"C:\\TL\"\nディレクトリ内の全ての処理が終了しました。");
    for (const char* inside : {"C:\\P\\T\\a.txt", "C:\\P\\T\\sub\\s.txt", "C:\\P\\T\\o.lnk"}) {
        EXPECT_TRUE(Hidden(inside)) << inside;
    }
    EXPECT_FALSE(Entered("loop"));
    TimeRun("C:\\TL");
    EXPECT_NE(Modified("C:\\P\\T\\o.lnk"), 0u);
    ExpectOutsideUntouched();

    // A file the user named is what its link points to.
    TimeRun("C:\\P\\T\\o.lnk");
    EXPECT_NE(Modified("C:\\P\\out\\o.txt"), 0u);
}

}  // namespace
}  // namespace kelvo
