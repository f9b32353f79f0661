#include "app/RecordMenu.h"

#include <cstdio>

#include "platform/WindowMessages.h"
#include "run/RunRecord.h"

namespace kelvo {

const char* const kUndoQuestionCaption = "確認";
const char* const kRecordUnreadableText = "変更記録を読めません。";
const char* const kRecordUnreadableCaption = "エラー";

std::vector<SystemMenuItem> RecordMenuItems() {
    return {
        {0, ""},
        {kUndoCommand, "直前の一括変更を元に戻す(&U)"},
        {kPreviewCommand, "変更内容を確認(&V)..."},
        {kOpenRecordsCommand, "変更記録を開く(&L)..."},
    };
}

std::string UndoQuestion(const UndoableRecord& record, Clock& clock) {
    const CalendarFields local = LocalFields(clock, record.start);
    char start[32];
    std::snprintf(start, sizeof start, "%04d/%02d/%02d %02d:%02d:%02d", local.year, local.month, local.day,
                  local.hour, local.minute, local.second);
    return "\"" + record.targetTyped + "\" への一括変更 (" + start + "、" + std::to_string(record.changedCount) +
           "項目) を元に戻しますか?";
}

}  // namespace kelvo
