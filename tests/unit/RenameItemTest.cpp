// Renaming one file on the in-memory file system: the new names the rules
// give, the silent reasons for keeping a name, the limits, the report in the
// status text, and a rename that the file system refuses.
#include <gtest/gtest.h>

#include <atomic>

#include "items/RenameRules.h"
#include "items/RenameText.h"
#include "platform/Cp932Text.h"
#include "platform/memory/MemoryClock.h"
#include "platform/memory/FaultyMemoryFileSystem.h"
#include "platform/memory/MemoryWindow.h"
#include "run/WindowStatus.h"

namespace kelvo {
namespace {

const std::string kFolder = "C:\\data";

// The ItemPath the folder walk builds for a file of `folder`.
ItemPath PathIn(const std::string& folder, const std::string& name) {
    ItemPath item;
    item.directory = folder;
    item.separator = SeparatorAfter(folder);
    item.name = name;
    item.fullPath = folder + item.separator + name;
    SplitName(name, item.title, item.extension);
    return item;
}

RenameRules Add(const std::string& titleHead, const std::string& titleTail, const std::string& extHead,
                const std::string& extTail) {
    RenameRules rules;
    rules.titleHead = titleHead;
    rules.titleTail = titleTail;
    rules.extHead = extHead;
    rules.extTail = extTail;
    return rules;
}

RenameRules Delete(const std::string& titleHead, const std::string& titleTail, const std::string& extHead,
                   const std::string& extTail) {
    RenameRules rules = Add(titleHead, titleTail, extHead, extTail);
    rules.mode = 1;
    return rules;
}

RenameRules Replace(const std::string& titleWhat, const std::string& titleWith, const std::string& extWhat = "",
                    const std::string& extWith = "") {
    RenameRules rules;
    rules.titleWhat = titleWhat;
    rules.titleWith = titleWith;
    rules.extWhat = extWhat;
    rules.extWith = extWith;
    return rules;
}

// One file system, window and run context, with full view on.
struct Scene {
    // Renames `name` in `folder`; the file is created first.
    bool Rename(const std::string& folder, const std::string& name, const RenameRules& rules) {
        files.AddFile(folder + SeparatorAfter(folder) + name);
        files.ClearCalls();
        return RenameItem(context, PathIn(folder, name), rules, result);
    }
    // The name as the folder lists it (letter case included); empty when missing.
    std::string ListedName(const std::string& path) {
        FaultyMemoryFileSystem::Node* node = files.Find(path);
        return node == nullptr ? std::string() : node->name;
    }
    std::string Status() { return window.GetText(IDC_STATUS); }

