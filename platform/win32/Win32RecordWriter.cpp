#include "platform/win32/Win32RecordWriter.h"

#include <algorithm>

#include "platform/win32/RecordText.h"

namespace kelvo {

bool WriteAllBytes(HANDLE file, const std::string& bytes, size_t& written) {
    written = 0;
    while (written < bytes.size()) {
        DWORD done = 0;
        const DWORD size = static_cast<DWORD>(std::min<size_t>(bytes.size() - written, 1u << 30));
        if (!WriteFile(file, bytes.data() + written, size, &done, nullptr) || done == 0) return false;
        written += done;
    }
    return true;
}

Win32RecordWriter::~Win32RecordWriter() {
    Flush();
    CloseHandle(file_);
}

void Win32RecordWriter::Append(const std::string& line) { Hold(Utf8FromCp932Line(line)); }

void Win32RecordWriter::AppendWithMessage(const std::string& line, uint32_t code) {
    Hold(Utf8FromCp932Line(line) + "\t" + EscapedUtf8SystemMessage(code));
}

void Win32RecordWriter::AppendNamedWithMessage(const std::string& head, const std::string& systemName,
                                               const std::string& tail, uint32_t code) {
    Hold(Utf8FromCp932Line(head) + EscapeUtf8Field(systemName) + Utf8FromCp932Line(tail) + "\t" +
         EscapedUtf8SystemMessage(code));
}

void Win32RecordWriter::Hold(const std::string& utf8Line) {
    if (failed_) return;
    held_ += utf8Line;
    held_ += "\r\n";
}

bool Win32RecordWriter::Flush() {
    if (failed_) return false;
    if (held_.empty()) return true;
    size_t written = 0;
    failed_ = !WriteAllBytes(file_, held_, written);
    held_.clear();
    return !failed_;
}

}  // namespace kelvo
