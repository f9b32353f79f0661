#include "bench/win32/BenchTree.h"

namespace kelvo::bench {
namespace {

std::wstring Wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length) - 1);
    return wide;
}

std::wstring Long(const std::string& path) { return L"\\\\?\\" + Wide(path); }

void MakeFolder(const std::string& path) { CreateDirectoryW(Long(path).c_str(), nullptr); }

void MakeFile(const std::string& path) {
    HANDLE file = CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, "kelvo", 5, &written, nullptr);
    CloseHandle(file);
}

void FillFolder(const std::string& folder, int files) {
    for (int i = 0; i < files; ++i) MakeFile(folder + "\\f" + std::to_string(i) + ".txt");
}

bool IsDots(const wchar_t* name) { return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0)); }

}  // namespace

const std::vector<TreeShape>& TreeShapes() {
    static const std::vector<TreeShape> shapes = {
        {'a', "a: 10,000 files in 100 folders", 100, 100, false, 0},
        {'b', "b: 100,000 files in 1,000 folders", 1000, 100, false, 10},
        {'c', "c: 2,000 subfolders of 5 files", 2000, 5, false, 0},
        {'d', "d: chain of 200 folders of 10 files", 200, 10, true, 0},
        {'e', "e: one folder of 100,000 files", 1, 100000, false, 0},
    };
    return shapes;
}

void MakeTree(const TreeShape& shape, const std::string& root) {
    MakeFolder(root);
    if (shape.chain) {
        std::string folder = root;
        for (int level = 0; level < shape.folders; ++level) {
            folder += "\\d";
            MakeFolder(folder);
            FillFolder(folder, shape.filesEach);
        }
        return;
    }
    for (int f = 0; f < shape.folders; ++f) {
        std::string parent = root;
        if (shape.groups > 0) {
            parent += "\\g" + std::to_string(f % shape.groups);
            MakeFolder(parent);
        }
        const std::string folder = parent + "\\d" + std::to_string(f);
        MakeFolder(folder);
        FillFolder(folder, shape.filesEach);
    }
}

long WalkFiles(const std::string& root, const FileVisitor& visit) {
    long visited = 0;
    std::vector<std::wstring> pending{Wide(root)};
    std::vector<std::wstring> files;
    while (!pending.empty()) {
        const std::wstring folder = pending.back();
        pending.pop_back();
        files.clear();
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) continue;
        do {
            if (IsDots(data.cFileName)) continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                pending.push_back(folder + L"\\" + data.cFileName);
            } else {
                files.push_back(data.cFileName);
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
        // Names are taken before any is touched, so a rename can't make
        // the listing show a file twice.
        for (const std::wstring& name : files) {
            if (folder.size() + 1 + name.size() > MAX_PATH - 1) continue;
            visit(folder, name);
            ++visited;
        }
    }
    return visited;
}

}  // namespace kelvo::bench
