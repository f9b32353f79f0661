// The system menu's items for the change records and the texts of the
// undo's message boxes.
#pragma once
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Shell.h"
#include "run/UndoableRecord.h"

namespace kelvo {

extern const char* const kUndoQuestionCaption;
extern const char* const kRecordUnreadableText;
extern const char* const kRecordUnreadableCaption;

// A separator, "take the last run back", "see what a run would change" and
// "open the records", in that order.
std::vector<SystemMenuItem> RecordMenuItems();

// The question asked before the undo of `record`: its target as typed, its
// start in local time and the number of items it changed.
std::string UndoQuestion(const UndoableRecord& record, Clock& clock);

}  // namespace kelvo
