// The undo as a run.
#include "run/UndoJob.h"

#include <memory>

#include "run/RunRecord.h"
#include "run/RunTexts.h"
#include "run/UndoItem.h"
#include "run/WindowStatus.h"

namespace kelvo {

namespace {

// Where the undo flushes its record besides its end.
constexpr long kFlushEvery = 256;

// Why a line of the record is left: it doesn't read as any line the format knows.
const char* const kUnreadableLineReason = "変更記録のこの行を読めません";

bool Cancelled(const UndoEnvironment& environment) {
    return environment.cancelRequested.load(std::memory_order_relaxed);
}

void WriteHeader(RunRecord& record, const UndoableRecord& run) {
    record.Write(FormatLine(RecordKind::Undo));
    record.Write(TargetLine(run.targetTyped, run.targetResolved));
    record.Write(ModeLine(run.fileMode));
    record.Write(StartLine(record.Start()));
    record.Write(UndoesLine(run.name));
}

void RecordOutcome(RunRecord& record, const ChangedItem& item, const UndoResult& result) {
    switch (result.outcome) {
    case UndoResult::Outcome::Restored:
        // A restored item is written down even where only its name came back.
        record.Item(item.isFolder, item.pathAfter, item.pathBefore, true, result.trace);
        break;
    case UndoResult::Outcome::Left:
        if (result.code != 0) {
            record.Left(item.pathAfter, result.code);
        } else {
            record.LeftBecause(item.pathAfter, result.reason);
        }
        break;
    case UndoResult::Outcome::AlreadyBefore: break;
    }
}

}  // namespace

RunEnd UndoJob(UndoEnvironment& environment, const UndoableRecord& run, bool /*askFirst*/) {
    WindowStatus status(environment.window);
    auto fullView = [&environment] { return environment.fullView.load(std::memory_order_relaxed) == 1; };
    std::unique_ptr<RunRecord> record = RunRecord::Begin(environment.records, environment.clock);
    if (record == nullptr &&
        environment.window.ShowMessageBox(kNoRecordText, kNoRecordCaption, kMbYesNo | kMbIconWarning) != kIdYes) {
        return RunEnd::Refused;
    }
    if (record != nullptr) WriteHeader(*record, run);
    if (fullView()) status.ShowProgress(kUndoingText);

    // The run's record from its end: its changed items in reverse order.
    const Reach reach = run.fileMode ? Reach::AsNamed : Reach::Itself;
    std::unique_ptr<RecordReader> reader = environment.records.Read(run.name, true);
    int left = 0;
    long seen = 0;
    bool cancelled = false;
    std::string line;
    bool exact = true;
    while (reader != nullptr && reader->Next(line, exact)) {
        RecordLine parsed;
        const bool sound = exact && ParseRecordLine(line, parsed);
        if (sound && parsed.kind != RecordLine::Kind::Changed) continue;
        // A system message with no code page 932 form makes a left line
        // inexact; its first field still names it.
        if (line.empty() || line == "left" || line.rfind("left\t", 0) == 0) continue;
        if (Cancelled(environment)) {
            cancelled = true;
            break;
        }
        if (!sound) {
            ++left;
            if (record != nullptr) record->LeftBecause("-", kUnreadableLineReason);
            continue;
        }
        const UndoResult result = UndoItem(environment.files, parsed.changed, reach);
        if (result.outcome == UndoResult::Outcome::Left) ++left;
        if (record != nullptr) {
            RecordOutcome(*record, parsed.changed, result);
            if (++seen % kFlushEvery == 0) record->Flush();
        }
    }
    if (record != nullptr) {
        record->End(!cancelled);
        if (!cancelled) environment.records.AppendLine(run.name, UndoneLine(record->Name()));
    } else if (!cancelled) {
        environment.records.AppendLine(run.name, UndoneLine("-"));
    }
    if (cancelled) {
        status.ShowFinal(UndoCancelledText(run.targetTyped, left));
        return RunEnd::Cancelled;
    }
    status.ShowFinal(UndoFinishedText(run.targetTyped, left));
    environment.window.Beep();
    return RunEnd::Finished;
}

}  // namespace kelvo
