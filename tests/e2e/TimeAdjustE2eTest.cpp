// The time adjust of the real program under Wine: its dialog opened from the
// system menu (command 0x0050) and driven by its controls' ids, a shift of
// the modification time copied to the access time over one folder, then a
// swap of the two over the whole tree, every file's times on disk after
// each, and the two undos that give them back. Wine keeps no creation time
// of its own, so only access and modification are read. The dialog's
// picture is saved as time-adjust.png beside the scratch folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>

#include "tests/e2e/E2eFiles.h"
#include "tests/e2e/KelvoProcess.h"

namespace kelvo::e2e {
namespace {

constexpr DWORD kTimeoutMs = 60000;
// The dialog's controls.
constexpr int kModifiedList = 1102, kAccessList = 1103, kSignList = 1104, kDaysEdit = 1105;

// 2001-02-03 04:05:06.1234567 UTC and 2010-07-07 09:10:11.0000005 UTC, and
// the first one day earlier.
constexpr ULONGLONG kModified = 126256467061234567ull;
constexpr ULONGLONG kAccessed = 129229674110000005ull;
constexpr ULONGLONG kDayBefore = 126255603061234567ull;

struct Times {
    ULONGLONG access = 0, modification = 0;
    bool operator==(const Times& o) const { return access == o.access && modification == o.modification; }
};

FILETIME FileTimeOf(ULONGLONG ticks) { return FILETIME{DWORD(ticks), DWORD(ticks >> 32)}; }
ULONGLONG Ticks(const FILETIME& time) { return (ULONGLONG(time.dwHighDateTime) << 32) | time.dwLowDateTime; }

void SetTimes(const std::string& path) {
    HANDLE file = CreateFileW(Wide(path).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    const FILETIME access = FileTimeOf(kAccessed), modification = FileTimeOf(kModified);
    EXPECT_TRUE(SetFileTime(file, nullptr, &access, &modification)) << path;
    CloseHandle(file);
}

Times TimesOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    EXPECT_TRUE(GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data)) << path;
    return Times{Ticks(data.ftLastAccessTime), Ticks(data.ftLastWriteTime)};
}

std::string RunAndWait(KelvoProcess& kelvo, const std::function<void()>& start) {
    const std::string before = kelvo.Text(1010);
    start();
    EXPECT_TRUE(kelvo.WaitForRunEnd(before, kTimeoutMs)) << kelvo.Text(1010);
    return kelvo.Text(1010);
}

void Choose(HWND dialog, int list, int line) {
    HWND control = GetDlgItem(dialog, list);
    SendMessageW(control, CB_SETCURSEL, line, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE), reinterpret_cast<LPARAM>(control));
}

// Opens the dialog from the system menu, lets `choose` set it, and presses "実行".
void AdjustTimes(KelvoProcess& kelvo, const std::function<void(HWND)>& choose, const char* picture = nullptr) {
    kelvo.Post(WM_SYSCOMMAND, 0x0050, 0);
    HWND dialog = WaitForOwnedDialog("日時の調整", kelvo.Window(), 30000);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(dialog, 1100)), kelvo.Text(1004));
    choose(dialog);
    ASSERT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
    if (picture != nullptr) {
        // Once the dialog is on screen and has painted its choices.
        EXPECT_TRUE(WaitFor([dialog] { return IsWindowVisible(dialog) != FALSE; }, 10000));
        Sleep(1000);
        RECT area;
        GetClientRect(dialog, &area);
        MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&area), 2);
        EXPECT_TRUE(SaveScreenshotOf(picture, area));
    }
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

void Undo(KelvoProcess& kelvo) {
    kelvo.Post(WM_SYSCOMMAND, 0x0020, 0);
    HWND box = WaitForOwnedDialog("確認", kelvo.Window(), 30000);
    ASSERT_NE(box, nullptr);
    PostMessageW(box, WM_COMMAND, IDYES, 0);
}

TEST(TimeAdjustE2eTest, ShiftCopyAndSwapOverATreeFromTheSystemMenuThenUndone) {
    const std::string root = MakeFolder("time-adjust");
    MakeFolder("time-adjust\\shifted");
    MakeFolder("time-adjust\\swapped");
    const std::string files[] = {root + "\\shifted\\a.txt", root + "\\shifted\\b.txt", root + "\\swapped\\c.txt"};
    for (const std::string& path : files) {
        MakeFile(path);
        SetTimes(path);
    }
    const Times original{kAccessed, kModified};
    const Times shifted{kDayBefore, kDayBefore};
    KelvoProcess kelvo(root + "\\shifted");
    ASSERT_NE(kelvo.Window(), nullptr);

    // "更新日時 ずらす -1日" and "アクセス日 更新日時と同じにする" over one folder.
    const std::string first = RunAndWait(kelvo, [&] {
        AdjustTimes(kelvo, [](HWND dialog) {
            Choose(dialog, kModifiedList, 3);
            Choose(dialog, kAccessList, 2);
            Choose(dialog, kSignList, 1);
            SetWindowTextW(GetDlgItem(dialog, kDaysEdit), L"1");
        }, "time-adjust.png");
    });
    EXPECT_EQ(first, "\"" + root + "\\shifted\"\nディレクトリ内の全ての処理が終了しました。");
    EXPECT_EQ(TimesOf(files[0]), shifted);
    EXPECT_EQ(TimesOf(files[1]), shifted);
    EXPECT_EQ(TimesOf(files[2]), original);

    // The swap over the whole tree: the shifted files' two times are one.
    kelvo.SetText(1004, root);
    RunAndWait(kelvo, [&] {
        AdjustTimes(kelvo, [](HWND dialog) {
            Choose(dialog, kModifiedList, 2);  // アクセス日と同じにする
            Choose(dialog, kAccessList, 2);    // 更新日時と同じにする
        });
    });
    EXPECT_EQ(TimesOf(files[0]), shifted);
    EXPECT_EQ(TimesOf(files[1]), shifted);
    EXPECT_EQ(TimesOf(files[2]), (Times{kModified, kAccessed}));

    EXPECT_EQ(RunAndWait(kelvo, [&] { Undo(kelvo); }), "\"" + root + "\"\n直前の一括変更を元に戻しました。");
    EXPECT_EQ(TimesOf(files[2]), original);
    EXPECT_EQ(TimesOf(files[0]), shifted);
    EXPECT_EQ(RunAndWait(kelvo, [&] { Undo(kelvo); }),
              "\"" + root + "\\shifted\"\n直前の一括変更を元に戻しました。");
    for (const std::string& path : files) EXPECT_EQ(TimesOf(path), original) << path;
    EXPECT_TRUE(kelvo.CloseWith(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 20000));
}

}  // namespace
}  // namespace kelvo::e2e
