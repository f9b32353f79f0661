// The status text that one item operation leaves behind: the folder and the
// item named in double quotes, then the body (report lines or a new name),
// then the closing words. Shared by the attribute, time and rename changes.
#pragma once
#include <string>

namespace kelvo {

// The body's own last line break is what puts the closing words on a line of
// their own; a body without one (a new name) ends on the same line.
std::string BuildItemReport(const std::string& dirText, const std::string& nameText, const std::string& body);

}  // namespace kelvo
