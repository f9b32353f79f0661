// Names that the system's path parsing reads as something else than the
// item listed under them. Such names exist on NTFS and on network shares
// (made by Linux, WSL, Samba or tools that bypass the parsing), but any
// path the program builds from them reaches another item: the system drops
// a trailing dot or space ("a." names "a"), and a device name (CON, PRN,
// AUX, NUL, CONIN$, CONOUT$, COM0-COM9, LPT0-LPT9, in any case, with any
// extension and with spaces before it) names the device in every folder.
// The forms of COM and LPT with the superscript digits one to three have no
// code page 932 form, so no listed name ever holds them.
#pragma once
#include <string>

namespace kelvo {

// The last character is a dot or a space (neither is ever a trail byte).
bool EndsInDotOrSpace(const std::string& name);

// A DOS device name, whatever follows its first dot.
bool IsDeviceName(const std::string& name);

// Either of the above: no path built from the name reaches the item listed.
bool NameReadsAsAnother(const std::string& name);

}  // namespace kelvo
