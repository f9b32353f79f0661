// The texts a run shows in the status area and its one message box.
#pragma once
#include <string>

namespace kelvo {

extern const char* const kTargetRefusedText;
extern const char* const kTargetRefusedCaption;
extern const char* const kClimbedText;
// The question asked when a run's change record can't be made.
extern const char* const kNoRecordText;
extern const char* const kNoRecordCaption;

std::string EnteredFolderText(const std::string& name);
// The closing texts. The suffix tells that nothing was changed; a further
// line counts the items that could not be changed, when there are any.
std::string FolderFinishedText(const std::string& targetPath, bool anyChange, int failures);
std::string FolderCancelledText(const std::string& targetPath, bool anyChange, int failures);
// The closing text of a walk stopped because its record could no longer be
// written, and the message that follows it.
std::string FolderStoppedText(const std::string& targetPath, bool anyChange, int failures);
extern const char* const kRecordWriteFailedText;
extern const char* const kRecordWriteFailedCaption;
std::string FileFinishedText(const std::string& targetPath, bool anyChange, int failures);

// The closing texts of a preview: the items the run would change, then a
// line that counts those it couldn't, when there are any.
std::string PreviewFinishedText(const std::string& targetPath, long changes, int failures);
std::string PreviewCancelledText(const std::string& targetPath, int failures);

// The undo's texts: while it goes, and at its end, followed by a line that
// counts the items it could not take back, when there are any.
extern const char* const kUndoingText;
// Said where the run's record could not be marked as taken back.
extern const char* const kUndoneUnmarkedText;
std::string UndoFinishedText(const std::string& targetPath, int left);
std::string UndoCancelledText(const std::string& targetPath, int left);

}  // namespace kelvo
