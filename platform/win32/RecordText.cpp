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

std::string EscapeUtf8Field(const std::string& text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte == '%' || byte < 0x20 || byte == 0x7F) {
            escaped += '%';
            escaped += kHex[byte >> 4];
            escaped += kHex[byte & 0x0F];
        } else {
            escaped += c;
        }
    }
    return escaped;
}

std::string EscapedUtf8SystemMessage(uint32_t code) {
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length > 0 && text != nullptr ? std::wstring(text, length) : std::wstring();
    LocalFree(text);
    // The system ends its messages with a line break, which is no part of
    // what it says.
    if (message.size() >= 2 && message.compare(message.size() - 2, 2, L"\r\n") == 0) message.resize(message.size() - 2);
    if (message.empty()) return "error " + std::to_string(code);
    return EscapeUtf8Field(Utf8FromWide(message));
}

}  // namespace kelvo
