#include "tests/e2e/E2eFiles.h"

#include <cstdio>

#include "tests/e2e/KelvoProcess.h"

namespace kelvo::e2e {

std::string MakeFolder(const std::string& name) {
    const std::string path = ScratchFolder() + "\\" + name;
    CreateDirectoryW(Wide(path).c_str(), nullptr);
    return path;
}

void MakeFile(const std::string& path) { MakeFile(Wide(path)); }

void MakeFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, "kelvo", 5, &written, nullptr);
    CloseHandle(file);
}

void MakeTree(const std::string& root, int folders, int filesEach) {
    for (int f = 0; f < folders; ++f) {
        const std::string folder = root + "\\d" + std::to_string(f);
        CreateDirectoryW(Wide(folder).c_str(), nullptr);
        for (int i = 0; i < filesEach; ++i) MakeFile(folder + "\\f" + std::to_string(i) + ".txt");
    }
}

DWORD Attributes(const std::string& path) { return Attributes(Wide(path)); }

DWORD Attributes(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

namespace {

// ImageMagick's import of the X root window with `options` before the file name.
bool ImportScreen(const std::string& fileName, const std::string& options) {
    // The scratch folder is Z:\unix\path; import wants the Unix form.
    std::string folder = ScratchFolder();
    if (folder.size() < 2 || folder[1] != ':') return false;
    std::string unixPath = folder.substr(2) + "\\..\\" + fileName;
    for (char& c : unixPath) {
        if (c == '\\') c = '/';
    }
    const std::string picture = folder + "\\..\\" + fileName;
    DeleteFileW(Wide(picture).c_str());  // a picture of an earlier run must not count
    std::wstring commandLine = Wide("/usr/bin/import -window root " + options + unixPath);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::fprintf(stderr, "screenshot: could not start import (error %lu)\n", GetLastError());
        return false;
    }
    // Wine may report a Unix program's handle as ended before the program
    // is, so the picture itself is waited for; import can be slow on a busy
    // machine.
    WaitForSingleObject(process.hProcess, 90000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    for (int waited = 0; waited < 900; ++waited) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (GetFileAttributesExW(Wide(picture).c_str(), GetFileExInfoStandard, &data) && data.nFileSizeLow > 0) {
            return true;
        }
        Sleep(100);
    }
    std::fprintf(stderr, "screenshot: import wrote no picture\n");
    return false;
}

}  // namespace

bool SaveScreenshot(const std::string& fileName) { return ImportScreen(fileName, ""); }

bool SaveScreenshotOf(const std::string& fileName, const RECT& area) {
    // +repage drops the crop's offset, so viewers show the picture alone.
    const std::string crop = std::to_string(area.right - area.left) + "x" + std::to_string(area.bottom - area.top) +
                             "+" + std::to_string(area.left) + "+" + std::to_string(area.top);
    return ImportScreen(fileName, "-crop " + crop + " +repage ");
}

}  // namespace kelvo::e2e
