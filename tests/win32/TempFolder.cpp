// Temporary folders for the Win32 tests, made and removed with the system's
// own wide calls, so the code under test is not used to clean up after
// itself and names without a code page 932 form go too.
#include "tests/win32/TempFolder.h"

#include <atomic>

#include "platform/win32/Cp932Wide.h"

namespace kelvo {

namespace {
std::atomic<int> folderCount{0};

std::wstring TempBase() {
    wchar_t temp[MAX_PATH + 1] = {};
    DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    std::wstring base = length > 0 && length <= MAX_PATH ? std::wstring(temp, length) : std::wstring(L"C:\\");
    if (base.back() == L'\\') base.pop_back();
    return base;
}

}  // namespace

std::wstring TempFolder::Wide(const std::string& path) { return ShownWideFromCp932(path); }

TempFolder::TempFolder() {
    std::wstring base = TempBase();
    for (;;) {
        std::wstring path = base + L"\\kelvo-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                            std::to_wstring(++folderCount);
        widePath_ = path;
        path_ = ShownCp932FromWide(path.data(), path.size());
        if (CreateDirectoryW(path.c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
}

TempFolder::~TempFolder() {
    // The test may have left the process inside the folder.
    SetCurrentDirectoryW(TempBase().c_str());
    RemoveTree(widePath_);
}

bool TempFolder::MakeFolder(const std::string& path) { return MakeFolder(Wide(path)); }

bool TempFolder::MakeFolder(const std::wstring& path) { return CreateDirectoryW(path.c_str(), nullptr) != 0; }

bool TempFolder::MakeFile(const std::string& path, const std::string& content) { return MakeFile(Wide(path), content); }

bool TempFolder::MakeFile(const std::wstring& path, const std::string& content) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = content.empty() ||
              (WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
               written == content.size());
    return CloseHandle(file) && ok;
}

DWORD TempFolder::Attributes(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

void TempFolder::RemoveTree(const std::string& path) { RemoveTree(Wide(path)); }

void TempFolder::RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring child = path + L"\\" + name;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(path.c_str());
}

}  // namespace kelvo
