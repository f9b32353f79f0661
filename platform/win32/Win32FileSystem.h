// The file system of a real Windows machine (or of Wine), reached through the
// ANSI (...A) functions of kernel32, so paths are code page 932 bytes when
// the system's ANSI code page is 932. Paths of MAX_PATH (260) bytes or more
// are refused with ERROR_FILENAME_EXCED_RANGE before the system sees them,
// and results that would not fit such a buffer are refused the same way.
#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/FileSystem.h"

namespace kelvo {

class Win32FileSystem : public FileSystem {
public:
    // The longest path in bytes that the ...A functions accept, without its
    // terminating zero.
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
    // False when the system must not be given the path: too long
    // (ERROR_FILENAME_EXCED_RANGE) or holding a zero byte, which the system
    // would take for its end (ERROR_INVALID_NAME).
    bool Acceptable(const std::string& path);

    // Written by the worker thread during a run, read by whoever reports.
    std::atomic<uint32_t> lastError_{0};
};

}  // namespace kelvo
