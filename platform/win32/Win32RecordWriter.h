// A change record being written: lines are held as UTF-8, each ending in
// CR LF, and handed to the file by WriteFile at Flush, or as soon as more
// than kHeldBytes are held. The file is written to the system, not forced
// to the disk, at each flush; the destructor flushes and closes it.
#pragma once
#include <windows.h>

#include <string>

#include "platform/RecordStore.h"

namespace kelvo {

class Win32RecordWriter : public RecordWriter {
public:
    static constexpr size_t kHeldBytes = 64 * 1024;

    // Takes over `file`, open for writing at its end.
    explicit Win32RecordWriter(HANDLE file) : file_(file) {}
    ~Win32RecordWriter() override;
    Win32RecordWriter(const Win32RecordWriter&) = delete;
    Win32RecordWriter& operator=(const Win32RecordWriter&) = delete;

    void Append(const std::string& line) override;
    void AppendWithMessage(const std::string& line, uint32_t code) override;
    // Also false when a write made on the way, because too much was held,
    // was refused since the last flush.
    bool Flush() override;

private:
    void Hold(const std::string& utf8Line);
    bool WriteHeld();

    HANDLE file_;
    std::string held_;
    bool refused_ = false;
    // A refused write may have left part of a line in the file: the next
    // write starts on a line of its own.
    bool lineCut_ = false;
};

// Writes all of `bytes` at the file's position; false when the system
// refused part of them, with `written` telling how many went out.
bool WriteAllBytes(HANDLE file, const std::string& bytes, size_t& written);

}  // namespace kelvo
