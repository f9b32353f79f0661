#include "app/SettingsFile.h"

namespace kelvo {

// Loading and storing are being built; until then every start has the defaults.
SettingsLines SettingsFile::Defaults() {
    SettingsLines lines;
    lines[0] = "0";
    lines[1] = "0";
    return lines;
}

SettingsLines SettingsFile::Load(FileSystem&, const std::string&) { return Defaults(); }

bool SettingsFile::Store(FileSystem&, const std::string&, SettingsLines&, const std::function<void(SettingsLines&)>&) {
    return false;
}

}  // namespace kelvo
