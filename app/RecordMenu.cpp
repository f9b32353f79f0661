#include "app/RecordMenu.h"

#include <cstdio>

#include "platform/WindowMessages.h"

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
    const int64_t seconds = static_cast<int64_t>(record.start / kTicksPerSecond) -
                            static_cast<int64_t>(kUnixEpochTicks / kTicksPerSecond);
    CalendarFields local;
    if (!clock.UtcToLocal(seconds, local)) local = CalendarFields{1970, 1, 1, 0, 0, 0};
    char start[32];
    std::snprintf(start, sizeof start, "%04d/%02d/%02d %02d:%02d:%02d", local.year, local.month, local.day,
                  local.hour, local.minute, local.second);
    return "\"" + record.targetTyped + "\" への一括変更 (" + start + "、" + std::to_string(record.changedCount) +
           "項目) を元に戻しますか?";
}

}  // namespace kelvo
