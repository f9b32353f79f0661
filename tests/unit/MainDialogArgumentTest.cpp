// A first argument the program can't hold (no exact code page 932 form):
// still an argument, so the program's folder is the executable's, but no
// path, and the user is told once the window is on screen.
#include "tests/unit/MainDialogTestFixture.h"

namespace kelvo {
namespace {

TEST_F(MainDialogTest, ArgumentWithoutAnExactFormLeavesThePathEmptyAndTellsTheUser) {
    Open(FirstArgument::NotExact());
    EXPECT_EQ(dialog->ProgramFolder(), kExeFolder);
    EXPECT_EQ(window.GetText(IDC_PATH), "");
    EXPECT_FALSE(window.ControlState(IDC_PATH).readOnly);
    EXPECT_TRUE(window.MessageBoxes().empty()) << "not before the window is on screen";
    dialog->OnWindowShown();
    ASSERT_EQ(window.MessageBoxes().size(), 1u);
    EXPECT_EQ(window.MessageBoxes()[0].text, "このパスには、このプログラムで扱えない文字が含まれています。");
    EXPECT_EQ(window.MessageBoxes()[0].caption, "エラー");
    EXPECT_EQ(window.MessageBoxes()[0].style, 0x30u);  // MB_OK | MB_ICONEXCLAMATION
    // The lock box shows the executable's folder, and unticked gives the empty path back.
    window.Click(IDC_CURRENT_DIR);
    EXPECT_EQ(window.GetText(IDC_PATH), kExeFolder);
    window.Click(IDC_CURRENT_DIR);
    EXPECT_EQ(window.GetText(IDC_PATH), "");
}

TEST_F(MainDialogTest, AnArgumentHeldOrNoneIsNotReported) {
    for (const char* argument : {"", "E:\\photos"}) {
        SCOPED_TRACE(argument);
        MemoryWindow fresh;
        MainDialog shown(DialogPlatform{fresh, shell, files, clock, threads, nullptr}, kExeFolder,
                         FirstArgument(argument));
        ASSERT_TRUE(shown.OnInitDialog());
        shown.OnWindowShown();
        EXPECT_TRUE(fresh.MessageBoxes().empty());
    }
}

}  // namespace
}  // namespace kelvo
