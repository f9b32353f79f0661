// The Win32 file system: thin wrappers over the ...W calls that convert
// every path exactly, keep the system's error code, refuse over-long paths
// up front and grow their buffers to what the system asks for. Writes to an
// item as itself go through a handle opened on the item, never through it.
#include "platform/win32/Win32FileSystem.h"

#include <windows.h>
// windows.h maps these names to their ...A forms, which would rename the
// FileSystem operations of the same names.
#undef SetCurrentDirectory
#undef GetCurrentDirectory

#include <algorithm>
#include <vector>

#include "platform/win32/Cp932Wide.h"

namespace kelvo {

// The codes and the limit the rest of the program knows are the system's own.
static_assert(kMaxPathBytes == MAX_PATH - 1);
static_assert(kErrorFileNotFound == ERROR_FILE_NOT_FOUND && kErrorPathNotFound == ERROR_PATH_NOT_FOUND);
static_assert(kErrorAccessDenied == ERROR_ACCESS_DENIED && kErrorNoMoreFiles == ERROR_NO_MORE_FILES);
static_assert(kErrorSharingViolation == ERROR_SHARING_VIOLATION && kErrorFileExists == ERROR_FILE_EXISTS);
static_assert(kErrorInvalidName == ERROR_INVALID_NAME && kErrorAlreadyExists == ERROR_ALREADY_EXISTS);
static_assert(kErrorFilenameTooLong == ERROR_FILENAME_EXCED_RANGE && kErrorIoDevice == ERROR_IO_DEVICE);
static_assert(kErrorNotExact == ERROR_NO_UNICODE_TRANSLATION && kErrorThroughLink == ERROR_CANT_ACCESS_FILE);
static_assert(kErrorInvalidTime == ERROR_INVALID_TIME);

namespace {

FileTime FromFileTime(const FILETIME& time) {
    return (static_cast<FileTime>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FILETIME ToFileTime(FileTime ticks) {
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFFu);
    time.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return time;
}

void FillEntry(const WIN32_FIND_DATAW& data, FindEntry& entry) {
    // A name without an exact form stays empty: a stand-in ('?' or a
    // best-fit look-alike) would name nothing or, worse, another item.
    const size_t length = wcsnlen(data.cFileName, MAX_PATH);
    entry.exact = Cp932FromWide(data.cFileName, length, entry.name);
    entry.systemName.clear();
    if (!entry.exact) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, data.cFileName, static_cast<int>(length), nullptr, 0,
                                             nullptr, nullptr);
        if (size > 0) {
            entry.systemName.resize(static_cast<size_t>(size));
            WideCharToMultiByte(CP_UTF8, 0, data.cFileName, static_cast<int>(length), &entry.systemName[0], size,
                                nullptr, nullptr);
        }
    }
    entry.attributes = data.dwFileAttributes;
    entry.reparseTag = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ? data.dwReserved0 : 0;
    entry.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    entry.creation = FromFileTime(data.ftCreationTime);
    entry.access = FromFileTime(data.ftLastAccessTime);
    entry.modification = FromFileTime(data.ftLastWriteTime);
}

// Calls a GetXxxW-style function that writes at most `size` characters and
// returns the length written, or the size it needs when the buffer is too
// small, or 0 on failure. The buffer grows to what the system asks for, so
// nothing is cut.
template <typename Query>
bool QueryText(Query query, std::wstring& text) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD length = query(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0) return false;
        if (length < buffer.size()) {
            text.assign(buffer.data(), length);
            return true;
        }
        buffer.resize(static_cast<size_t>(length) + 1);
    }
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return false;
}

// Every kind of sharing: a handle that only looks at an item or writes its
// attributes must not keep others from it.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// An attribute word as FILE_BASIC_INFO takes it. A word of 0 there would
// leave the attributes as they are, so it goes with the normal bit, as
// SetFileAttributesW gives it.
DWORD BasicInfoWord(uint32_t attributes) { return (attributes & kSettableAttributes) | FILE_ATTRIBUTE_NORMAL; }

bool ReadBasicInfo(HANDLE handle, ItemState& state) {
    FILE_BASIC_INFO info = {};
    if (!GetFileInformationByHandleEx(handle, FileBasicInfo, &info, sizeof info)) return false;
    state = ItemState{info.FileAttributes, static_cast<FileTime>(info.CreationTime.QuadPart),
                      static_cast<FileTime>(info.LastAccessTime.QuadPart),
                      static_cast<FileTime>(info.LastWriteTime.QuadPart)};
    return true;
}

