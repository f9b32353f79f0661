// Writing a stream in the encoding chosen for it.
#include "console/win32/Win32TextOutput.h"

#include "platform/win32/Cp932Wide.h"

namespace kelvo {

namespace {

StreamKind KindOf(HANDLE handle, bool& atFileStart) {
    atFileStart = false;
    DWORD mode = 0;
    const DWORD type = GetFileType(handle);
    if (type == FILE_TYPE_CHAR && GetConsoleMode(handle, &mode)) return StreamKind::Console;
    if (type == FILE_TYPE_DISK) {
        LARGE_INTEGER zero{}, position{};
        atFileStart = SetFilePointerEx(handle, zero, &position, FILE_CURRENT) && position.QuadPart == 0;
        return StreamKind::File;
    }
    return StreamKind::Pipe;
}

}  // namespace

Win32TextOutput::Win32TextOutput(DWORD which, OutputOption option) : handle_(GetStdHandle(which)) {
    bool atFileStart = false;
    const StreamKind kind =
        handle_ == nullptr || handle_ == INVALID_HANDLE_VALUE ? StreamKind::Pipe : KindOf(handle_, atFileStart);
    choice_ = ChooseOutput(kind, option, atFileStart);
    // What cmd reads a pipe with is the console's code page; without a
    // console, the system's OEM one.
    oemCodePage_ = GetConsoleOutputCP();
    if (oemCodePage_ == 0) oemCodePage_ = GetOEMCP();
}

void Win32TextOutput::WriteBytes(const void* bytes, DWORD size) {
    const char* next = static_cast<const char*>(bytes);
    while (size > 0) {
        DWORD written = 0;
        if (!WriteFile(handle_, next, size, &written, nullptr) || written == 0) return;
        next += written;
        size -= written;
    }
}

void Win32TextOutput::Write(const std::string& text) {
    if (handle_ == nullptr || handle_ == INVALID_HANDLE_VALUE || text.empty()) return;
    const std::wstring wide = ShownWideFromCp932(text);
    switch (choice_.encoding) {
    case StreamEncoding::Console: {
        DWORD written = 0;
        WriteConsoleW(handle_, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    case StreamEncoding::Utf16:
        if (choice_.byteOrderMark) {
            const wchar_t mark = 0xFEFF;
            WriteBytes(&mark, sizeof mark);
            choice_.byteOrderMark = false;
        }
        WriteBytes(wide.data(), static_cast<DWORD>(wide.size() * sizeof(wchar_t)));
        return;
    case StreamEncoding::Utf8:
    case StreamEncoding::Oem: {
        const UINT codePage = choice_.encoding == StreamEncoding::Utf8 ? CP_UTF8 : oemCodePage_;
        // Only the OEM code page can lack a character: it becomes "?".
        const char* fallback = codePage == CP_UTF8 ? nullptr : "?";
        const int size = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                             fallback, nullptr);
        if (size <= 0) return;
        std::string bytes(static_cast<size_t>(size), '\0');
        WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), &bytes[0], size, fallback,
                            nullptr);
        WriteBytes(bytes.data(), static_cast<DWORD>(bytes.size()));
        return;
    }
    }
}

}  // namespace kelvo
