// Character-aware helpers for code page 932 byte strings. A double-byte
// character is a lead byte (0x81-0x9F, 0xE0-0xFC) followed by any trail byte;
// its trail byte may have the value of '\\' or '.', and is never taken for one.
#pragma once
#include <cstddef>
#include <string>

namespace kelvo {

bool IsLeadByte(unsigned char byte);

// Byte length of the character that starts at `pos` (1 or 2; 1 for a lone lead
// byte at the very end).
size_t CharLength(const std::string& text, size_t pos);

// True when `pos` is the first byte of a character (or the end of the text).
bool IsCharBoundary(const std::string& text, size_t pos);

// Position of the last occurrence of the single-byte character `c`, found
// character by character; npos when there is none.
size_t FindLastChar(const std::string& text, char c);

// Position of the first occurrence of `needle` that starts and ends on
// character boundaries at or after `from`; npos when there is none. An empty needle is
// never found.
size_t FindText(const std::string& text, const std::string& needle, size_t from = 0);

// True only when the last character of the text is a backslash.
bool EndsWithBackslash(const std::string& text);

// Upper-cases single-byte and full-width Latin, Greek and Cyrillic letters,
// the way Windows folds case when it compares file names.
std::string FoldCase(const std::string& text);
bool EqualsIgnoreCase(const std::string& a, const std::string& b);

// Splits a file name at its last dot: "archive.tar.gz" gives "archive.tar"
// and "gz"; a name without a dot is all title.
void SplitName(const std::string& name, std::string& title, std::string& extension);

// Splits a path at its last backslash into the folder before it and the
// name after it; without a backslash the folder is empty and the whole text
// is the name.
void SplitPath(const std::string& path, std::string& folder, std::string& name);

// True for a path that names its drive or server: "C:\\..." or
// "\\\\server\\...", with slashes or backslashes.
// Anything else depends on the current directory.
bool IsFullPath(const std::string& path);

// The separator to put between a folder and a name: empty after a folder
// ending in a backslash (a drive root), else a backslash.
std::string SeparatorAfter(const std::string& folder);

}  // namespace kelvo
