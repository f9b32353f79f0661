// Where the help document lives and what the About box says when it can't be
// opened: the document sits beside the executable under a fixed name.
#pragma once
#include <cstdint>
#include <string>

namespace kelvo {

inline constexpr char kHelpDocumentName[] = "ReadMe.html";

// The shell's "file not found" result, which gets a message naming the file.
inline constexpr int kShellFileNotFound = 2;

// Shell results of 32 and below are error codes, above are success.
inline constexpr std::intptr_t kShellLastError = 32;

// Message formats, filled with wsprintfA by the window side.
inline constexpr char kHelpNotFoundFormat[] = "エラー%d、\"%s\"ファイルがありません";
inline constexpr char kHelpErrorFormat[] = "ShellExcuteエラーコード%d";
inline constexpr char kHelpErrorCaption[] = "エラー";

// `modulePath` cut after its last backslash (which stays; a trail byte with
// the value of a backslash doesn't count), followed by the document's name.
std::string HelpDocumentPath(const std::string& modulePath);

inline bool HelpOpenFailed(std::intptr_t shellResult) { return shellResult <= kShellLastError; }

}  // namespace kelvo
