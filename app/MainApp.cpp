// The executable's folder, as the application object works it out.
#include "app/MainApp.h"

#include "platform/Cp932Text.h"

namespace kelvo {

std::string MainApp::FolderOf(const std::string& path) {
    const std::size_t slash = FindLastChar(path, '\\');
    if (slash == std::string::npos) return std::string();
    return path.substr(0, slash + 1);
}

}  // namespace kelvo