// The final path of an open item, of the kind asked for (VOLUME_NAME_DOS or VOLUME_NAME_NT).
bool FinalPath(HANDLE handle, DWORD kind, std::wstring& path) {
    auto query = [handle, kind](DWORD size, wchar_t* buffer) {
        return GetFinalPathNameByHandleW(handle, buffer, size, kind);
    };
    return QueryText(query, path);
}

// Wine opens a Unix symbolic link to a file as the file it points to,
// whatever the flags ask, and lists it as that file.
bool OpensLinksThrough() {
    static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

bool SameName(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

}  // namespace

class Win32FileSystem::Listing : public DirectoryListing {
public:
    // A listing of an empty folder has no handle and ends at once.
    Listing() : handle_(INVALID_HANDLE_VALUE), pending_(), havePending_(false) {}
    Listing(HANDLE handle, const WIN32_FIND_DATAW& first) : handle_(handle), pending_(first) {}
    ~Listing() override {
        if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
    }

    ListingStep Next(FindEntry& entry) override {
        if (handle_ == INVALID_HANDLE_VALUE) return ListingStep::End();
        if (havePending_) {
            havePending_ = false;
            FillEntry(pending_, entry);
            return ListingStep::Entry();
        }
        WIN32_FIND_DATAW data;
        // The end of a listing and a broken one differ only by the error code.
        if (!FindNextFileW(handle_, &data)) {
            const DWORD error = GetLastError();
            return error == ERROR_NO_MORE_FILES ? ListingStep::End() : ListingStep::Failed(error);
        }
        FillEntry(data, entry);
        return ListingStep::Entry();
    }

private:
    HANDLE handle_;
    WIN32_FIND_DATAW pending_;
    bool havePending_ = true;
};

class Win32FileSystem::Writer : public WritableFile {
public:
    explicit Writer(HANDLE handle) : handle_(handle) {}
    ~Writer() override { Close(); }

    bool Write(const std::string& bytes) override {
        size_t done = 0;
        while (handle_ != INVALID_HANDLE_VALUE && done < bytes.size()) {
            DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
            DWORD written = 0;
            if (!WriteFile(handle_, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
            done += written;
        }
        return handle_ != INVALID_HANDLE_VALUE;
    }

    bool Close() override {
        if (handle_ == INVALID_HANDLE_VALUE) return false;
        bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

    bool Truncate() override {
        if (handle_ == INVALID_HANDLE_VALUE) return false;
        LARGE_INTEGER start{};
        return SetFilePointerEx(handle_, start, nullptr, FILE_BEGIN) && SetEndOfFile(handle_);
    }

private:
    HANDLE handle_;
};

bool Win32FileSystem::FailFromSystem() {
    lastError_ = GetLastError();
    return false;
}

bool Win32FileSystem::Fail(uint32_t error) {
    lastError_ = error;
    return false;
}

bool Win32FileSystem::Acceptable(const std::string& path, std::wstring& wide, bool pattern) {
    if (path.size() > kMaxPathBytes) return Fail(ERROR_FILENAME_EXCED_RANGE);
    if (path.find('\0') != std::string::npos) return Fail(ERROR_INVALID_NAME);
    // Neither byte is ever the trail byte of a double-byte character.
    if (!pattern && path.find_first_of("*?") != std::string::npos) return Fail(ERROR_INVALID_NAME);
    if (!WideFromCp932(path, wide)) return Fail(kErrorNotExact);
    return true;
}

bool Win32FileSystem::FromSystem(const std::wstring& wide, std::string& path) {
    std::string text;
    if (!Cp932FromWide(wide, text)) return Fail(kErrorNotExact);
    if (text.size() > kMaxPathBytes) return Fail(ERROR_FILENAME_EXCED_RANGE);
    path.swap(text);
    return true;
}

bool Win32FileSystem::OpenItself(const std::wstring& path, uint32_t access, uint32_t share, uint32_t flags,
                                  void*& handle) {
    handle = CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING, flags | FILE_FLAG_OPEN_REPARSE_POINT,
                         nullptr);
    if (handle == INVALID_HANDLE_VALUE) return FailFromSystem();
    // Windows keeps to the flag: the handle is the item itself, link or not.
    if (!OpensLinksThrough()) return true;
    std::wstring full;
    auto query = [&path](DWORD size, wchar_t* buffer) { return GetFullPathNameW(path.c_str(), size, buffer, nullptr); };
    bool itself = QueryText(query, full) || FailFromSystem();
    // A drive root is no link and has no folder to be compared with.
    const size_t cut = full.find_last_of(L'\\');
    if (itself && cut != std::wstring::npos && cut + 1 < full.size()) {
        std::wstring folder = full.substr(0, cut);
        if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
        itself = IsItemInFolder(handle, folder, full.substr(cut + 1));
    }
    if (itself) return true;
    CloseHandle(handle);
    handle = INVALID_HANDLE_VALUE;
    return false;
}

bool Win32FileSystem::IsItemInFolder(void* handle, const std::wstring& folder, const std::wstring& name) {
    std::wstring folderFinal;
    DWORD kind = VOLUME_NAME_DOS;
    {
        std::lock_guard<std::mutex> lock(folderMutex_);
        if (folder_ == folder) {
            folderFinal = folderFinal_;
            kind = folderFinalKind_;
        }
    }
    if (folderFinal.empty()) {
        // The folder as its links lead: the target the user named may be one.
        HANDLE folderHandle = CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                          FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (folderHandle == INVALID_HANDLE_VALUE) return FailFromSystem();
        // A volume without a drive letter has only the system's own name.
        bool known = FinalPath(folderHandle, kind, folderFinal);
        if (!known) known = FinalPath(folderHandle, kind = VOLUME_NAME_NT, folderFinal);
        const uint32_t error = known ? 0 : GetLastError();
        CloseHandle(folderHandle);
        if (!known) return Fail(error);
        std::lock_guard<std::mutex> lock(folderMutex_);
        folder_ = folder;
        folderFinal_ = folderFinal;
        folderFinalKind_ = kind;
    }
    std::wstring itemFinal;
    if (!FinalPath(handle, kind, itemFinal)) return FailFromSystem();
    std::wstring expected = folderFinal;
    if (expected.back() != L'\\') expected += L'\\';
    expected += name;
    return SameName(expected, itemFinal) ? true : Fail(kErrorThroughLink);
}

bool Win32FileSystem::SetCurrentDirectory(const std::string& path) {
    {
        std::lock_guard<std::mutex> lock(folderMutex_);
        folder_.clear();
    }
    std::wstring wide;
    if (!Acceptable(path, wide)) return false;
    return SetCurrentDirectoryW(wide.c_str()) ? true : FailFromSystem();
}

bool Win32FileSystem::GetCurrentDirectory(std::string& path) {
    std::wstring text;
    bool ok = QueryText([](DWORD size, wchar_t* buffer) { return GetCurrentDirectoryW(size, buffer); }, text);
    if (!ok) return FailFromSystem();
    return FromSystem(text, path);
}

std::unique_ptr<DirectoryListing> Win32FileSystem::List(const std::string& pattern) {
    std::wstring wide;
    if (!Acceptable(pattern, wide, true)) return nullptr;
    WIN32_FIND_DATAW data;
    HANDLE handle = FindFirstFileW(wide.c_str(), &data);
    if (handle != INVALID_HANDLE_VALUE) return std::make_unique<Listing>(handle, data);
    // Nothing matched: a folder without even "." and "..", a drive root.
    if (GetLastError() == ERROR_FILE_NOT_FOUND) return std::make_unique<Listing>();
    FailFromSystem();
    return nullptr;
}

bool Win32FileSystem::FindOne(const std::string& path, FindEntry& entry) {
    std::wstring wide;
    if (!Acceptable(path, wide)) return false;
    WIN32_FIND_DATAW data;
    HANDLE handle = FindFirstFileW(wide.c_str(), &data);
    if (handle == INVALID_HANDLE_VALUE) return FailFromSystem();
    FindClose(handle);
    FillEntry(data, entry);
    return true;
}

bool Win32FileSystem::GetFullPath(const std::string& path, std::string& fullPath) {
    std::wstring wide;
    if (!Acceptable(path, wide)) return false;
    std::wstring text;
    auto query = [&wide](DWORD size, wchar_t* buffer) {
        return GetFullPathNameW(wide.c_str(), size, buffer, nullptr);
    };
    if (!QueryText(query, text)) return FailFromSystem();
    return FromSystem(text, fullPath);
}

bool Win32FileSystem::GetAttributes(const std::string& path, uint32_t& attributes) {
    std::wstring wide;
    if (!Acceptable(path, wide)) return false;
    DWORD value = GetFileAttributesW(wide.c_str());
    if (value == INVALID_FILE_ATTRIBUTES) return FailFromSystem();
    attributes = value;
    return true;
}

bool Win32FileSystem::SetAttributes(const std::string& path, uint32_t attributes, Reach reach) {
    std::wstring wide;
    if (!Acceptable(path, wide)) return false;
    if (reach == Reach::AsNamed) return SetFileAttributesW(wide.c_str(), attributes) ? true : FailFromSystem();
    void* handle = nullptr;
    if (!OpenForUpdate(wide, ItemOpening{reach, false}, handle)) return false;
    FILE_BASIC_INFO info = {};
    info.FileAttributes = BasicInfoWord(attributes);
    const bool set = SetFileInformationByHandle(handle, FileBasicInfo, &info, sizeof info) != 0;
    const uint32_t setError = set ? 0 : GetLastError();
    CloseHandle(handle);
    return set ? true : Fail(setError);
}

bool Win32FileSystem::OpenForUpdate(const std::wstring& path, const ItemOpening& opening, void*& handle) {
    // A handle with the rights to the attributes alone passes every other
    // handle's sharing. For new times the item is read as well, so that a
    // file another program holds open for writing, or without sharing,
    // refuses the open as it would refuse the open for writing.
    const DWORD share = opening.forTimes ? FILE_SHARE_READ : kShareAll;
    const DWORD data = opening.forTimes ? FILE_READ_DATA : 0;
    const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS;
    auto open = [&](DWORD access) {
        if (opening.reach == Reach::Itself) return OpenItself(path, access, share, flags, handle);
        handle = CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING, flags, nullptr);
        return handle != INVALID_HANDLE_VALUE || FailFromSystem();
    };
    return open(data | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES) ||
           (LastError() == ERROR_ACCESS_DENIED && open(data | FILE_READ_ATTRIBUTES));
}

bool Win32FileSystem::UpdateItem(const std::string& path, const ItemOpening& opening, const UpdateDecision& decide,
                                 ItemState* after) {
    std::wstring wide;
    if (!Acceptable(path, wide)) return false;
    void* handle = nullptr;
    if (!OpenForUpdate(wide, opening, handle)) return false;
    ItemState now;
    if (!ReadBasicInfo(handle, now)) {
        FailFromSystem();
        CloseHandle(handle);
        return false;
    }
    ItemChange change;
    bool set = true;
    uint32_t setError = 0;
    if (decide(now, change) && !change.Empty()) {
        // Every field left 0 stays as the item has it.
        FILE_BASIC_INFO out = {};
        if (change.creation) out.CreationTime.QuadPart = static_cast<LONGLONG>(*change.creation);
        if (change.access) out.LastAccessTime.QuadPart = static_cast<LONGLONG>(*change.access);
        if (change.modification) out.LastWriteTime.QuadPart = static_cast<LONGLONG>(*change.modification);
        if (change.attributes) out.FileAttributes = BasicInfoWord(*change.attributes);
        set = SetFileInformationByHandle(handle, FileBasicInfo, &out, sizeof out) != 0;
        if (!set) setError = GetLastError();
        // What the file system kept of the write; where it can't be read,
        // what was written stands in.
        if (set && after != nullptr && !ReadBasicInfo(handle, *after)) {
            *after = now;
            if (change.attributes) after->attributes = *change.attributes;
            if (change.creation) after->creation = *change.creation;
            if (change.access) after->access = *change.access;
            if (change.modification) after->modification = *change.modification;
        }
    }
    CloseHandle(handle);
    return set ? true : Fail(setError);
}

bool Win32FileSystem::SetTimes(const std::string& path, const FileTime* creation, const FileTime* access,
                               const FileTime* modification, Reach reach) {
    std::wstring wide;
    if (!Acceptable(path, wide)) return false;
    void* handle = INVALID_HANDLE_VALUE;
    if (reach == Reach::AsNamed) {
        handle = CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return FailFromSystem();
    } else if (!OpenItself(wide, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, FILE_ATTRIBUTE_NORMAL, handle)) {
        return false;
    }
    FILETIME times[3];
    if (creation != nullptr) times[0] = ToFileTime(*creation);
    if (access != nullptr) times[1] = ToFileTime(*access);
    if (modification != nullptr) times[2] = ToFileTime(*modification);
    bool set = SetFileTime(handle, creation ? &times[0] : nullptr, access ? &times[1] : nullptr,
                           modification ? &times[2] : nullptr) != 0;
    // The first failure is the one worth reporting; the handle is closed either way.
    uint32_t setError = set ? 0 : GetLastError();
    bool closed = CloseHandle(handle) != 0;
    if (!set) return Fail(setError);
    return closed ? true : FailFromSystem();
}

bool Win32FileSystem::Move(const std::string& from, const std::string& to) {
    std::wstring wideFrom, wideTo;
    if (!Acceptable(from, wideFrom) || !Acceptable(to, wideTo)) return false;
    return MoveFileW(wideFrom.c_str(), wideTo.c_str()) ? true : FailFromSystem();
}

bool Win32FileSystem::Replace(const std::string& from, const std::string& to) {
    std::wstring wideFrom, wideTo;
    if (!Acceptable(from, wideFrom) || !Acceptable(to, wideTo)) return false;
    // The attributes SetFileAttributes can give back.
    constexpr DWORD kSettable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE |
                                FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD kept = GetFileAttributesW(wideTo.c_str());
    if (!ReplaceFileW(wideTo.c_str(), wideFrom.c_str(), nullptr, 0, nullptr, nullptr)) return FailFromSystem();
    // Windows carries them over itself; Wine's ReplaceFileW leaves the
    // replacement's. The file is in place either way.
    const DWORD now = GetFileAttributesW(wideTo.c_str());
    if (kept != INVALID_FILE_ATTRIBUTES && now != INVALID_FILE_ATTRIBUTES && (now & kSettable) != (kept & kSettable)) {
        SetFileAttributesW(wideTo.c_str(), kept & kSettable);
    }
    return true;
}

bool Win32FileSystem::Delete(const std::string& path) {
    std::wstring wide;
    if (!Acceptable(path, wide)) return false;
    return DeleteFileW(wide.c_str()) ? true : FailFromSystem();
}

bool Win32FileSystem::ReadWholeFile(const std::string& path, std::string& bytes) {
    std::wstring wide;
    if (!Acceptable(path, wide)) return false;
    HANDLE handle =
        CreateFileW(wide.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return FailFromSystem();
    // Read to the end rather than trusting the size, which may change meanwhile.
    std::string content;
    char chunk[4096];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(handle, chunk, sizeof chunk, &got, nullptr) != 0) && got > 0) content.append(chunk, got);
    uint32_t readError = ok ? 0 : GetLastError();
    CloseHandle(handle);
    if (!ok) return Fail(readError);
    bytes.swap(content);
    return true;
}

std::unique_ptr<WritableFile> Win32FileSystem::OpenForWriting(const std::string& path, bool truncate) {
    std::wstring wide;
    if (!Acceptable(path, wide)) return nullptr;
    HANDLE handle = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, truncate ? CREATE_ALWAYS : OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        FailFromSystem();
        return nullptr;
    }
    // A file kept as it is gets new bytes after its old ones.
    if (!truncate && SetFilePointer(handle, 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER &&
        GetLastError() != NO_ERROR) {
        FailFromSystem();
        CloseHandle(handle);
        return nullptr;
    }
    return std::make_unique<Writer>(handle);
}

std::string Win32FileSystem::ModulePath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            FailFromSystem();
            return std::string();
        }
        // GetModuleFileNameW cuts the name to fit and says so only by filling the buffer.
        if (length < buffer.size()) {
            std::string path;
            if (!Cp932FromWide(buffer.data(), length, path)) Fail(kErrorNotExact);
            return path;
        }
        if (buffer.size() >= 32768) {
            Fail(ERROR_INSUFFICIENT_BUFFER);
            return std::string();
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace kelvo
