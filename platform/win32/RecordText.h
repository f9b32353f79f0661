// The text of a change record's lines at the file's edge: the program's
// code page 932 lines become UTF-8, the file's UTF-8 lines come back as code
// page 932 only when they have an exact form, and the system's messages go
// from UTF-16 to UTF-8 without passing through code page 932.
#pragma once
#include <cstdint>
#include <string>

namespace kelvo {

// What a record's file starts with.
inline constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";
inline constexpr unsigned kUtf8ByteOrderMarkBytes = sizeof kUtf8ByteOrderMark - 1;

// `line` as UTF-8. A character that is not valid code page 932 (a lone lead
// byte, a lead byte with a byte that can't follow it) or is a line break
// can't be written as it is: it becomes U+FFFD, the replacement character,
// which has no code page 932 form, so the line reads back as not exact
// rather than as another line.
std::string Utf8FromCp932Line(const std::string& line);

// Exact: `bytes` as code page 932; false, with `line` empty, when they are
// not valid UTF-8 or hold a character without a code page 932 form.
bool Cp932FromUtf8Line(const std::string& bytes, std::string& line);

// `text` with '%' and every control character (below 0x20, and 0x7F) as
// %XX, two upper-case hex digits: the escaping of the record's text fields
// (run/RecordFormat.h), here for UTF-8 text that never passes through code
// page 932. No byte of a multi-byte UTF-8 character is touched.
std::string EscapeUtf8Field(const std::string& text);

// The system's message for `code` in its own language as one escaped UTF-8
// field: the line break ending it dropped, any other line break or tab
// kept as %XX; "error <code>" when the system has no text for it.
std::string EscapedUtf8SystemMessage(uint32_t code);

}  // namespace kelvo
