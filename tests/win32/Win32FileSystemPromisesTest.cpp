// The file system's promises kept by the real file system, on a temporary
// folder of the disk.
#include "platform/win32/Win32FileSystem.h"
#include "tests/shared/FileSystemPromises.h"
#include "tests/win32/TempFolder.h"

namespace kelvo {
namespace {

struct Win32World {
    Win32World() {
        wchar_t current[MAX_PATH + 1] = {};
        GetCurrentDirectoryW(MAX_PATH + 1, current);
        savedDirectory = current;
    }
    ~Win32World() { SetCurrentDirectoryW(savedDirectory.c_str()); }
    FileSystem& Files() { return files; }
    std::string Root() const { return temp.Path(); }
    void MakeFile(const std::string& path, const std::string& content) {
        ASSERT_TRUE(TempFolder::MakeFile(path, content)) << path;
    }
    void MakeFolder(const std::string& path) { ASSERT_TRUE(TempFolder::MakeFolder(path)) << path; }

    std::wstring savedDirectory;
    TempFolder temp;
    Win32FileSystem files;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, FileSystemPromises, Win32World);

}  // namespace
}  // namespace kelvo
