// The folder walk: visiting order, two listings per folder, the calls each
// file costs, paths at a drive root and below a folder whose name ends in a
// trail byte of 0x5C, skipped entries, the texts in full and compact view,
// cancel, and the limits of depth and path length.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "run/TargetWalk.h"
#include "run/WindowRunSink.h"
#include "tests/unit/RunTestFixture.h"

namespace kelvo {
namespace {

class FolderWalk : public RunTest {
protected:
    // T holds A and B (A listed first); A holds A1; each folder holds a file.
    void BuildExampleTree() {
        files.AddFile("C:\\T\\A\\A1\\a1.txt");
        files.AddFile("C:\\T\\A\\a.txt");
        files.AddFile("C:\\T\\B\\b.txt");
        files.AddFile("C:\\T\\t.txt");
        SetTarget("C:\\T");
    }
    std::string CurrentDirectory() {
        std::string path;
        files.GetCurrentDirectory(path);
        return path;
    }
};

TEST_F(FolderWalk, SubfoldersFirstThenFilesWithFolders) {
    BuildExampleTree();
    Ask(IDC_HIDDEN, kChecked);
    Ask(IDC_FOLDERS_TOO, kChecked);
    EXPECT_EQ(Run(), RunEnd::Finished);
    EXPECT_EQ(ChangedPaths(), (std::vector<std::string>{"C:\\T\\A", "C:\\T\\A\\A1", "C:\\T\\A\\A1\\a1.txt",
                                                        "C:\\T\\A\\a.txt", "C:\\T\\B", "C:\\T\\B\\b.txt",
                                                        "C:\\T\\t.txt"}));
    EXPECT_EQ(AttributesOf("C:\\T"), kAttrDirectory);
    EXPECT_EQ(AttributesOf("C:\\T\\A\\A1"), kAttrDirectory | kAttrHidden);
    EXPECT_EQ(CurrentDirectory(), "C:\\T");
    EXPECT_EQ(window.Beeps(), 1);
    EXPECT_EQ(LastStatus(), "\"C:\\T\"\nディレクトリ内の全ての処理が終了しました。");
}

TEST_F(FolderWalk, SubfoldersFirstThenFilesWithoutFolders) {
    BuildExampleTree();
    Ask(IDC_HIDDEN, kChecked);
    EXPECT_EQ(Run(), RunEnd::Finished);
    EXPECT_EQ(ChangedPaths(), (std::vector<std::string>{"C:\\T\\A\\A1\\a1.txt", "C:\\T\\A\\a.txt",
                                                        "C:\\T\\B\\b.txt", "C:\\T\\t.txt"}));
    EXPECT_EQ(AttributesOf("C:\\T\\A"), kAttrDirectory);
}

// Once for its subfolders when the walk enters it, once more when its file
// pass starts, so the files are those there at that moment.
TEST_F(FolderWalk, EachFolderIsListedTwice) {
    BuildExampleTree();
    Run();
    EXPECT_EQ(files.ListingsOpened(), 8u);
}

TEST_F(FolderWalk, WalkTextsInFullView) {
    files.AddFile("C:\\T\\A\\a.txt");
    SetTarget("C:\\T");
    Run();
    EXPECT_EQ(StatusTexts(), (std::vector<std::string>{
                                 "\"A\"\nディレクトリ内に移動しました。\n\"A\"\nディレクトリ内処理中...",
                                 "カレントディレクトリが一つ上のディレクトリに移動しました。",
                                 "\"C:\\T\"\nディレクトリ内の全ての処理が終了しました。\n変更は何もありませんでした。"}));
}

TEST_F(FolderWalk, CompactViewShowsOnlyTheFinish) {
    BuildExampleTree();
    fullView = 0;
    Ask(IDC_ARCHIVE, kUnchecked);
    Run();
    EXPECT_EQ(StatusTexts(), std::vector<std::string>{"\"C:\\T\"\nディレクトリ内の全ての処理が終了しました。"});
    EXPECT_EQ(AttributesOf("C:\\T\\t.txt"), kAttrNormal);
}

TEST_F(FolderWalk, EmptyTargetFinishesWithTheSuffixAndBeeps) {
    files.AddFolder("C:\\E");
    SetTarget("C:\\E");
    EXPECT_EQ(Run(), RunEnd::Finished);
    EXPECT_EQ(StatusTexts(), std::vector<std::string>{
                                 "\"C:\\E\"\nディレクトリ内の全ての処理が終了しました。\n変更は何もありませんでした。"});
    EXPECT_EQ(window.Beeps(), 1);
}

TEST_F(FolderWalk, DriveRootGetsNoDoubledBackslash) {
    files.AddFile("D:\\r.txt");
    files.AddFile("D:\\S\\s.txt");
    Ask(IDC_HIDDEN, kChecked);
    Ask(IDC_FOLDERS_TOO, kChecked);
    SetTarget("D:\\");
    Run();
    EXPECT_EQ(ChangedPaths(), (std::vector<std::string>{"D:\\S", "D:\\S\\s.txt", "D:\\r.txt"}));
}

TEST_F(FolderWalk, FolderEndingInATrailBackslashGetsASeparator) {
    const std::string folder = "C:\\T\\表";  // 0x95 0x5C
    files.AddFile(folder + "\\f.txt");
    Ask(IDC_HIDDEN, kChecked);
    SetTarget(folder);
    Run();
    EXPECT_EQ(ChangedPaths(), std::vector<std::string>{folder + "\\f.txt"});
    EXPECT_EQ(AttributesOf(folder + "\\f.txt"), kAttrArchive | kAttrHidden);
}

TEST_F(FolderWalk, OwnExecutableIsLeftAloneWhateverItsCase) {
    files.AddFile("C:\\T\\kelvo.exe");
    files.AddFile("C:\\T\\other.exe");
    files.SetModulePath("c:\\t\\KELVO.EXE");
    Ask(IDC_HIDDEN, kChecked);
    SetTarget("C:\\T");
    Run();
    EXPECT_EQ(ChangedPaths(), std::vector<std::string>{"C:\\T\\other.exe"});
    EXPECT_EQ(AttributesOf("C:\\T\\kelvo.exe"), kAttrArchive);
}

TEST_F(FolderWalk, CancelIsSeenBeforeTheNextFile) {
    files.AddFile("C:\\T\\1.txt");
    files.AddFile("C:\\T\\2.txt");
    Ask(IDC_HIDDEN, kChecked);
    SetTarget("C:\\T\\");
    window.MarkEdit(IDC_STATUS);
    window.SetCommandHandler([&](int, int) {
        if (window.GetText(IDC_STATUS).find("1.txt") != std::string::npos) cancelRequested = true;
    });
    EXPECT_EQ(Run(), RunEnd::Cancelled);
    EXPECT_EQ(AttributesOf("C:\\T\\1.txt"), kAttrArchive | kAttrHidden);
    EXPECT_EQ(AttributesOf("C:\\T\\2.txt"), kAttrArchive);
    EXPECT_EQ(LastStatus(), "\"C:\\T\\\"\nディレクトリ内の処理中にキャンセルしました。");
    EXPECT_EQ(window.Beeps(), 0);
    EXPECT_EQ(CurrentDirectory(), "C:\\T");
}

TEST_F(FolderWalk, CancelBeforeAnyFileShowsTheSuffix) {
    files.AddFile("C:\\T\\1.txt");
    cancelRequested = true;
    Ask(IDC_HIDDEN, kChecked);
    SetTarget("C:\\T");
    EXPECT_EQ(Run(), RunEnd::Cancelled);
    EXPECT_TRUE(ChangedPaths().empty());
    EXPECT_EQ(LastStatus(), "\"C:\\T\"\nディレクトリ内の処理中にキャンセルしました。\n変更は何もありませんでした。");
}

TEST_F(FolderWalk, CancelDuringTheLastSubfolderIsSeenInItsParentsPass) {
    files.AddFile("C:\\T\\A\\a.txt");
    Ask(IDC_HIDDEN, kChecked);
    SetTarget("C:\\T");
    window.MarkEdit(IDC_STATUS);
    window.SetCommandHandler([&](int, int) {
        if (window.GetText(IDC_STATUS).find("a.txt") != std::string::npos) cancelRequested = true;
    });
    EXPECT_EQ(Run(), RunEnd::Cancelled);
    EXPECT_EQ(AttributesOf("C:\\T\\A\\a.txt"), kAttrArchive | kAttrHidden);
    EXPECT_EQ(LastStatus(), "\"C:\\T\"\nディレクトリ内の処理中にキャンセルしました。");
}

// A cancel during a folder's last file is seen at the entries listed after
// it: a subfolder listed after the file (already walked) ends the run with
// the cancel text, and no later folder is entered or changed.
TEST_F(FolderWalk, CancelDuringAFoldersLastFileIsSeenAtTheEntriesAfterIt) {
    struct Case {
        const char* shows;
        std::vector<std::string> files;  // the last one is the file the cancel comes during
        std::vector<std::string> untouched;
    } cases[] = {
        {"the target's last entry is a folder", {"C:\\T\\b\\in.txt", "C:\\T\\a.txt"}, {}},
        {"a folder listed after the file, a sibling folder after its parent",
         {"C:\\T\\A\\Y\\y.txt", "C:\\T\\B\\b.txt", "C:\\T\\A\\a.txt"},
         {"C:\\T\\B", "C:\\T\\B\\b.txt"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shows);
        FaultyMemoryFileSystem tree;
        MemoryWindow job;
        MemoryClock jobClock;
        std::atomic<bool> cancel{false};
        for (const std::string& path : c.files) tree.AddFile(path);
        for (int box : kAttributeBoxes) job.SetCheck(box, kIndeterminate);
        job.SetCheck(IDC_HIDDEN, kChecked);
        job.SetCheck(IDC_FOLDERS_TOO, kChecked);
        job.SetText(IDC_PATH, "C:\\T");
        tree.BeforeCall("WriteItem", c.files.back(), [&] { cancel = true; });
        RunEnvironment environment{tree, jobClock, job, fullView, cancel};
        EXPECT_EQ(RunJob(environment), RunEnd::Cancelled);
        EXPECT_EQ(job.GetText(IDC_STATUS), "\"C:\\T\"\nディレクトリ内の処理中にキャンセルしました。");
        EXPECT_EQ(job.Beeps(), 0);
        EXPECT_NE(tree.Find(c.files.back())->attributes & kAttrHidden, 0u);
        for (const std::string& path : c.untouched) {
            EXPECT_EQ(tree.Find(path)->attributes & kAttrHidden, 0u) << path;
        }
    }
}

// Beside the listings, the moves of the current directory and the run's
// own start, each file costs just the one update of its change (with the
// write it makes through the open item), or its rename.
TEST_F(FolderWalk, EachFileCostsOnlyTheCallOfItsChange) {
    const std::vector<std::string> update = {"UpdateItem", "WriteItem"};
    const struct {
        const char* job;
        int box;
        std::vector<std::string> calls;
    } cases[] = {{"hidden", IDC_HIDDEN, update},
                 {"modification time", kDateRows[1].box, update},
                 {"rename", IDC_RENAME_ON, {"Move"}}};
    const char* const walkCalls[] = {"FindFirst", "FindNext", "SetCurrentDirectory", "GetCurrentDirectory",
                                     "ModulePath"};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.job);
        FaultyMemoryFileSystem tree;
        MemoryWindow job;
        for (const char* path : {"C:\\T\\A\\a.txt", "C:\\T\\A\\b.txt", "C:\\T\\c.txt"}) tree.AddFile(path);
        for (int box : kAttributeBoxes) job.SetCheck(box, kIndeterminate);
        job.SetCheck(c.box, kChecked);
        const char* const fields[kDateFieldCount] = {"2020", "1", "2", "3", "4", "5"};
        for (int i = 0; i < kDateFieldCount; ++i) job.SetText(kDateRows[1].edits[i], fields[i]);
        job.SetText(IDC_TITLE_HEAD, "h");
        job.SetText(IDC_PATH, "C:\\T");
        RunEnvironment environment{tree, clock, job, fullView, cancelRequested};
        ASSERT_EQ(RunJob(environment), RunEnd::Finished);
        std::vector<std::string> itemCalls;
        for (const std::string& call : tree.Calls()) {
            const std::string operation = call.substr(0, call.find(' '));
            if (std::find(std::begin(walkCalls), std::end(walkCalls), operation) != std::end(walkCalls)) continue;
            if (call == "GetFullPath C:\\T") continue;  // the target, resolved once
            itemCalls.push_back(operation);
        }
        std::vector<std::string> expected;
        for (int file = 0; file < 3; ++file) expected.insert(expected.end(), c.calls.begin(), c.calls.end());
        EXPECT_EQ(itemCalls, expected);
    }
}

TEST_F(FolderWalk, UnenterableSubfolderIsSkippedAndCounted) {
    files.AddFile("C:\\T\\A\\a.txt");
    files.AddFile("C:\\T\\B\\b.txt");
    files.Find("C:\\T\\A")->noEnter = true;
    Ask(IDC_HIDDEN, kChecked);
    Ask(IDC_FOLDERS_TOO, kChecked);
    SetTarget("C:\\T");
    EXPECT_EQ(Run(), RunEnd::Finished);
    EXPECT_EQ(ChangedPaths(), (std::vector<std::string>{"C:\\T\\B", "C:\\T\\B\\b.txt"}));
    EXPECT_EQ(LastStatus(), "\"C:\\T\"\nディレクトリ内の全ての処理が終了しました。\n変更できなかった項目: 1件");
}

TEST_F(FolderWalk, PathLengthJustInsideAndOutsideTheLimit) {
    const std::string folder = "C:\\T";
    const size_t room = kMaxPathBytes - folder.size() - 1;
    files.AddFile(folder + "\\" + std::string(room, 'a'));
    files.AddFile(folder + "\\" + std::string(room + 1, 'b'));
    files.AddFolder(folder + "\\" + std::string(room + 1, 'c'));
    Ask(IDC_HIDDEN, kChecked);
    SetTarget(folder);
    Run();
    EXPECT_EQ(ChangedPaths(), std::vector<std::string>{folder + "\\" + std::string(room, 'a')});
    EXPECT_EQ(LastStatus(), "\"C:\\T\"\nディレクトリ内の全ての処理が終了しました。\n変更できなかった項目: 2件");
}

TEST_F(FolderWalk, DepthJustInsideAndOutsideTheLimit) {
    EXPECT_EQ(kMaxWalkLevels, 260u);
    files.AddFile("C:\\T\\a\\b\\in.txt");
    files.AddFile("C:\\T\\a\\b\\c\\out.txt");
    Ask(IDC_HIDDEN, kChecked);
    SetTarget("C:\\T");
    files.SetCurrentDirectory("C:\\T");
    ItemContext context = Context();
    JobSettings job = ReadJobSettings(window);
    WalkLimits limits;
    limits.maxLevels = 3;  // T, a and b can be counted; c would be a fourth level
    WindowRunSink sink(window);
    TargetWalk walk(context, sink, job, "C:\\T", "C:\\T", cancelRequested, limits);
    EXPECT_EQ(walk.Run(false), RunEnd::Finished);
    EXPECT_EQ(ChangedPaths(), std::vector<std::string>{"C:\\T\\a\\b\\in.txt"});
    ASSERT_EQ(context.failures.size(), 1u);
    EXPECT_EQ(context.failures[0].path, "C:\\T\\a\\b\\c");
}

}  // namespace
}  // namespace kelvo
