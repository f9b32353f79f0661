// Files and folders for end-to-end runs, made in the scratch folder with
// the wide functions, and the screenshot saved beside them. Paths are code
// page 932 like the program's; the std::wstring forms take names that code
// page 932 has no form for.
#pragma once
#include <windows.h>

#include <string>

namespace kelvo::e2e {

// A new, empty folder below the scratch folder.
std::string MakeFolder(const std::string& name);
void MakeFile(const std::string& path);
void MakeFile(const std::wstring& path);
// `folders` subfolders of `filesEach` files each.
void MakeTree(const std::string& root, int folders, int filesEach);
DWORD Attributes(const std::string& path);
DWORD Attributes(const std::wstring& path);
// A picture of the whole screen (the X root window) as `fileName` beside
// the scratch folder, made by ImageMagick's import run from Wine.
bool SaveScreenshot(const std::string& fileName);
// The same, of `area` of the screen only.
bool SaveScreenshotOf(const std::string& fileName, const RECT& area);

}  // namespace kelvo::e2e