    FaultyMemoryFileSystem files;
    MemoryClock clock;
    MemoryWindow window;
    WindowStatus statusArea{window};
    std::atomic<int> fullView{1};
    ItemContext context{files, clock, statusArea, fullView};
    ItemRef result;
};

class RenameItemTest : public ::testing::Test, protected Scene {};

TEST(RenameItem, NewNamesByTheRules) {
    struct Case {
        const char* shows;
        std::string name;
        RenameRules rules;
        std::string expected;  // the name the file ends with
    } cases[] = {
        {"no rules in add mode", "a.txt", Add("", "", "", ""), "a.txt"},
        {"no rules in delete mode", "a.txt", Delete("", "", "", ""), "a.txt"},
        {"title head added", "a.txt", Add("new_", "", "", ""), "new_a.txt"},
        {"extension added to a name without dot", "README", Add("", "", "bak", ""), "README.bak"},
        {"all four added", "a.b", Add("1", "2", "3", "4"), "1a2.3b4"},
        {"title head deleted", "IMG_001.jpg", Delete("IMG", "", "", ""), "_001.jpg"},
        {"unmatched head keeps the name", "DSC_001.jpg", Delete("IMG", "", "", ""), "DSC_001.jpg"},
        {"whole title deleted: no rename", "abc.txt", Delete("abc", "", "", ""), "abc.txt"},
        {"whole extension deleted drops the dot", "a.txt", Delete("", "", "txt", ""), "a"},
        {"extension tail deleted", "a.jpeg", Delete("", "", "", "eg"), "a.jp"},
        {"every occurrence replaced", "banana.txt", Replace("a", "b"), "bbnbnb.txt"},
        {"replacement by nothing", "banana.txt", Replace("a", ""), "bnn.txt"},
        {"replacement in the extension only", "a.a", Replace("", "", "a", "b"), "a.b"},
        {"case-only change", "A.txt", Replace("A", "a"), "a.txt"},
        {"empty title with extension rules", ".profile", Add("", "", "x", "y"), ".profile"},
        {"name without dot is all title", "README", Add("x", "", "", ""), "xREADME"},
        {"overlapping head and tail empty the title: no rename", "abc.txt", Delete("ab", "bc", "", ""), "abc.txt"},
        {"tail never cuts a character", "xア.txt", Delete("", "A", "", ""), "xア.txt"},
        {"double-byte tail with 0x5C trail byte", "表ソ.txt", Delete("", "ソ", "", ""), "表.txt"},
        {"double-byte head added", "a.txt", Add("表", "", "", ""), "表a.txt"},
        {"replacing a 0x5C trail character", "表表.txt", Replace("表", "ソ"), "ソソ.txt"},
    };
    for (const Case& c : cases) {
        Scene scene;
        bool renamed = scene.Rename(kFolder, c.name, c.rules);
        EXPECT_EQ(renamed, c.expected != c.name) << c.shows;
        EXPECT_EQ(scene.ListedName(kFolder + "\\" + c.expected), c.expected) << c.shows;
        EXPECT_EQ(scene.result.path, kFolder + "\\" + c.expected) << c.shows;
        EXPECT_EQ(scene.result.dirText, kFolder) << c.shows;
        EXPECT_EQ(scene.result.nameText, c.expected) << c.shows;
        EXPECT_EQ(scene.files.CallsOf("Move").size(), renamed ? 1u : 0u) << c.shows;
        EXPECT_TRUE(scene.context.failures.empty()) << c.shows;
    }
}

TEST_F(RenameItemTest, FullViewReportsOldAndNewName) {
    ASSERT_TRUE(Rename(kFolder, "a.txt", Add("new_", "", "", "")));
    EXPECT_EQ(Status(), "\"C:\\data\"ディレクトリ内処理中...\n\"a.txt\"を\nnew_a.txtに変更しました。");
}

TEST_F(RenameItemTest, CompactViewRenamesWithoutReport) {
    fullView = 0;
    ASSERT_TRUE(Rename(kFolder, "a.txt", Add("new_", "", "", "")));
    EXPECT_EQ(ListedName(kFolder + "\\new_a.txt"), "new_a.txt");
    EXPECT_EQ(Status(), "");
}

TEST_F(RenameItemTest, TakenNameIsKeptSilently) {
    files.AddFile(kFolder + "\\B.TXT");
    EXPECT_FALSE(Rename(kFolder, "a.txt", Replace("a", "b")));
    EXPECT_EQ(ListedName(kFolder + "\\a.txt"), "a.txt");
    EXPECT_EQ(result.path, kFolder + "\\a.txt");
    EXPECT_EQ(result.nameText, "a.txt");
    EXPECT_EQ(files.Find(kFolder + "\\b.txt")->name, "B.TXT");
    EXPECT_EQ(files.CallsOf("Move").size(), 1u);
    EXPECT_TRUE(files.CallsOf("FindOne").empty());
    EXPECT_EQ(Status(), "");
    EXPECT_TRUE(window.MessageBoxes().empty());
    EXPECT_TRUE(context.failures.empty());
}

TEST_F(RenameItemTest, RuleTextEndingInALoneLeadByteNeverMakesAPathOfTheName) {
    // A head of 0x86 takes the 0x95 of 表 as its trail byte and frees 表's
    // 0x5C as a backslash: the "new name" would move the file into a folder.
    files.AddFolder(kFolder + "\\\x86\x95");
    EXPECT_FALSE(Rename(kFolder, "表.txt", Add("\x86", "", "", "")));
    // An extension tail of 0x86 would end the name in a lone lead byte.
    EXPECT_FALSE(Rename(kFolder, "a.txt", Add("", "", "", "\x86")));
    EXPECT_EQ(ListedName(kFolder + "\\表.txt"), "表.txt");
    EXPECT_EQ(ListedName(kFolder + "\\a.txt"), "a.txt");
    EXPECT_TRUE(files.CallsOf("Move").empty());
    EXPECT_TRUE(context.failures.empty());
}

TEST_F(RenameItemTest, RulesThatLeaveOnlyDotsKeepTheNameSilently) {
    RenameRules rules = Replace("x", "");
    rules.titleHead = ".";
    EXPECT_FALSE(Rename(kFolder, "xx", rules));  // title "" with head "." gives "."
    EXPECT_EQ(ListedName(kFolder + "\\xx"), "xx");
    EXPECT_TRUE(files.CallsOf("Move").empty());
    EXPECT_TRUE(context.failures.empty());
}

TEST_F(RenameItemTest, CaseOnlyChangeRenamesTheFileOntoItself) {
    ASSERT_TRUE(Rename(kFolder, "Ａ.txt", Replace("Ａ", "ａ")));
    EXPECT_TRUE(files.CallsOf("FindOne").empty());
    EXPECT_EQ(ListedName(kFolder + "\\ａ.txt"), "ａ.txt");
}

TEST_F(RenameItemTest, SingleFileTargetLooksInItsOwnFolder) {
    files.AddFile("C:\\work\\xREADME");
    files.SetCurrentDirectory("C:\\work");
    ItemPath item;
    item.fullPath = "D:\\one\\README";
    SplitPath(item.fullPath, item.directory, item.name);
    item.separator = SeparatorAfter(item.directory);
    SplitName(item.name, item.title, item.extension);
    files.AddFile(item.fullPath);
    ASSERT_TRUE(RenameItem(context, item, Add("x", "", "", ""), result));
    EXPECT_EQ(result.path, "D:\\one\\xREADME");

    // The other way round: the name is taken beside the target only.
    files.AddFile("D:\\two\\README");
    files.AddFile("D:\\two\\xREADME");
    item.fullPath = "D:\\two\\README";
    item.directory = "D:\\two";
    EXPECT_FALSE(RenameItem(context, item, Add("x", "", "", ""), result));
    EXPECT_EQ(result.path, "D:\\two\\README");
}

TEST_F(RenameItemTest, DriveRootHasNoSeparator) {
    ASSERT_TRUE(Rename("C:\\", "a.txt", Add("new_", "", "", "")));
    EXPECT_EQ(result.path, "C:\\new_a.txt");
    EXPECT_EQ(files.CallsOf("Move").at(0), "Move C:\\a.txt > C:\\new_a.txt");
}

TEST_F(RenameItemTest, FolderEndingInA5CTrailByteGetsASeparator) {
    ASSERT_TRUE(Rename("C:\\表", "a.txt", Add("new_", "", "", "")));
    EXPECT_EQ(result.path, "C:\\表\\new_a.txt");
    EXPECT_EQ(ListedName("C:\\表\\new_a.txt"), "new_a.txt");
}

TEST_F(RenameItemTest, PathLimitJustInsideAndOutside) {
    const RenameRules rules = Add("x", "", "", "");
    // The new name "xa.txt" (6 bytes) behind a folder of 252 bytes and a
    // separator makes a path of 259 bytes; behind one of 253, of 260.
    const std::string inside = "C:\\" + std::string(249, 'd');
    ASSERT_EQ(inside.size(), 252u);
    EXPECT_TRUE(Rename(inside, "a.txt", rules));

    const std::string outside = "C:\\" + std::string(250, 'e');
    EXPECT_FALSE(Rename(outside, "a.txt", rules));
    EXPECT_TRUE(files.CallsOf("Move").empty());
    EXPECT_EQ(result.path, outside + "\\a.txt");
}

TEST(RenameItem, RefusedRenameCountsUnlessTheNameIsTaken) {
    const struct {
        const char* shows;
        uint32_t error;
        int counted;
    } cases[] = {
        {"name already exists", kErrorAlreadyExists, 0},
        {"file exists", kErrorFileExists, 0},
        {"access denied", kErrorAccessDenied, 1},
        {"file in use", kErrorSharingViolation, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shows);
        Scene scene;
        scene.files.RefuseOperation("Move", "", 1, c.error);
        EXPECT_FALSE(scene.Rename(kFolder, "a.txt", Add("new_", "", "", "")));
        EXPECT_EQ(static_cast<int>(scene.context.failures.size()), c.counted);
        EXPECT_EQ(scene.ListedName(kFolder + "\\a.txt"), "a.txt");
        EXPECT_EQ(scene.result.path, kFolder + "\\a.txt");
        EXPECT_EQ(scene.result.nameText, "a.txt");
        EXPECT_EQ(scene.Status(), "");
    }
}

TEST_F(RenameItemTest, RefusedRenameKeepsTheOldNameAndCounts) {
    files.RefuseOperation("Move");
    EXPECT_FALSE(Rename(kFolder, "a.txt", Add("new_", "", "", "")));
    EXPECT_EQ(context.failures.size(), 1u);
    EXPECT_EQ(ListedName(kFolder + "\\a.txt"), "a.txt");
    EXPECT_FALSE(files.Exists(kFolder + "\\new_a.txt"));
    EXPECT_EQ(result.path, kFolder + "\\a.txt");
    EXPECT_EQ(result.dirText, kFolder);
    EXPECT_EQ(result.nameText, "a.txt");
    EXPECT_EQ(Status(), "");
}

TEST_F(RenameItemTest, FileInUseKeepsTheOldNameAndCounts) {
    files.AddFile(kFolder + "\\b.txt").locked = true;
    files.ClearCalls();
    EXPECT_FALSE(RenameItem(context, PathIn(kFolder, "b.txt"), Add("new_", "", "", ""), result));
    ASSERT_EQ(context.failures.size(), 1u);
    EXPECT_EQ(context.failures[0].path, kFolder + "\\b.txt");
    EXPECT_EQ(context.failures[0].error, kErrorSharingViolation);
    EXPECT_EQ(result.path, kFolder + "\\b.txt");
    // The next file of the run is renamed as usual.
    EXPECT_TRUE(Rename(kFolder, "c.txt", Add("new_", "", "", "")));
    EXPECT_EQ(context.failures.size(), 1u);
}

}  // namespace
}  // namespace kelvo
