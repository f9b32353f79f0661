// The trees the benchmark works on: how each is shaped, generating it on
// disk, and a bare walk over it with FindFirstFileW/FindNextFileW that
// hands every file's folder and name to a callback.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace kelvo::bench {

struct TreeShape {
    char key;           // 'a' .. 'e', as chosen on the command line
    const char* label;  // for the table
    int folders;        // folders below the target
    int filesEach;      // files in each of them
    bool chain;         // true: each folder inside the one before; false: all side by side
    int groups;         // side by side: folders spread over this many parent folders (0: directly below the target)
};

const std::vector<TreeShape>& TreeShapes();

// Builds the tree below `root` (created if missing). Folders past MAX_PATH
// are made through the wide \\?\ form, as a user's tools could make them.
void MakeTree(const TreeShape& shape, const std::string& root);

// Every file below `root` whose path fits in MAX_PATH, in listing order per
// folder; a folder's files are listed before its subfolders are entered.
// Returns the number of files visited.
using FileVisitor = std::function<void(const std::wstring& folder, const std::wstring& name)>;
long WalkFiles(const std::string& root, const FileVisitor& visit);

}  // namespace kelvo::bench
