#include "app/RecordMenu.h"

#include "platform/WindowMessages.h"

namespace kelvo {

const char* const kRecordUnreadableText = "変更記録を読めません。";
const char* const kRecordUnreadableCaption = "エラー";

std::vector<SystemMenuItem> RecordMenuItems() {
    return {
        {0, ""},
        {kUndoCommand, "直前の一括変更を元に戻す(&U)"},
        {kPreviewCommand, "変更内容を確認(&V)..."},
        {kTimeAdjustCommand, "日時を調整(&T)..."},
        {kOpenRecordsCommand, "変更記録を開く(&L)..."},
    };
}

}  // namespace kelvo
