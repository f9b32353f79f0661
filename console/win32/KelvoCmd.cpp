// The console program's entry point: the arguments from the system in
// UTF-16, taken only where they have an exact code page 932 form; the two
// streams; the console's signals; the same file system, clock and records
// as the main window's.
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "console/ConsoleJob.h"
#include "console/ControlEvents.h"
#include "console/win32/Win32TextOutput.h"
#include "platform/win32/Cp932Wide.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32RecordStore.h"

namespace {

const char* const kNotExactArgument = "コードページ 932 で表せない文字があります: ";

std::atomic<bool> cancelRequested{false};
kelvo::ControlEvents controlEvents(cancelRequested);

BOOL WINAPI OnControl(DWORD type) {
    kelvo::ControlEvent event = kelvo::ControlEvent::CtrlC;
    switch (type) {
    case CTRL_C_EVENT: event = kelvo::ControlEvent::CtrlC; break;
    case CTRL_BREAK_EVENT: event = kelvo::ControlEvent::CtrlBreak; break;
    case CTRL_CLOSE_EVENT: event = kelvo::ControlEvent::Close; break;
    case CTRL_LOGOFF_EVENT: event = kelvo::ControlEvent::Logoff; break;
    case CTRL_SHUTDOWN_EVENT: event = kelvo::ControlEvent::Shutdown; break;
    default: return FALSE;
    }
    const kelvo::ControlAnswer answer = controlEvents.On(event);
    // The system gives a closing console some seconds: the walk stops
    // between two items long before.
    for (int i = 0; answer.waitForEnd && i < 90 && !controlEvents.Ended(); ++i) Sleep(50);
    return answer.handled ? TRUE : FALSE;
}

// The system's message for an error, as a code page 932 text to show.
std::string SystemMessage(uint32_t code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
        reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring wide = length > 0 && buffer != nullptr ? std::wstring(buffer, length) : std::wstring();
    if (buffer != nullptr) LocalFree(buffer);
    while (!wide.empty() && (wide.back() == L'\r' || wide.back() == L'\n' || wide.back() == L' ')) wide.pop_back();
    for (wchar_t& c : wide) {
        if (c == L'\r' || c == L'\n' || c == L'\t') c = L' ';
    }
    if (wide.empty()) return std::to_string(code);
    return kelvo::ShownCp932FromWide(wide.data(), wide.size());
}

// The output option, looked for before the arguments are read in full, so
// that even a refusal of them is written as asked.
kelvo::OutputOption OutputOptionOf(int argc, wchar_t** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::wstring option = argv[i];
        if (option.size() < 2 || (option[0] != L'/' && option[0] != L'-')) continue;
        if (lstrcmpiW(option.c_str() + 1, L"U16") == 0) return kelvo::OutputOption::Utf16;
        if (lstrcmpiW(option.c_str() + 1, L"OEM") == 0) return kelvo::OutputOption::Oem;
    }
    return kelvo::OutputOption::Default;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const kelvo::OutputOption option = OutputOptionOf(argc, argv);
    kelvo::Win32TextOutput out(STD_OUTPUT_HANDLE, option);
    kelvo::Win32TextOutput err(STD_ERROR_HANDLE, option);
    SetConsoleCtrlHandler(OnControl, TRUE);

    // A stand-in character would name another file or folder.
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        std::string text;
        if (!kelvo::Cp932FromWide(argv[i], text)) {
            const std::wstring wide = argv[i];
            err.Write(kNotExactArgument + kelvo::ShownCp932FromWide(wide.data(), wide.size()) + "\r\n");
            return kelvo::kExitRefused;
        }
        arguments.push_back(text);
    }

    kelvo::Win32FileSystem files;
    kelvo::Win32Clock clock;
    kelvo::Win32RecordStore records;
    const std::wstring& folder = records.Folder();
    kelvo::ConsolePlatform platform{files, clock, records, cancelRequested, out, err, SystemMessage,
                                    kelvo::ShownCp932FromWide(folder.data(), folder.size())};
    const int code = kelvo::RunConsoleCommand(arguments, platform);
    controlEvents.WorkEnded();
    return code;
}
