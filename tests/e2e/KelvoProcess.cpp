#include "tests/e2e/KelvoProcess.h"

#include <stdexcept>
#include <vector>

namespace kelvo::e2e {
namespace {

constexpr DWORD kStartTimeoutMs = 30000;
constexpr UINT kCodePage932 = 932;

std::string Environment(const wchar_t* name) {
    wchar_t value[1024] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, 1024);
    return length == 0 || length >= 1024 ? std::string() : Narrow(value);
}

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindKelvoWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && WindowText(window) == "Kelvo" && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::wstring Wide(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int length = MultiByteToWideChar(kCodePage932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(kCodePage932, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

std::string Narrow(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int length = WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, text.data(),
                                           static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), &narrow[0],
                        length, nullptr, nullptr);
    return narrow;
}

std::string WindowText(HWND window) {
    const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::vector<wchar_t> buffer(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    SendMessageW(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return Narrow(buffer.data());
}

std::vector<std::string> ChildTexts(HWND window) {
    std::vector<std::string> texts;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM param) -> BOOL {
            reinterpret_cast<std::vector<std::string>*>(param)->push_back(WindowText(child));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

HWND WaitForOwnedDialog(const std::string& caption, HWND owner, DWORD timeoutMs) {
    const std::wstring wide = Wide(caption);
    HWND found = nullptr;
    WaitFor(
        [&] {
            found = FindWindowW(L"#32770", wide.c_str());
            return found != nullptr && GetWindow(found, GW_OWNER) == owner;
        },
        timeoutMs);
    return found != nullptr && GetWindow(found, GW_OWNER) == owner ? found : nullptr;
}

bool AnswerMessageBox(HWND owner, const std::string& caption, const std::string& text, int button) {
    HWND box = WaitForOwnedDialog(caption, owner, 30000);
    if (box == nullptr) return false;
    bool named = false;
    for (const std::string& child : ChildTexts(box)) named = named || child == text;
    PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
    return WaitFor([box] { return !IsWindow(box); }, 30000) && named;
}

std::string ExePath() { return Environment(L"KELVO_EXE"); }
std::string ScratchFolder() { return Environment(L"KELVO_SCRATCH"); }

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

KelvoProcess::KelvoProcess(const std::string& firstArgument)
    : KelvoProcess(Wide(ExePath()), Wide(firstArgument), std::wstring()) {}

KelvoProcess::KelvoProcess(const std::wstring& exePath, const std::wstring& firstArgument,
                           const std::wstring& workingFolder) {
    std::wstring commandLine = L"\"" + exePath + L"\"";
    if (!firstArgument.empty()) commandLine += L" \"" + firstArgument + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &process_)) {
        throw std::runtime_error("Kelvo.exe could not be started: " + Narrow(commandLine));
    }
    // The caption alone could match a window left over from another test;
    // the process id makes it ours.
    WaitFor(
        [this] {
            // FindWindowW finds the first "Kelvo"; the enumeration checks that it is ours.
            if (FindWindowW(nullptr, L"Kelvo") == nullptr) return false;
            Search search{process_.dwProcessId, nullptr};
            EnumWindows(&FindKelvoWindow, reinterpret_cast<LPARAM>(&search));
            window_ = search.found;
            return window_ != nullptr;
        },
        kStartTimeoutMs);
}

KelvoProcess::~KelvoProcess() {
    if (process_.hProcess == nullptr) return;
    if (Running()) {
        if (window_ != nullptr) PostMessageW(window_, WM_CLOSE, 0, 0);
        if (!WaitForExit(5000)) TerminateProcess(process_.hProcess, 1);
        WaitForExit(5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

std::string KelvoProcess::Text(int id) const { return WindowText(Control(id)); }

int KelvoProcess::Check(int id) const { return static_cast<int>(SendMessageW(Control(id), BM_GETCHECK, 0, 0)); }

void KelvoProcess::Click(int id) const { SendMessageW(Control(id), BM_CLICK, 0, 0); }

void KelvoProcess::SetText(int id, const std::string& text) const {
    SendMessageW(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
}

bool KelvoProcess::WaitForRunEnd(const std::string& statusBefore, DWORD timeoutMs) const {
    return WaitFor(
        [&] {
            return Text(1) == "一括変更開始(&E)" && Text(1010) != statusBefore && IsWindowEnabled(Control(1077)) &&
                   IsWindowEnabled(Control(1087));
        },
        timeoutMs);
}

bool KelvoProcess::CloseWith(UINT message, WPARAM wParam, DWORD timeoutMs) const {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        Post(message, wParam, 0);
        if (WaitForExit(500)) return true;
    }
    return false;
}

bool KelvoProcess::WaitForExit(DWORD timeoutMs) const {
    return WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

bool KelvoProcess::Running() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

}  // namespace kelvo::e2e
