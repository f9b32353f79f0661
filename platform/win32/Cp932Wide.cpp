// Conversions between code page 932 and UTF-16 through the system's tables
// for code page 932, named explicitly.
#include "platform/win32/Cp932Wide.h"

#include <windows.h>

#include "platform/Cp932Text.h"

namespace kelvo {
namespace {

// MultiByteToWideChar over the whole text; false when it refuses (with
// MB_ERR_INVALID_CHARS: an invalid byte sequence).
bool ToWide(const std::string& text, DWORD flags, std::wstring& wide) {
    wide.clear();
    if (text.empty()) return true;
    const int inLength = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(kCodePage932, flags, text.data(), inLength, nullptr, 0);
    if (length <= 0) return false;
    wide.resize(static_cast<size_t>(length));
    if (MultiByteToWideChar(kCodePage932, flags, text.data(), inLength, &wide[0], length) != length) {
        wide.clear();
        return false;
    }
    return true;
}

// WideCharToMultiByte without best-fit mappings; `usedDefault` tells whether
// some character had no form of its own.
std::string ToCp932(const wchar_t* wide, size_t length, bool& usedDefault) {
    usedDefault = false;
    if (length == 0) return std::string();
    const int inLength = static_cast<int>(length);
    const int size =
        WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, wide, inLength, nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        usedDefault = true;
        return std::string();
    }
    std::string text(static_cast<size_t>(size), '\0');
    BOOL defaulted = FALSE;
    const int written =
        WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, wide, inLength, &text[0], size, nullptr, &defaulted);
    usedDefault = defaulted != FALSE || written != size;
    return text;
}

}  // namespace

bool Cp932FromWide(const wchar_t* wide, std::size_t length, std::string& text) {
    bool usedDefault = false;
    std::string converted = ToCp932(wide, length, usedDefault);
    std::wstring back;
    // Exact means the round trip gives the same text; checking it, not only
    // the default-character flag, leaves no mapping of the table unexamined.
    if (usedDefault || !ToWide(converted, MB_ERR_INVALID_CHARS, back) ||
        back.compare(0, std::wstring::npos, wide, length) != 0) {
        text.clear();
        return false;
    }
    text.swap(converted);
    return true;
}

bool Cp932FromWide(const std::wstring& wide, std::string& text) {
    return Cp932FromWide(wide.data(), wide.size(), text);
}

bool WideFromCp932(const std::string& text, std::wstring& wide) { return ToWide(text, MB_ERR_INVALID_CHARS, wide); }

std::string ShownCp932FromWide(const wchar_t* wide, std::size_t length) {
    bool usedDefault = false;
    return ToCp932(wide, length, usedDefault);
}

std::wstring ShownWideFromCp932(const std::string& text) {
    std::wstring wide;
    ToWide(text, 0, wide);
    return wide;
}

std::string CutToBytes(const std::string& text, std::size_t maxBytes) {
    size_t end = 0;
    while (end < text.size() && end + CharLength(text, end) <= maxBytes) end += CharLength(text, end);
    return text.substr(0, end);
}

}  // namespace kelvo
