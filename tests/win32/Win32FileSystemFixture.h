// A Win32FileSystem and a temporary folder for one test; the process's
// current directory is put back afterwards.
#pragma once
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/Clock.h"
#include "platform/win32/Win32FileSystem.h"
#include "tests/win32/TempFolder.h"

namespace kelvo {

class Win32FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t current[MAX_PATH + 1] = {};
        GetCurrentDirectoryW(MAX_PATH + 1, current);
        savedDirectory_ = current;
    }
    void TearDown() override { SetCurrentDirectoryW(savedDirectory_.c_str()); }

    std::map<std::string, FindEntry> ListAll(const std::string& pattern) {
        std::map<std::string, FindEntry> entries;
        auto listing = files.List(pattern);
        if (listing == nullptr) return entries;
        FindEntry entry;
        while (listing->Next(entry).IsEntry()) entries[entry.name] = entry;
        return entries;
    }

    // A path of exactly `bytes` bytes inside the temporary folder.
    std::string PathOfLength(size_t bytes) {
        std::string prefix = temp.Path() + "\\";
        return prefix + std::string(bytes - prefix.size(), 'x');
    }

    Win32FileSystem files;
    TempFolder temp;
    std::wstring savedDirectory_;
};

}  // namespace kelvo
