// The console's lines and the exit code of a run.
#include "console/ConsoleSink.h"

#include "run/RunTexts.h"
#include "run/UndoableRecord.h"

namespace kelvo {

namespace {

const char* const kNoRecordMade = "変更記録を作成できないため、何も変更しませんでした。";
const char* const kRecordLabel = "変更記録: ";

}  // namespace

std::string WithCrLf(const std::string& text) {
    std::string result;
    result.reserve(text.size() + 8);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) result += '\r';
        result += text[i];
    }
    return result;
}

void ConsoleSink::Say(const std::string& text) { err_.Write(WithCrLf(text) + "\r\n"); }

void ConsoleSink::ItemLine(const std::string& line, uint32_t code) {
    if (line.rfind("left\t", 0) == 0) ++left_;
    if (quiet_) return;
    std::string text = line;
    if (code != 0 && message_) text += "\t" + message_(code);
    out_.Write(text + "\r\n");
}

void ConsoleSink::TargetRefused() { Say(kTargetRefusedText); }

bool ConsoleSink::GoOnWithoutRecord() {
    Say(kNoRecordMade);
    return false;
}

void ConsoleSink::RecordWriteFailed() {
    recordFailed_ = true;
    Say(kRecordWriteFailedText);
}

void ConsoleSink::RecordUnavailable(bool inUse) { Say(inUse ? kRecordInUseText : kRecordMissingText); }

void ConsoleSink::UndoneUnmarked() { Say(kUndoneUnmarkedText); }

void ConsoleSink::Summary(const std::string& recordPath) {
    if (!final_.empty()) Say(final_);
    if (!recordPath.empty()) Say(kRecordLabel + recordPath);
}

int ConsoleSink::ExitCodeOf(RunEnd end) const {
    switch (end) {
    case RunEnd::Refused: return kExitRefused;
    case RunEnd::Cancelled: return recordFailed_ ? kExitRecordFailed : kExitCancelled;
    case RunEnd::Finished: break;
    }
    return left_ > 0 ? kExitItemsLeft : kExitDone;
}

}  // namespace kelvo
