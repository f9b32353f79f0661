// Code page 932 is reached only through Cp932Wide; UTF-8 through the
// system's tables for CP_UTF8.
#include "platform/win32/RecordText.h"

#include <windows.h>

#include "platform/Cp932Text.h"
#include "platform/win32/Cp932Wide.h"

namespace kelvo {
namespace {

constexpr wchar_t kReplacement = L'\uFFFD';

std::string Utf8FromWide(const std::wstring& wide) {
    if (wide.empty()) return std::string();
    const int inLength = static_cast<int>(wide.size());
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), inLength, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::string();
    std::string bytes(static_cast<size_t>(size), '\0');
    if (WideCharToMultiByte(CP_UTF8, 0, wide.data(), inLength, &bytes[0], size, nullptr, nullptr) != size) {
        return std::string();
    }
    return bytes;
}

bool HasLineBreak(const std::wstring& wide) { return wide.find_first_of(L"\r\n") != std::wstring::npos; }

// Character by character, each one that doesn't convert exactly (or is a
// line break) replaced.
std::wstring WideWithReplacements(const std::string& line) {
    std::wstring wide;
    for (size_t pos = 0; pos < line.size();) {
        const size_t length = CharLength(line, pos);
        std::wstring one;
        if (!WideFromCp932(line.substr(pos, length), one) || HasLineBreak(one)) one.assign(1, kReplacement);
        wide += one;
        pos += length;
    }
    return wide;
}

}  // namespace

std::string Utf8FromCp932Line(const std::string& line) {
    std::wstring wide;
    if (!WideFromCp932(line, wide) || HasLineBreak(wide)) wide = WideWithReplacements(line);
    return Utf8FromWide(wide);
}

bool Cp932FromUtf8Line(const std::string& bytes, std::string& line) {
    line.clear();
    if (bytes.empty()) return true;
    const int inLength = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), inLength, nullptr, 0);
    if (length <= 0) return false;
    std::wstring wide(static_cast<size_t>(length), L'\0');
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), inLength, &wide[0], length) != length) {
        return false;
    }
    return Cp932FromWide(wide, line);
}

std::string Utf8SystemMessage(uint32_t code) {
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length > 0 && text != nullptr ? std::wstring(text, length) : std::wstring();
    LocalFree(text);
    const size_t end = message.find_last_not_of(L"\r\n\t ");
    message.resize(end == std::wstring::npos ? 0 : end + 1);
    for (size_t pos = 0; (pos = message.find_first_of(L"\r\n\t", pos)) != std::wstring::npos; ++pos) {
        // A CR LF pair is one break, one space.
        if (message.compare(pos, 2, L"\r\n") == 0) message.erase(pos, 1);
        message[pos] = L' ';
    }
    if (message.empty()) return "error " + std::to_string(code);
    return Utf8FromWide(message);
}

}  // namespace kelvo
