// The one place where the program's code page 932 texts meet the system's
// UTF-16. Conversions name code page 932 themselves, so the system's own
// code page never decides what a name means, and the ones for names and
// paths refuse anything that would not come back unchanged: no best-fit
// character and no default character ever stands in for a real one.
#pragma once
#include <cstddef>
#include <string>

namespace kelvo {

inline constexpr unsigned kCodePage932 = 932;

// Exact: true only when `wide` converts to code page 932 and back to the
// very same UTF-16. On false `text` is left empty.
bool Cp932FromWide(const wchar_t* wide, std::size_t length, std::string& text);
bool Cp932FromWide(const std::wstring& wide, std::string& text);

// Exact: false when `text` is not valid code page 932 (a lone lead byte, a
// lead byte with a byte that can't follow it). On false `wide` is left empty.
bool WideFromCp932(const std::string& text, std::wstring& wide);

// For texts that are only shown or read back from a window, never used as
// names on their own: characters without a code page 932 form become '?',
// bytes that are not valid code page 932 become the system's default
// character. Texts with an exact form convert exactly.
std::string ShownCp932FromWide(const wchar_t* wide, std::size_t length);
std::wstring ShownWideFromCp932(const std::string& text);

// `text` cut to at most `maxBytes` bytes, never inside a double-byte character.
std::string CutToBytes(const std::string& text, std::size_t maxBytes);

}  // namespace kelvo
