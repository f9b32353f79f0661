// The system menu's items for the change records and the text of the
// message box for a record that can't be read (the undo's question and its
// other texts are in run/UndoableRecord.h, the worker asks them too).
#pragma once
#include <string>
#include <vector>

#include "platform/Shell.h"
#include "run/UndoableRecord.h"

namespace kelvo {

extern const char* const kRecordUnreadableText;
extern const char* const kRecordUnreadableCaption;

// A separator, "take the last run back", "see what a run would change",
// "adjust the times" and "open the records", in that order.
std::vector<SystemMenuItem> RecordMenuItems();

}  // namespace kelvo
