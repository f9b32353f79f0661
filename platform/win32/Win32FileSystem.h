// The file system of a real Windows machine (or of Wine), reached through the
// wide (...W) functions of kernel32. Paths are code page 932 bytes on this
// side whatever the system's own code page is; they are converted exactly
// at each call, and names and paths from the system that have no exact
// code page 932 form are never handed up as if they were real. Paths of
// MAX_PATH (260) bytes or more, counted in code page 932, are refused with
// ERROR_FILENAME_EXCED_RANGE before the system sees them, and results that
// would not fit such a buffer are refused the same way.
//
// An item reached as itself is opened as the link it may be. Under Wine the
// open handle is checked to be that item too: Wine opens a Unix symbolic
// link to a file as its target whatever the flags ask, and lists it as a
// plain file, so only the handle's final path tells.
#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "platform/FileSystem.h"

namespace kelvo {

class Win32FileSystem : public FileSystem {
public:
    bool SetCurrentDirectory(const std::string& path) override;
    bool GetCurrentDirectory(std::string& path) override;
    std::unique_ptr<DirectoryListing> List(const std::string& pattern) override;
    bool FindOne(const std::string& path, FindEntry& entry) override;
    bool GetFullPath(const std::string& path, std::string& fullPath) override;
    bool GetAttributes(const std::string& path, uint32_t& attributes) override;
    bool SetAttributes(const std::string& path, uint32_t attributes, Reach reach = Reach::AsNamed) override;
    bool SetTimes(const std::string& path, const FileTime* creation, const FileTime* access,
                  const FileTime* modification, Reach reach = Reach::AsNamed) override;
    bool UpdateItem(const std::string& path, const ItemOpening& opening, const UpdateDecision& decide,
                    ItemState* after = nullptr) override;
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
    // Opens the item a path names as itself (never through a link) and,
    // where the system may open another item instead, makes sure the handle
    // (a HANDLE, to be closed) is that item. Refused with kErrorThroughLink
    // when it isn't.
    bool OpenItself(const std::wstring& path, uint32_t access, uint32_t share, uint32_t flags, void*& handle);
    // Opens an item for an update: with the right to read and write its
    // attributes (which covers its times, read-only or not), or, where the
    // system refuses that, with the right to read them alone (Wine wants
    // Unix write permission for the right to write attributes, and lets a
    // handle that may read them write them too).
    bool OpenForUpdate(const std::wstring& path, const ItemOpening& opening, void*& handle);
    // True when the handle is the item named `name` in the folder `folder`
    // (a full path): its final path is the folder's own and the name.
    bool IsItemInFolder(void* handle, const std::wstring& folder, const std::wstring& name);

    // The final path of the folder whose items were last opened as
    // themselves, and the kind of final path the system gave for it. A run
    // writes a folder's items one after another; moving the current
    // directory forgets it, so a folder replaced meanwhile is looked at anew.
    std::mutex folderMutex_;
    std::wstring folder_;
    std::wstring folderFinal_;
    uint32_t folderFinalKind_ = 0;

    // Written by the worker thread during a run, read by whoever reports.
    std::atomic<uint32_t> lastError_{0};
};

}  // namespace kelvo
