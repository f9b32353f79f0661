// The help document's path beside the executable.
#include "app/HelpDocument.h"

#include "platform/Cp932Text.h"

namespace kelvo {

std::string HelpDocumentPath(const std::string& modulePath) {
    size_t slash = FindLastChar(modulePath, '\\');
    std::string folder = slash == std::string::npos ? std::string() : modulePath.substr(0, slash + 1);
    return folder + kHelpDocumentName;
}

}  // namespace kelvo
