// The shell's texts at the system's edge: a dropped path is taken only when
// it has an exact code page 932 form and is cut to the drop buffer's bytes;
// tip texts are converted and held to their buffer; a tip request names its
// control in the Unicode layout of the request.
#include "platform/win32/Win32Shell.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace kelvo {
namespace {

// A drop as the shell hands it over: DROPFILES followed by wide paths.
DropHandle MakeDrop(const std::vector<std::wstring>& paths) {
    size_t chars = 1;
    for (const std::wstring& path : paths) chars += path.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* out = reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(drop) + sizeof(DROPFILES));
    for (const std::wstring& path : paths) {
        std::memcpy(out, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
        out += path.size() + 1;
    }
    GlobalUnlock(memory);
    return reinterpret_cast<DropHandle>(memory);
}

TEST(Win32ShellTest, DroppedPathIsTakenOnlyWhenExactAndCutToTheBuffer) {
    const struct {
        const char* what;
        std::wstring path;
        bool exact;
        std::string taken;
    } cases[] = {
        {"trail byte 0x5C", L"C:\\\u8868\\a.txt", true, "C:\\\x95\x5C\\a.txt"},
        {"accent", L"C:\\caf\u00E9", false, ""},
        {"yen sign", L"C:\\T\\..\u00A5x", false, ""},
        {"longer than the buffer", L"C:\\" + std::wstring(600, L'a'), true, "C:\\" + std::string(496, 'a')},
        {"cut before a double-byte character", L"C:\\" + std::wstring(495, L'a') + L"\u8868", true,
         "C:\\" + std::string(495, 'a')},
    };
    Win32Shell shell;
    for (const auto& c : cases) {
        std::string path = "left over";
        EXPECT_EQ(shell.TakeFirstDroppedPath(MakeDrop({c.path, L"C:\\second"}), path), c.exact) << c.what;
        EXPECT_EQ(path, c.taken) << c.what;
    }
    static_assert(Win32Shell::kDropPathBytes == 499);
}

TEST(Win32ShellTest, TipTextIsConvertedAndHeldToItsBuffer) {
    Win32Shell shell;
    NMTTDISPINFOW info{};
    shell.SetTipText(reinterpret_cast<std::intptr_t>(&info), "日を設定します(1-29)");
    EXPECT_EQ(std::wstring(info.lpszText), L"日を設定します(1-29)");
    // 40 bytes and 30 characters of two: what an 80-byte buffer held.
    std::string longText(40, 'a');
    for (int i = 0; i < 30; ++i) longText += "表";
    shell.SetTipText(reinterpret_cast<std::intptr_t>(&info), longText);
    EXPECT_EQ(std::wstring(info.lpszText), std::wstring(40, L'a') + std::wstring(19, L'\u8868'));
}

TEST(Win32ShellTest, TipRequestNamesItsControlById) {
    NMTTDISPINFOW info{};
    // Read through the narrow layout, these would be taken for the flags.
    std::fill(std::begin(info.szText), std::end(info.szText), static_cast<wchar_t>(0xFFFF));
    info.hdr.idFrom = 1078;
    info.hdr.code = TTN_NEEDTEXTW;
    EXPECT_EQ(Win32Shell::TipControlId(info.hdr), 1078);
}

}  // namespace
}  // namespace kelvo
