#include "tests/e2e/KelvoProcess.h"

#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace kelvo::e2e {
namespace {

constexpr DWORD kStartTimeoutMs = 30000;

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : value;
}

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindKelvoWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char caption[16] = {};
    GetWindowTextA(window, caption, sizeof caption);
    if (owner == search->processId && std::string(caption) == "Kelvo" && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::string ExePath() { return Environment("KELVO_EXE"); }
std::string ScratchFolder() { return Environment("KELVO_SCRATCH"); }

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

KelvoProcess::KelvoProcess(const std::string& firstArgument, const std::string& exe,
                           const std::string& currentDirectory) {
    std::string commandLine = "\"" + exe + "\" \"" + firstArgument + "\"";
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    const char* directory = currentDirectory.empty() ? nullptr : currentDirectory.c_str();
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, directory, &startup, &process_)) {
        throw std::runtime_error("Kelvo.exe could not be started: " + commandLine);
    }
    // The caption alone could match a window left over from another test;
    // the process id makes it ours.
    WaitFor(
        [this] {
            // FindWindowA finds the first "Kelvo"; the enumeration checks that it is ours.
            if (FindWindowA(nullptr, "Kelvo") == nullptr) return false;
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
        if (window_ != nullptr) PostMessageA(window_, WM_CLOSE, 0, 0);
        if (!WaitForExit(5000)) TerminateProcess(process_.hProcess, 1);
        WaitForExit(5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

std::string KelvoProcess::Text(int id) const {
    HWND control = Control(id);
    const LRESULT length = SendMessageA(control, WM_GETTEXTLENGTH, 0, 0);
    std::vector<char> buffer(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    SendMessageA(control, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data());
}

int KelvoProcess::Check(int id) const { return static_cast<int>(SendMessageA(Control(id), BM_GETCHECK, 0, 0)); }

void KelvoProcess::Click(int id) const { SendMessageA(Control(id), BM_CLICK, 0, 0); }

void KelvoProcess::SetText(int id, const std::string& text) const {
    SendMessageA(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
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
