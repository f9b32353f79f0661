// A change record being written: lines are held as UTF-8, each ending in
// CR LF, and handed to the file in one WriteFile of all their bytes at
// Flush, never before: the caller decides when they must be there. The file
// is written to the system, not forced to the disk; the destructor flushes
// and closes it. Once a write is refused the writer stays failed and writes
// nothing more, so the file never holds lines after a gap.
#pragma once
#include <windows.h>

#include <string>

#include "platform/RecordStore.h"

namespace kelvo {

class Win32RecordWriter : public RecordWriter {
public:
    // Takes over `file`, open for writing at its end.
    explicit Win32RecordWriter(HANDLE file) : file_(file) {}
    ~Win32RecordWriter() override;
    Win32RecordWriter(const Win32RecordWriter&) = delete;
    Win32RecordWriter& operator=(const Win32RecordWriter&) = delete;

    void Append(const std::string& line) override;
    void AppendWithMessage(const std::string& line, uint32_t code) override;
    void AppendNamedWithMessage(const std::string& head, const std::string& systemName, const std::string& tail,
                                uint32_t code) override;
    bool Flush() override;

private:
    void Hold(const std::string& utf8Line);

    HANDLE file_;
    std::string held_;
    bool failed_ = false;
};

// Writes all of `bytes` at the file's position; false when the system
// refused part of them, with `written` telling how many went out.
bool WriteAllBytes(HANDLE file, const std::string& bytes, size_t& written);

}  // namespace kelvo
