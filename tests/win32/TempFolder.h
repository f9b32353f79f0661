// A fresh folder under the system's temporary folder for one test, removed
// with everything in it (read-only items included) when the test ends.
#pragma once
#include <windows.h>
// windows.h maps these names to their ...A forms, which would rename the
// FileSystem operations of the same names.
#undef SetCurrentDirectory
#undef GetCurrentDirectory

#include <string>

namespace kelvo {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Full path without a trailing backslash, in code page 932 and as the system has it.
    const std::string& Path() const { return path_; }
    const std::wstring& WidePath() const { return widePath_; }
    // Path() + "\\" + relative.
    std::string operator/(const std::string& relative) const { return path_ + "\\" + relative; }
    std::wstring operator/(const std::wstring& relative) const { return widePath_ + L"\\" + relative; }

    // Helpers that build a tree with the system's own wide calls; the
    // std::wstring forms take names that code page 932 has no form for.
    static bool MakeFolder(const std::string& path);
    static bool MakeFolder(const std::wstring& path);
    static bool MakeFile(const std::string& path, const std::string& content = std::string());
    static bool MakeFile(const std::wstring& path, const std::string& content = std::string());
    static DWORD Attributes(const std::wstring& path);
    static void RemoveTree(const std::string& path);
    static void RemoveTree(const std::wstring& path);
    // A code page 932 path in the system's form.
    static std::wstring Wide(const std::string& path);

private:
    std::string path_;
    std::wstring widePath_;
};

}  // namespace kelvo
