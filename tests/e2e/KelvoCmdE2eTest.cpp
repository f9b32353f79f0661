// The console program under Wine, as a batch file uses it: KelvoCmd.exe
// beside Kelvo.exe, started with its output and error in pipes, over a small
// tree (attributes, a shift and a copy of times, a rename, patterns), its
// output read back as UTF-8, its exit codes, /UNDO giving the tree back, a
// command-line run taken back from the window's system menu, and the
// README's examples as written.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>

#include "tests/e2e/E2eFiles.h"
#include "tests/e2e/KelvoProcess.h"

namespace kelvo::e2e {
namespace {

struct Ended {
    DWORD code = 0xFFFFFFFF;
    std::string out, err;  // the bytes as written
};

std::string ReadAll(HANDLE pipe) {
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(pipe, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    return bytes;
}

std::wstring CmdPath() {
    const std::wstring exe = Wide(ExePath());
    return exe.substr(0, exe.rfind(L'\\') + 1) + L"KelvoCmd.exe";
}

// KelvoCmd with `arguments` (a UTF-16 command line's tail), in `folder`.
Ended KelvoCmd(const std::wstring& arguments, const std::string& folder) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE outRead, outWrite, errRead, errWrite;
    Ended ended;
    if (!CreatePipe(&outRead, &outWrite, &inherit, 0) || !CreatePipe(&errRead, &errWrite, &inherit, 0)) return ended;
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    std::wstring commandLine = L"\"" + CmdPath() + L"\" " + arguments;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                        Wide(folder).c_str(), &startup, &process);
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    if (started) {
        std::thread errReader([&] { ended.err = ReadAll(errRead); });
        ended.out = ReadAll(outRead);
        errReader.join();
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &ended.code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(outRead);
    CloseHandle(errRead);
    return ended;
}

// A text in UTF-8, from UTF-16.
std::string Utf8(const std::wstring& text) {
    std::string bytes(text.size() * 4, '\0');
    bytes.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0],
                                     static_cast<int>(bytes.size()), nullptr, nullptr));
    return bytes;
}

ULONGLONG Modification(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return (ULONGLONG(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

constexpr ULONGLONG kHour = 36000000000ull;

TEST(KelvoCmdE2eTest, RunsPreviewsUndoesAndAnswersWithExitCodesAndUtf8Lines) {
    const std::string scratch = ScratchFolder();
    const std::string tree = MakeFolder("cmd-tree");
    MakeFolder("cmd-tree\\sub");
    const std::wstring wideTree = Wide(tree);
    const std::wstring japanese = wideTree + L"\\\x5199\x771F.jpg";  // 写真.jpg
    MakeFile(japanese);
    MakeFile(tree + "\\sub\\b.jpg");
    MakeFile(tree + "\\notes.txt");
    const ULONGLONG before = Modification(japanese);

    // Hidden, the modification time an hour on, the access time made that,
    // a title head: JPEGs only.
    const Ended run = KelvoCmd(L"cmd-tree +H /M:+1h /T:=M /TH:x_ /I:*.JPG", scratch);
    EXPECT_EQ(run.code, 0u) << run.err;
    const std::wstring renamed = wideTree + L"\\x_\x5199\x771F.jpg";
    EXPECT_NE(run.out.find("changed\tfile\t" + Utf8(japanese) + "\t" + Utf8(renamed) + "\t"), std::string::npos)
        << run.out;
    EXPECT_NE(GetFileAttributesW(renamed.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(Modification(renamed), before + kHour);
    EXPECT_NE(Attributes(tree + "\\sub\\x_b.jpg"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Attributes(tree + "\\notes.txt") & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_NE(run.err.find(Utf8(L"\x30C7\x30A3\x30EC\x30AF\x30C8\x30EA\x5185\x306E\x5168\x3066\x306E\x51E6\x7406"
                                L"\x304C\x7D42\x4E86\x3057\x307E\x3057\x305F\x3002")),  // ディレクトリ内の全ての処理が終了しました。
              std::string::npos)
        << run.err;

    // A file another program holds can't be renamed: left, 1; nothing changes.
    const std::string held = MakeFolder("cmd-held") + "\\held.txt";
    MakeFile(held);
    HANDLE holding = CreateFileW(Wide(held).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    const Ended left = KelvoCmd(L"cmd-held /TH:x_", scratch);
    CloseHandle(holding);
    EXPECT_EQ(left.code, 1u) << left.err;
    EXPECT_EQ(left.out.rfind("left\t" + held + "\t32\t", 0), 0u) << left.out;
    EXPECT_NE(Attributes(held), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(KelvoCmd(L"cmd-tree /Z", scratch).code, 2u);
    EXPECT_EQ(KelvoCmd(L"cmd-tree", scratch).code, 2u);
    const Ended preview = KelvoCmd(L"cmd-tree -H /PREVIEW /Q", scratch);
    EXPECT_EQ(preview.code, 0u) << preview.err;
    EXPECT_EQ(preview.out, "");
    EXPECT_NE(GetFileAttributesW(renamed.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);

    // The undo takes the run back (the runs since changed nothing).
    const Ended undo = KelvoCmd(L"/UNDO /Q", scratch);
    EXPECT_EQ(undo.code, 0u) << undo.err;
    EXPECT_EQ(GetFileAttributesW(japanese.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(Modification(japanese), before);
    EXPECT_NE(Attributes(tree + "\\sub\\b.jpg"), INVALID_FILE_ATTRIBUTES);
}

TEST(KelvoCmdE2eTest, ACommandLineRunIsTakenBackFromTheWindowAndTheReadmeExamplesRun) {
    const std::string scratch = ScratchFolder();
    const std::string photos = MakeFolder("Photos");
    MakeFile(photos + "\\a.jpg");
    MakeFile(photos + "\\b.txt");
    const ULONGLONG before = Modification(Wide(photos + "\\a.jpg"));

    // The README's examples, as written there, from the folder holding Photos.
    const Ended shift = KelvoCmd(L"Photos /M:-1h /T:=M /I:*.jpg", scratch);
    EXPECT_EQ(shift.code, 0u) << shift.err;
    EXPECT_EQ(Modification(Wide(photos + "\\a.jpg")), before - kHour);
    const Ended preview = KelvoCmd(L"Photos /TH:2024_ /PREVIEW", scratch);
    EXPECT_EQ(preview.code, 0u) << preview.err;
    EXPECT_NE(Attributes(photos + "\\a.jpg"), INVALID_FILE_ATTRIBUTES);

    // The window's undo takes the command line's run back.
    KelvoProcess kelvo(photos);
    ASSERT_NE(kelvo.Window(), nullptr);
    const std::string status = kelvo.Text(1010);
    kelvo.Post(WM_SYSCOMMAND, 0x0020, 0);
    HWND box = WaitForOwnedDialog("確認", kelvo.Window(), 30000);
    ASSERT_NE(box, nullptr);
    PostMessageW(box, WM_COMMAND, IDYES, 0);
    EXPECT_TRUE(kelvo.WaitForRunEnd(status, 60000));
    EXPECT_EQ(kelvo.Text(1010), "\"Photos\"\n直前の一括変更を元に戻しました。");
    EXPECT_EQ(Modification(Wide(photos + "\\a.jpg")), before);
    EXPECT_TRUE(kelvo.CloseWith(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 20000));

    // With every run of this prefix taken back, nothing is left: 4.
    DWORD code = 0;
    for (int i = 0; i < 45 && code != 4; ++i) code = KelvoCmd(L"/UNDO /Q", scratch).code;
    EXPECT_EQ(code, 4u);
}

}  // namespace
}  // namespace kelvo::e2e
