// Runs of the real program under Wine: attributes set on real files, and
// the Cancel command (close box, Escape) cancelling a run and closing the
// program only once the run is over.
#include <gtest/gtest.h>

#include <memory>

#include "tests/e2e/E2eFiles.h"
#include "tests/e2e/KelvoProcess.h"

namespace kelvo::e2e {
namespace {

constexpr DWORD kRunTimeoutMs = 120000;
const char* const kStartCaption = "一括変更開始(&E)";
const char* const kCancelCaption = "キャンセル(&E)";

TEST(RunE2eTest, StartButtonSetsReadOnlyAndHiddenOnEveryFile) {
    const std::string target = MakeFolder("run-attributes");
    MakeFile(target + "\\a.txt");
    MakeFolder("run-attributes\\sub");
    MakeFile(target + "\\sub\\b.dat");
    KelvoProcess kelvo(target);
    ASSERT_NE(kelvo.Window(), nullptr);
    // Three-state boxes cycle indeterminate -> unticked -> ticked.
    kelvo.Click(1000);
    kelvo.Click(1000);
    kelvo.Click(1001);
    kelvo.Click(1001);
    ASSERT_EQ(kelvo.Check(1000), BST_CHECKED);
    ASSERT_EQ(kelvo.Check(1001), BST_CHECKED);
    const std::string before = kelvo.Text(1010);
    kelvo.Click(1);
    ASSERT_TRUE(kelvo.WaitForRunEnd(before, kRunTimeoutMs)) << kelvo.Text(1010);
    EXPECT_NE(kelvo.Text(1010).find("ディレクトリ内の全ての処理が終了しました。"), std::string::npos) << kelvo.Text(1010);
    for (const std::string& file : {target + "\\a.txt", target + "\\sub\\b.dat"}) {
        const DWORD attributes = Attributes(file);
        EXPECT_NE(attributes & FILE_ATTRIBUTE_READONLY, 0u) << file;
        EXPECT_NE(attributes & FILE_ATTRIBUTE_HIDDEN, 0u) << file;
    }
    // Controls are back: the path edit and the attribute boxes take input again.
    EXPECT_TRUE(IsWindowEnabled(kelvo.Control(1004)));
    EXPECT_TRUE(IsWindowEnabled(kelvo.Control(1000)));
    // The date rows are off: their spins end up disabled again.
    EXPECT_TRUE(WaitFor([&] { return !IsWindowEnabled(kelvo.Control(1013)); }, 10000));
    // Afterwards the Cancel command closes the program.
    EXPECT_TRUE(kelvo.CloseWith(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 20000));
}

struct CancelCase {
    const char* name;
    UINT message;
    WPARAM wParam;
};

class CancelE2eTest : public ::testing::TestWithParam<CancelCase> {};

TEST_P(CancelE2eTest, DuringARunCancelsItAndAfterItCloses) {
    const std::string target = MakeFolder(std::string("run-cancel-") + GetParam().name);
    MakeTree(target, 30, 100);
    KelvoProcess kelvo(target);
    ASSERT_NE(kelvo.Window(), nullptr);
    kelvo.Click(1001);
    kelvo.Click(1001);
    const std::string before = kelvo.Text(1010);
    kelvo.Post(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_TRUE(WaitFor([&] { return kelvo.Text(1) == kCancelCaption; }, 10000));
    EXPECT_FALSE(IsWindowEnabled(kelvo.Control(1004)));
    EXPECT_TRUE(IsWindowEnabled(kelvo.Control(2)));
    EXPECT_TRUE(IsWindowEnabled(kelvo.Control(1071)));
    kelvo.Post(GetParam().message, GetParam().wParam, 0);
    ASSERT_TRUE(kelvo.WaitForRunEnd(before, kRunTimeoutMs)) << kelvo.Text(1010);
    EXPECT_NE(kelvo.Text(1010).find("キャンセルしました。"), std::string::npos) << kelvo.Text(1010);
    EXPECT_TRUE(kelvo.Running());
    EXPECT_TRUE(IsWindow(kelvo.Window()));
    EXPECT_TRUE(IsWindowEnabled(kelvo.Control(1004)));
    EXPECT_EQ(kelvo.Text(1), kStartCaption);
    EXPECT_TRUE(kelvo.CloseWith(GetParam().message, GetParam().wParam, 20000));
}

INSTANTIATE_TEST_SUITE_P(Commands, CancelE2eTest,
                         ::testing::Values(CancelCase{"CloseBox", WM_CLOSE, 0},
                                           CancelCase{"Escape", WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED)}),
                         [](const ::testing::TestParamInfo<CancelCase>& info) { return info.param.name; });

}  // namespace
}  // namespace kelvo::e2e
