// Targets given without a full path, as typed in a console: a bare file
// name and a relative folder name name the item in the program's current
// directory when the run starts, whatever folder the run moves through, and
// the same text names the same item on the next run.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/e2e/E2eFiles.h"
#include "tests/e2e/KelvoProcess.h"

namespace kelvo::e2e {
namespace {

constexpr DWORD kRunTimeoutMs = 30000;  // a few files only
const char* const kFileFinished = "ファイルの処理が終了しました。";
const char* const kFolderFinished = "ディレクトリ内の全ての処理が終了しました。";

bool Hidden(const std::string& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
}

// Ticks the hidden box (indeterminate -> unticked -> ticked), runs and waits for the end.
bool HideAll(KelvoProcess& kelvo) {
    if (kelvo.Check(1001) != BST_CHECKED) {
        kelvo.Click(1001);
        kelvo.Click(1001);
    }
    kelvo.SetText(1010, "");
    kelvo.Click(1);
    return kelvo.WaitForRunEnd("", kRunTimeoutMs);
}

TEST(RelativeTargetE2eTest, BareFileNameIsTheFileInTheCurrentDirectory) {
    ASSERT_FALSE(ExePath().empty()) << "KELVO_EXE is not set";
    const std::string work = MakeFolder("relative-file");
    MakeFile(work + "\\memo.txt");
    KelvoProcess kelvo(Wide(ExePath()), L"memo.txt", Wide(work));
    ASSERT_NE(kelvo.Window(), nullptr);
    kelvo.Click(1077);             // renaming on
    kelvo.SetText(1073, "x");      // title head in add mode
    ASSERT_TRUE(HideAll(kelvo)) << kelvo.Text(1010);
    EXPECT_TRUE(Hidden(work + "\\xmemo.txt"));
    EXPECT_EQ(Attributes(work + "\\memo.txt"), INVALID_FILE_ATTRIBUTES);
    // The path edit names the file that now exists; the finish text the path as typed.
    EXPECT_EQ(kelvo.Text(1004), work + "\\xmemo.txt");
    EXPECT_EQ(kelvo.Text(1010), std::string("\"memo.txt\"\n") + kFileFinished);
}

TEST(RelativeTargetE2eTest, RelativeFolderNamesTheSameFolderOnEveryRun) {
    ASSERT_FALSE(ExePath().empty()) << "KELVO_EXE is not set";
    const std::string work = MakeFolder("relative-folder");
    MakeFolder("relative-folder\\sub");
    MakeFolder("relative-folder\\sub\\sub");
    const std::string top = work + "\\sub\\s.txt";
    const std::string deep = work + "\\sub\\sub\\ss.txt";
    MakeFile(top);
    MakeFile(deep);
    KelvoProcess kelvo(Wide(ExePath()), L"sub", Wide(work));
    ASSERT_NE(kelvo.Window(), nullptr);
    ASSERT_TRUE(HideAll(kelvo)) << kelvo.Text(1010);
    EXPECT_EQ(kelvo.Text(1010), std::string("\"sub\"\n") + kFolderFinished);
    EXPECT_TRUE(Hidden(top));
    EXPECT_TRUE(Hidden(deep));
    // The run ended where it started, so the same start walks the same folder.
    SetFileAttributesW(Wide(top).c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesW(Wide(deep).c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(HideAll(kelvo)) << kelvo.Text(1010);
    EXPECT_EQ(kelvo.Text(1010), std::string("\"sub\"\n") + kFolderFinished);
    EXPECT_TRUE(Hidden(top));
    EXPECT_TRUE(Hidden(deep));
}

}  // namespace
}  // namespace kelvo::e2e
