// Temporary folders for the Win32 tests, made and removed with the system's
// own calls so the code under test is not used to clean up after itself.
#include "tests/win32/TempFolder.h"

#include <atomic>

namespace kelvo {

namespace {
std::atomic<int> folderCount{0};
}

TempFolder::TempFolder() {
    char temp[MAX_PATH + 1] = {};
    DWORD length = GetTempPathA(sizeof temp, temp);
    std::string base = length > 0 && length < sizeof temp ? std::string(temp, length) : std::string("C:\\");
    if (base.back() == '\\') base.pop_back();
    for (;;) {
        path_ = base + "\\kelvo-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++folderCount);
        if (CreateDirectoryA(path_.c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
}

TempFolder::~TempFolder() {
    // The test may have left the process inside the folder.
    char temp[MAX_PATH + 1] = {};
    if (GetTempPathA(sizeof temp, temp) > 0) SetCurrentDirectoryA(temp);
    RemoveTree(path_);
}

bool TempFolder::MakeFolder(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0; }

bool TempFolder::MakeFile(const std::string& path, const std::string& content) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = content.empty() ||
              (WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
               written == content.size());
    return CloseHandle(file) && ok;
}

void TempFolder::RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(path.c_str());
}

}  // namespace kelvo
