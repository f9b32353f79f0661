// The file system's promises kept by the in-memory file system.
#include "platform/memory/MemoryFileSystem.h"
#include "tests/shared/FileSystemPromises.h"

namespace kelvo {
namespace {

struct MemoryWorld {
    MemoryWorld() { files.AddFolder(Root()); }
    FileSystem& Files() { return files; }
    std::string Root() const { return "C:\\S"; }
    void MakeFile(const std::string& path, const std::string& content) {
        files.AddFile(path, kAttrArchive, 0, content);
    }
    void MakeFolder(const std::string& path) { files.AddFolder(path); }
    MemoryFileSystem files;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, FileSystemPromises, MemoryWorld);

}  // namespace
}  // namespace kelvo
