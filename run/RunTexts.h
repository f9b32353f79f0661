// The texts a run shows in the status area and its one message box.
#pragma once
#include <string>

namespace kelvo {

extern const char* const kTargetRefusedText;
extern const char* const kTargetRefusedCaption;
extern const char* const kClimbedText;

std::string EnteredFolderText(const std::string& name);
// The closing texts. The suffix tells that nothing was changed; a further
// line counts the items that could not be changed, when there are any.
std::string FolderFinishedText(const std::string& targetPath, bool anyChange, int failures);
std::string FolderCancelledText(const std::string& targetPath, bool anyChange, int failures);
std::string FileFinishedText(const std::string& targetPath, bool anyChange, int failures);

}  // namespace kelvo
