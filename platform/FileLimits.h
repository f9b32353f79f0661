// The path limit and the error codes of the file system, each defined once:
// every layer and both platforms use these. The values are the platform's
// own (Win32 system error codes), so a code handed up from the real system
// and one made here compare equal.
#pragma once
#include <cstddef>
#include <cstdint>

namespace kelvo {

// The longest path in code page 932 bytes that a MAX_PATH (260) buffer
// holds, without its terminating zero. Longer paths are refused with
// kErrorFilenameTooLong before the system sees them.
inline constexpr size_t kMaxPathBytes = 259;

enum : uint32_t {
    kErrorFileNotFound = 2,        // ERROR_FILE_NOT_FOUND
    kErrorPathNotFound = 3,        // ERROR_PATH_NOT_FOUND
    kErrorAccessDenied = 5,        // ERROR_ACCESS_DENIED
    kErrorNoMoreFiles = 18,        // ERROR_NO_MORE_FILES: a listing's end
    kErrorSharingViolation = 32,   // ERROR_SHARING_VIOLATION
    kErrorFileExists = 80,         // ERROR_FILE_EXISTS
    kErrorInvalidName = 123,       // ERROR_INVALID_NAME
    kErrorAlreadyExists = 183,     // ERROR_ALREADY_EXISTS
    kErrorFilenameTooLong = 206,   // ERROR_FILENAME_EXCED_RANGE
    // A name or path that has no exact code page 932 form
    // (ERROR_NO_UNICODE_TRANSLATION): a path the system gives back that
    // would not convert back to the very same name, or a path handed in
    // that is not valid code page 932.
    kErrorNotExact = 1113,
    kErrorIoDevice = 1117,         // ERROR_IO_DEVICE
    // A time an item can't be given: one that would lie outside what the
    // system stores (ERROR_INVALID_TIME).
    kErrorInvalidTime = 1901,
    // A write that would reach past a link to what it points to, where the
    // item itself was asked for (ERROR_CANT_ACCESS_FILE).
    kErrorThroughLink = 1920,
};

}  // namespace kelvo
