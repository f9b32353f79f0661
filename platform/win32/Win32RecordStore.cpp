#include "platform/win32/Win32RecordStore.h"

#include <windows.h>
// After windows.h, which they need.
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>

#include "platform/SystemNames.h"
#include "platform/win32/RecordText.h"
#include "platform/win32/Win32RecordReader.h"
#include "platform/win32/Win32RecordWriter.h"

namespace kelvo {
namespace {

std::wstring LocalAppData() {
    wchar_t* known = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &known)) && known != nullptr) folder = known;
    CoTaskMemFree(known);
    if (!folder.empty()) return folder;
    const DWORD size = GetEnvironmentVariableW(L"LOCALAPPDATA", nullptr, 0);
    if (size == 0) return folder;
    folder.resize(size);
    const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", &folder[0], size);
    folder.resize(length < size ? length : 0);
    return folder;
}

std::wstring DefaultFolder() {
    std::wstring base = LocalAppData();
    if (base.empty()) return base;
    if (base.back() != L'\\') base += L'\\';
    return base + L"Kelvo\\records";
}

// Printable ASCII that makes one plain file name.
bool IsRecordName(const std::string& name) {
    if (name.empty() || name.find("..") != std::string::npos || NameReadsAsAnother(name)) return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return c >= 0x20 && c <= 0x7E && std::string("\\/:*?\"<>|").find(c) == std::string::npos;
    });
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The folder and every missing folder above it.
bool MakeFolders(const std::wstring& folder) {
    if (folder.empty()) return false;
    if (CreateDirectoryW(folder.c_str(), nullptr)) return true;
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS) return IsFolder(folder);
    if (error != ERROR_PATH_NOT_FOUND) return false;
    const size_t cut = folder.find_last_of(L"\\/");
    if (cut == std::wstring::npos || cut == 0) return false;
    return MakeFolders(folder.substr(0, cut)) &&
           (CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
}

bool EndsWithTxt(const std::string& name) {
    if (name.size() <= 4) return false;
    std::string extension = name.substr(name.size() - 4);
    for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return extension == ".txt";
}

// The name in ASCII; false when it has any other character.
bool AsciiName(const wchar_t* wide, std::string& name) {
    name.clear();
    for (; *wide != L'\0'; ++wide) {
        if (*wide >= 0x80) return false;
        name += static_cast<char>(*wide);
    }
    return true;
}

// Up to `size` bytes of the file from `offset`; fewer where it can't be read.
std::string BytesAt(HANDLE file, LONGLONG offset, DWORD size) {
    LARGE_INTEGER place;
    place.QuadPart = offset;
    std::string bytes(size, '\0');
    DWORD got = 0;
    if (!SetFilePointerEx(file, place, nullptr, FILE_BEGIN) || !ReadFile(file, &bytes[0], size, &got, nullptr)) got = 0;
    bytes.resize(got);
    return bytes;
}

// The system's own class of text files opens the record where ".txt" is
// tied to no program (Wine's prefixes tie none).
INT_PTR OpenAsTextFile(const std::wstring& path) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_CLASSNAME | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = path.c_str();
    info.lpClass = L"txtfile";
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&info)) return 0;
    return reinterpret_cast<INT_PTR>(info.hInstApp);
}

}  // namespace

Win32RecordStore::Win32RecordStore(std::wstring folder) : folder_(folder.empty() ? DefaultFolder() : folder) {}

bool Win32RecordStore::PathOf(const std::string& name, std::wstring& path) const {
    if (folder_.empty() || !IsRecordName(name)) return false;
    path = folder_ + L"\\" + std::wstring(name.begin(), name.end());
    return true;
}

std::unique_ptr<RecordWriter> Win32RecordStore::Create(const std::string& name) {
    std::wstring path;
    if (!PathOf(name, path) || !MakeFolders(folder_)) return nullptr;
    // Shared with no one: from its making on, no other open of the record
    // (a reader, another instance, a delete) gets through while it is written.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    size_t written = 0;
    if (!WriteAllBytes(file, kUtf8ByteOrderMark, written)) {
        CloseHandle(file);
        DeleteFileW(path.c_str());
        return nullptr;
    }
    return std::make_unique<Win32RecordWriter>(file);
}

std::vector<std::string> Win32RecordStore::Names() {
    std::vector<std::string> names;
    if (folder_.empty()) return names;
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((folder_ + L"\\*.txt").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name;
        // The pattern also finds longer extensions through their short names.
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && AsciiName(entry.cFileName, name) &&
            EndsWithTxt(name) && IsRecordName(name)) {
            names.push_back(name);
        }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

std::unique_ptr<RecordReader> Win32RecordStore::Read(const std::string& name, bool fromTheEnd,
                                                     RecordAccess* access) {
    std::wstring path;
    if (!PathOf(name, path)) {
        if (access != nullptr) *access = RecordAccess::Missing;
        return nullptr;
    }
    return Win32RecordReader::Open(path, fromTheEnd, access);
}

bool Win32RecordStore::AppendLine(const std::string& name, const std::string& line) {
    std::wstring path;
    if (!PathOf(name, path)) return false;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    LARGE_INTEGER end{};
    bool ok = GetFileSizeEx(file, &size) != 0;
    std::string bytes;
    // An empty file gets its mark first; the mark alone needs no line
    // break after it, as there is no line yet.
    const LONGLONG length = size.QuadPart;
    const bool onlyMark =
        length == kUtf8ByteOrderMarkBytes && BytesAt(file, 0, kUtf8ByteOrderMarkBytes) == kUtf8ByteOrderMark;
    if (length == 0) {
        bytes = kUtf8ByteOrderMark;
    } else if (!onlyMark && BytesAt(file, length - 1, 1) != "\n") {
        bytes = "\r\n";
    }
    bytes += Utf8FromCp932Line(line) + "\r\n";
    size_t written = 0;
    ok = ok && SetFilePointerEx(file, end, nullptr, FILE_END) && WriteAllBytes(file, bytes, written);
    return CloseHandle(file) && ok;
}

bool Win32RecordStore::Delete(const std::string& name) {
    std::wstring path;
    return PathOf(name, path) && DeleteFileW(path.c_str());
}

bool Win32RecordStore::Show(const std::string& name) {
    std::wstring path = folder_;
    if (name.empty()) {
        if (!MakeFolders(folder_)) return false;
    } else if (!PathOf(name, path) || GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    // The shell may hand the file to an extension of its own, which wants
    // COM on this thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    auto result =
        reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result == SE_ERR_NOASSOC && !name.empty()) result = OpenAsTextFile(path);
    if (SUCCEEDED(com)) CoUninitialize();
    return result > 32;
}

}  // namespace kelvo
