// Enter and Escape on the real window, pressed as a user presses them (real
// key input to the foreground window): a run started with Enter in the path
// edit is cancelled with Escape, and Escape after the run closes the program.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/E2eFiles.h"
#include "tests/e2e/KelvoProcess.h"

namespace kelvo::e2e {
namespace {

constexpr DWORD kTimeoutMs = 120000;

// The control that has the keyboard focus in the program's window thread.
HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

// Brings the window to the front, then presses and releases a key there.
bool Press(HWND window, WORD key) {
    SetForegroundWindow(window);
    if (!WaitFor([window] { return GetForegroundWindow() == window; }, 10000)) return false;
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    return SendInput(2, inputs, sizeof(INPUT)) == 2;
}

TEST(KeyboardE2eTest, EnterInThePathEditStartsARunEscapeCancelsItAndThenCloses) {
    const std::string target = MakeFolder("keys");
    MakeTree(target, 40, 100);
    KelvoProcess kelvo(target);
    ASSERT_NE(kelvo.Window(), nullptr);
    kelvo.Click(1001);
    kelvo.Click(1001);
    ASSERT_EQ(kelvo.Check(1001), BST_CHECKED);
    // The focus in the path edit, as after typing a path there.
    SendMessageW(kelvo.Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(kelvo.Control(1004)), TRUE);
    ASSERT_EQ(FocusOf(kelvo.Window()), kelvo.Control(1004));
    const std::string before = kelvo.Text(1010);

    ASSERT_TRUE(Press(kelvo.Window(), VK_RETURN));
    ASSERT_TRUE(WaitFor([&] { return kelvo.Text(1) == "キャンセル(&E)"; }, 10000)) << "Enter started no run";
    EXPECT_FALSE(IsWindowEnabled(kelvo.Control(1004)));
    EXPECT_EQ(FocusOf(kelvo.Window()), kelvo.Control(1));

    ASSERT_TRUE(Press(kelvo.Window(), VK_ESCAPE));
    ASSERT_TRUE(kelvo.WaitForRunEnd(before, kTimeoutMs)) << kelvo.Text(1010);
    EXPECT_NE(kelvo.Text(1010).find("キャンセルしました。"), std::string::npos) << kelvo.Text(1010);
    EXPECT_TRUE(kelvo.Running());
    EXPECT_EQ(FocusOf(kelvo.Window()), kelvo.Control(1));

    ASSERT_TRUE(Press(kelvo.Window(), VK_ESCAPE));
    EXPECT_TRUE(kelvo.WaitForExit(20000)) << "Escape after the run did not close the program";
}

}  // namespace
}  // namespace kelvo::e2e
