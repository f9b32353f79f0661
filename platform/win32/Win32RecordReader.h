// The lines of a change record on disk, from the first or from the last,
// read kChunkBytes at a time so that a record of any size is never held
// whole. The byte-order mark before the first line and the CR before each
// line break are dropped. A last line without a line break is still a line
// unless it is empty, so an empty file and a file of the mark alone have no
// lines, and a file ending in a line break has no empty line after it; both
// directions give the same lines. A line of more than kLongestLineBytes
// (without its CR) is never held: it is given as not exact.
#pragma once
#include <cstddef>
#include <memory>
#include <string>

#include "platform/RecordStore.h"

namespace kelvo {

class Win32RecordReader {
public:
    static constexpr size_t kChunkBytes = 64 * 1024;
    static constexpr size_t kLongestLineBytes = 1024 * 1024;

    // Null when the file can't be opened for reading or its size read,
    // `access` (where given) telling why. The file is opened sharing
    // reading and writing, never deleting.
    static std::unique_ptr<RecordReader> Open(const std::wstring& path, bool fromTheEnd,
                                              RecordAccess* access = nullptr);
};

}  // namespace kelvo
