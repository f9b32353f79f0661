#include "platform/win32/Win32RecordReader.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/win32/RecordText.h"

namespace kelvo {
namespace {

// The file between `start` (after the mark) and `end` (its size when
// opened), read a chunk at a time, and the line being gathered from it.
class ChunkedReader : public RecordReader {
public:
    ChunkedReader(HANDLE file, uint64_t start, uint64_t end) : file_(file), start_(start), end_(end) {}
    ~ChunkedReader() override { CloseHandle(file_); }
    ChunkedReader(const ChunkedReader&) = delete;
    ChunkedReader& operator=(const ChunkedReader&) = delete;

protected:
    // The bytes at `offset` in chunk_; false, and from then on, when the
    // system refuses them or the file has become shorter.
    bool ReadChunk(uint64_t offset, size_t size) {
        if (failed_) return false;
        chunk_.resize(size);
        size_t got = 0;
        LARGE_INTEGER place;
        place.QuadPart = static_cast<LONGLONG>(offset);
        failed_ = !SetFilePointerEx(file_, place, nullptr, FILE_BEGIN);
        while (!failed_ && got < size) {
            DWORD done = 0;
            failed_ = !ReadFile(file_, &chunk_[got], static_cast<DWORD>(size - got), &done, nullptr) || done == 0;
            got += done;
        }
        if (failed_) chunk_.clear();
        return !failed_;
    }

    // Adds bytes to the line: after it when reading forwards, before it
    // when reading backwards.
    void Gather(const char* bytes, size_t size, bool before) {
        if (tooLong_) return;
        // One byte more than the longest line, for its CR.
        if (gathered_.size() + size > Win32RecordReader::kLongestLineBytes + 1) {
            tooLong_ = true;
            gathered_.clear();
            return;
        }
        gathered_.insert(before ? 0 : gathered_.size(), bytes, size);
    }

    bool Gathering() const { return tooLong_ || !gathered_.empty(); }

    // The first field of a line, where it is plain ASCII: it still tells
    // the line's kind when the rest has no exact form.
    static std::string LeadingAsciiField(const std::string& bytes) {
        const size_t end = std::min(bytes.find('\t'), bytes.size());
        // A kind is a short word; anything longer is no kind at all.
        if (end > 32) return std::string();
        const std::string field = bytes.substr(0, end);
        for (char c : field) {
            if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E) return std::string();
        }
        return field;
    }

    // Hands the gathered line over and starts the next one.
    bool Give(std::string& line, bool& exact) {
        if (!gathered_.empty() && gathered_.back() == '\r') gathered_.pop_back();
        exact =
            !tooLong_ && gathered_.size() <= Win32RecordReader::kLongestLineBytes && Cp932FromUtf8Line(gathered_, line);
        if (!exact) line = LeadingAsciiField(gathered_);
        gathered_.clear();
        tooLong_ = false;
        return true;
    }

    HANDLE file_;
    const uint64_t start_;
    const uint64_t end_;
    std::string chunk_;

private:
    std::string gathered_;
    bool tooLong_ = false;
    bool failed_ = false;
};

class ForwardReader : public ChunkedReader {
public:
    using ChunkedReader::ChunkedReader;

    bool Next(std::string& line, bool& exact) override {
        for (;;) {
            if (cursor_ < chunk_.size()) {
                const size_t lineBreak = chunk_.find('\n', cursor_);
                const size_t stop = lineBreak == std::string::npos ? chunk_.size() : lineBreak;
                Gather(chunk_.data() + cursor_, stop - cursor_, false);
                cursor_ = stop + 1;
                if (lineBreak != std::string::npos) return Give(line, exact);
                continue;
            }
            if (next_ < end_) {
                const size_t size =
                    static_cast<size_t>(std::min<uint64_t>(Win32RecordReader::kChunkBytes, end_ - next_));
                if (!ReadChunk(next_, size)) return false;
                next_ += size;
                cursor_ = 0;
                continue;
            }
            // The last line, when it has no line break.
            return Gathering() && Give(line, exact);
        }
    }

private:
    uint64_t next_ = start_;
    size_t cursor_ = 0;
};

class BackwardReader : public ChunkedReader {
public:
    using ChunkedReader::ChunkedReader;

    bool Next(std::string& line, bool& exact) override {
        for (;;) {
            if (cursor_ > 0) {
                const size_t lineBreak = chunk_.rfind('\n', cursor_ - 1);
                const size_t from = lineBreak == std::string::npos ? 0 : lineBreak + 1;
                Gather(chunk_.data() + from, cursor_ - from, true);
                if (lineBreak == std::string::npos) {
                    cursor_ = 0;
                    continue;
                }
                cursor_ = lineBreak;
                if (EmptyAfterLastBreak()) continue;
                return Give(line, exact);
            }
            if (chunkStart_ > start_) {
                const size_t size =
                    static_cast<size_t>(std::min<uint64_t>(Win32RecordReader::kChunkBytes, chunkStart_ - start_));
                chunkStart_ -= size;
                if (!ReadChunk(chunkStart_, size)) return false;
                cursor_ = size;
                continue;
            }
            // The first line.
            if (atStart_) return false;
            atStart_ = true;
            return !EmptyAfterLastBreak() && Give(line, exact);
        }
    }

private:
    // True for the empty piece after the file's final line break (or of a
    // file without lines), which is no line; asked once, for the first piece.
    bool EmptyAfterLastBreak() {
        const bool empty = first_ && !Gathering();
        first_ = false;
        return empty;
    }

    uint64_t chunkStart_ = end_;
    size_t cursor_ = 0;
    bool first_ = true;
    bool atStart_ = false;
};

}  // namespace

std::unique_ptr<RecordReader> Win32RecordReader::Open(const std::wstring& path, bool fromTheEnd,
                                                      RecordAccess* access) {
    RecordAccess ignored;
    RecordAccess& result = access != nullptr ? *access : ignored;
    // Sharing writes lets this program's AppendLine mark the record while it
    // is read; not sharing deletes keeps it from being pruned meanwhile.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) {
            result = RecordAccess::InUse;
        } else if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            result = RecordAccess::Missing;
        } else {
            result = RecordAccess::Failed;
        }
        return nullptr;
    }
    LARGE_INTEGER size{};
    char head[kUtf8ByteOrderMarkBytes] = {};
    DWORD got = 0;
    if (!GetFileSizeEx(file, &size) || !ReadFile(file, head, sizeof head, &got, nullptr)) {
        CloseHandle(file);
        result = RecordAccess::Failed;
        return nullptr;
    }
    result = RecordAccess::Opened;
    const uint64_t start =
        got == sizeof head && std::memcmp(head, kUtf8ByteOrderMark, sizeof head) == 0 ? sizeof head : 0;
    const uint64_t end = std::max<uint64_t>(start, static_cast<uint64_t>(size.QuadPart));
    if (fromTheEnd) return std::make_unique<BackwardReader>(file, start, end);
    return std::make_unique<ForwardReader>(file, start, end);
}

}  // namespace kelvo
