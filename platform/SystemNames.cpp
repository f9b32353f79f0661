#include "platform/SystemNames.h"

#include <cctype>

namespace kelvo {

namespace {

const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};

std::string UpperAscii(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

bool EndsInDotOrSpace(const std::string& name) {
    return !name.empty() && (name.back() == '.' || name.back() == ' ');
}

bool IsDeviceName(const std::string& name) {
    // The base name ends at the first dot, and spaces before it don't count.
    // A dot or a space is never the trail byte of a double-byte character,
    // and a device name is all single-byte letters and digits.
    std::string base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    base = UpperAscii(base);
    for (const char* device : kDevices) {
        if (base == device) return true;
    }
    return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
           base[3] >= '0' && base[3] <= '9';
}

bool NameReadsAsAnother(const std::string& name) {
    return EndsInDotOrSpace(name) || IsDeviceName(name);
}

}  // namespace kelvo
