// The settings file: ten lines in fixed positions (always on top, rename
// mode, the eight rename texts), loaded once and stored whole.
#pragma once
#include <array>
#include <functional>
#include <string>

#include "platform/FileSystem.h"

namespace kelvo {

using SettingsLines = std::array<std::string, 10>;

class SettingsFile {
public:
    // "0", "0" and eight empty texts.
    static SettingsLines Defaults();
    // Never fails: a missing, locked or invalid file gives the defaults.
    static SettingsLines Load(FileSystem& files, const std::string& path);
    // Makes the file writable and opens it; only when that succeeds calls
    // `refresh` (which may change the lines) and writes the ten lines. False
    // when the file could not be opened or written; nothing is reported.
    static bool Store(FileSystem& files, const std::string& path, SettingsLines& lines,
                      const std::function<void(SettingsLines&)>& refresh);
};

}  // namespace kelvo
