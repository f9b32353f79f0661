// The file system of a real Windows machine (or of Wine), reached through the
// wide (...W) functions of kernel32. Paths are code page 932 bytes on this
// side whatever the system's own code page is; they are converted exactly
// at each call, and names and paths from the system that have no exact
// code page 932 form are never handed up as if they were real. Paths of
// MAX_PATH (260) bytes or more, counted in code page 932, are refused with
// ERROR_FILENAME_EXCED_RANGE before the system sees them, and results that
// would not fit such a buffer are refused the same way.
#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/FileSystem.h"

namespace kelvo {

class Win32FileSystem : public FileSystem {
public:
    // The longest path in code page 932 bytes that a MAX_PATH buffer holds,
    // without its terminating zero.
    static constexpr size_t kMaxPathBytes = 259;

    bool SetCurrentDirectory(const std::string& path) override;
    bool GetCurrentDirectory(std::string& path) override;
    std::unique_ptr<DirectoryListing> List(const std::string& pattern) override;
    bool FindOne(const std::string& path, FindEntry& entry) override;
    bool GetFullPath(const std::string& path, std::string& fullPath) override;
    bool GetAttributes(const std::string& path, uint32_t& attributes) override;
    bool SetAttributes(const std::string& path, uint32_t attributes) override;
    bool SetTimes(const std::string& path, const FileTime* creation, const FileTime* access,
                  const FileTime* modification) override;
    bool Move(const std::string& from, const std::string& to) override;
    bool Replace(const std::string& from, const std::string& to) override;
    bool Delete(const std::string& path) override;
    bool ReadWholeFile(const std::string& path, std::string& bytes) override;
    std::unique_ptr<WritableFile> OpenForWriting(const std::string& path, bool truncate) override;
    std::string ModulePath() override;
    uint32_t LastError() const override { return lastError_.load(std::memory_order_relaxed); }

private:
    class Listing;
    class Writer;

    // Keeps GetLastError() and returns false.
    bool FailFromSystem();
    bool Fail(uint32_t error);
    // The path in the system's form; false when the system must not be
    // given it: too long (ERROR_FILENAME_EXCED_RANGE), holding a zero byte,
    // which the system would take for its end, or a wildcard where one item
    // is meant (ERROR_INVALID_NAME), or not valid code page 932 (kErrorNotExact).
    bool Acceptable(const std::string& path, std::wstring& wide, bool pattern = false);
    // A path from the system in code page 932; false (kErrorNotExact,
    // ERROR_FILENAME_EXCED_RANGE) when it has no exact form or is too long.
    bool FromSystem(const std::wstring& wide, std::string& path);

    // Written by the worker thread during a run, read by whoever reports.
    std::atomic<uint32_t> lastError_{0};
};

}  // namespace kelvo
