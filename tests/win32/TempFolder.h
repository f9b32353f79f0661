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

    // Full path without a trailing backslash.
    const std::string& Path() const { return path_; }
    // Path() + "\\" + relative.
    std::string operator/(const std::string& relative) const { return path_ + "\\" + relative; }

    // Helpers that build a tree with the system's own calls.
    static bool MakeFolder(const std::string& path);
    static bool MakeFile(const std::string& path, const std::string& content = std::string());
    static void RemoveTree(const std::string& path);

private:
    std::string path_;
};

}  // namespace kelvo
