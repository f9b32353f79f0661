// Enter and Escape through runs started from the keyboard: wherever the
// focus was when Enter started a run, the keys go on reaching the window
// during the run and after it.
#include "tests/unit/MainDialogTestFixture.h"

namespace kelvo {
namespace {

using Key = MemoryWindow::Key;

class MainDialogKeysTest : public MainDialogTest {
protected:
    MainDialogKeysTest() {
        for (int id : {IDC_START, IDC_EXIT, IDC_RESET_DATES, IDC_SAVE_RENAME}) window.MarkPushButton(id);
        // The OK and Cancel commands reach their two operations, as in the
        // Win32 dialog; every other command goes through the message table.
        window.SetCommandHandler([this](int id, int code) {
            if (!dialog) return;
            if (id == kIdOk) {
                dialog->StartOrCancel();
            } else if (id == kIdCancel) {
                dialog->CancelOrClose();
            } else {
                dialog->HandleMessage(Command(id, code));
            }
        });
        threads.SetMode(MemoryThreads::Mode::RealThread);
        holdJob = true;
    }

    // Presses a key that starts a run and waits until the job is going.
    void PressToStart(Key key, int runs) {
        ASSERT_TRUE(window.Press(key));
        for (int i = 0; i < 5000 && jobRuns.load() < runs; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ASSERT_EQ(jobRuns.load(), runs);
        ASSERT_TRUE(dialog->Worker().Running());
    }
    // Presses a key that cancels the run and waits until the window is idle.
    void PressToCancel(Key key) {
        ASSERT_TRUE(window.Press(key)) << "the key reached no one";
        WaitForIdle();
        ASSERT_FALSE(dialog->Worker().Running());
        ASSERT_EQ(window.GetText(IDC_START), "一括変更開始(&E)");
    }
};

struct FocusCase {
    const char* name;
    int focused;   // where the user was when pressing Enter
    int duringRun;  // where the focus is from the run's start on
};

void PrintTo(const FocusCase& c, std::ostream* os) { *os << c.name; }

class MainDialogFocusTest : public MainDialogKeysTest, public ::testing::WithParamInterface<FocusCase> {};

// Enter starts, Enter cancels, Enter starts again, Escape cancels, Escape closes.
TEST_P(MainDialogFocusTest, EnterAndEscapeReachTheWindowDuringAndAfterRuns) {
    Open();
    window.Click(IDC_RENAME_ON);  // so every rename control can hold the focus
    ASSERT_TRUE(window.Focus(GetParam().focused));
    PressToStart(Key::Enter, 1);
    EXPECT_EQ(window.FocusedControl(), GetParam().duringRun);
    PressToCancel(Key::Enter);
    EXPECT_EQ(window.FocusedControl(), GetParam().duringRun);
    PressToStart(Key::Enter, 2);
    PressToCancel(Key::Escape);
    EXPECT_EQ(shell.EndedWith(), -1) << "the window stays open while a run goes";
    ASSERT_TRUE(window.Press(Key::Escape));
    EXPECT_EQ(shell.EndedWith(), kIdCancel);
}

INSTANTIATE_TEST_SUITE_P(
    Focus, MainDialogFocusTest,
    ::testing::Values(FocusCase{"PathTypedIn", IDC_PATH, IDC_START},
                      FocusCase{"LockBox", IDC_CURRENT_DIR, IDC_START},
                      FocusCase{"AttributeBoxTickedWithSpace", IDC_HIDDEN, IDC_START},
                      FocusCase{"FoldersBox", IDC_FOLDERS_TOO, IDC_START},
                      FocusCase{"DateRowBox", IDC_MODIFIED_BOX, IDC_START},
                      FocusCase{"DateField", IDC_ACCESS_SECOND, IDC_START},
                      FocusCase{"RenameSwitch", IDC_RENAME_ON, IDC_START},
                      FocusCase{"RenameModeToggle", IDC_RENAME_MODE, IDC_START},
                      FocusCase{"RenameText", IDC_EXT_WITH, IDC_START},
                      FocusCase{"StartButton", IDC_START, IDC_START},
                      FocusCase{"AlwaysOnTopStaysEnabled", IDC_ALWAYS_ON_TOP, IDC_ALWAYS_ON_TOP}),
    [](const ::testing::TestParamInfo<FocusCase>& info) { return info.param.name; });

}  // namespace
}  // namespace kelvo
