// The undo as a run.
#include "run/UndoJob.h"

#include <map>
#include <memory>

#include "run/RunRecord.h"
#include "run/RunTexts.h"
#include "run/UndoFolder.h"
#include "run/UndoItem.h"
#include "run/UndoReach.h"
#include "run/WindowRunSink.h"

namespace kelvo {

namespace {

// Where the undo flushes its record besides its end.
constexpr long kFlushEvery = 256;

// Why a line of the record is left: it doesn't read as any line the format knows.
const char* const kUnreadableLineReason = "変更記録のこの行を読めません";

bool Cancelled(const UndoServices& environment) {
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

// The undo of one record, line by line from its end.
class RecordUndo {
public:
    RecordUndo(const UndoServices& environment, const UndoableRecord& run, RunRecord* record)
        : environment_(environment),
          run_(run),
          record_(record),
          reach_(environment.files, run.targetResolved, run.fileMode),
          itemReach_(run.fileMode ? Reach::AsNamed : Reach::Itself) {}

    // One line of the run's record; false once the undo's own record can
    // no longer be written.
    void Take(const std::string& line, bool exact);
    int Left() const { return left_; }

private:
    void Unreadable();
    void Item(const ChangedItem& item, bool outcomeMissing);
    void Folder(const RecordLine& line);
    void Flush();

    const UndoServices& environment_;
    const UndoableRecord& run_;
    RunRecord* record_;
    UndoReach reach_;
    const Reach itemReach_;
    // Until a line other than these two kinds is met from the end, the
    // lines written before an item changed have no outcome after them:
    // the run was cut short there.
    bool inTail_ = true;
    // The folders found as the run's renames left them, by path: their
    // times go back once the renames in them are taken back.
    std::map<std::string, bool> foldersAsLeft_;
    int left_ = 0;
    long seen_ = 0;
};

void RecordUndo::Take(const std::string& line, bool exact) {
    RecordLine parsed;
    const bool sound = exact && ParseRecordLine(line, parsed);
    const bool tailKind = sound && (parsed.kind == RecordLine::Kind::Changing || parsed.kind == RecordLine::Kind::Folder);
    if (!tailKind) inTail_ = inTail_ && line.empty();
    if (sound) {
        switch (parsed.kind) {
        case RecordLine::Kind::Changed: Item(parsed.changed, false); return;
        case RecordLine::Kind::Changing:
            if (inTail_) Item(parsed.changed, true);
            return;
        case RecordLine::Kind::Folder: Folder(parsed); return;
        default: return;
        }
    }
    // A system message with no code page 932 form makes a left line
    // inexact; its first field still names it.
    if (line.empty() || line == "left" || line.rfind("left\t", 0) == 0) return;
    // A line written before a change that has an outcome after it is
    // never acted on, read or not.
    if (!inTail_ && line.rfind("changing\t", 0) == 0) return;
    Unreadable();
}

void RecordUndo::Unreadable() {
    ++left_;
    if (record_ != nullptr) record_->LeftBecause("-", kUnreadableLineReason);
}

void RecordUndo::Item(const ChangedItem& item, bool outcomeMissing) {
    if (!reach_.MayUndo(item)) {
        Unreadable();
        return;
    }
    const UndoResult result = UndoItem(environment_.files, item, itemReach_, outcomeMissing);
    if (result.outcome == UndoResult::Outcome::Left) ++left_;
    if (record_ != nullptr) RecordOutcome(*record_, item, result);
    Flush();
}

void RecordUndo::Folder(const RecordLine& line) {
    const std::string& folder = line.text;
    if (!reach_.MayRestoreFolder(folder)) {
        Unreadable();
        return;
    }
    if (line.folderAfter) {
        foldersAsLeft_[folder] = FolderAsLeft(environment_.files, folder, line.folderState);
        return;
    }
    // Without its state after the renames, the folder's time now can't be
    // told from one another program gave it.
    auto found = foldersAsLeft_.find(folder);
    const bool asLeft = found != foldersAsLeft_.end() && found->second;
    if (found != foldersAsLeft_.end()) foldersAsLeft_.erase(found);
    UndoResult result;
    if (asLeft) {
        result = RestoreFolderTimes(environment_.files, folder, line.folderState);
    } else {
        result.reason = kChangedSinceReason;
    }
    if (result.outcome == UndoResult::Outcome::Left) ++left_;
    const ChangedItem item{true, folder, folder, std::nullopt, std::nullopt};
    if (record_ != nullptr) RecordOutcome(*record_, item, result);
    Flush();
}

void RecordUndo::Flush() {
    if (record_ != nullptr && ++seen_ % kFlushEvery == 0) record_->Flush();
}

}  // namespace

RunEnd UndoJob(RunSink& status, const UndoServices& environment, const UndoableRecord& found, bool askFirst) {
    auto fullView = [&environment] { return environment.fullView.load(std::memory_order_relaxed) == 1; };
    // A run cut short is counted here, on the worker, and only then asked about.
    UndoableRecord run = found;
    if (askFirst) {
        run.changedCount = CountChangedItems(environment.records, run.name);
        if (!status.ConfirmUndo(UndoQuestion(run, environment.clock))) return RunEnd::Refused;
    }
    // The run's record is held from here to its end, so that no pruning
    // takes it; one gone since it was found, or held by another program's
    // writer, is said to be so instead of an undo that did nothing.
    RecordAccess access = RecordAccess::Opened;
    std::unique_ptr<RecordReader> reader = environment.records.Read(run.name, true, &access);
    if (reader == nullptr) {
        status.RecordUnavailable(access == RecordAccess::InUse);
        return RunEnd::Refused;
    }
    std::unique_ptr<RunRecord> record = RunRecord::Begin(environment.records, environment.clock);
    if (record == nullptr && !status.GoOnWithoutRecord()) return RunEnd::Refused;
    if (record != nullptr) {
        WriteHeader(*record, run);
        record->EchoTo(&status);
        if (environment.recordName != nullptr) *environment.recordName = record->Name();
    }
    if (fullView()) status.ShowProgress(kUndoingText);

    // The run's record from its end: its changed items in reverse order.
    RecordUndo undo(environment, run, record.get());
    bool cancelled = false;
    bool stopped = false;
    {
        std::string line;
        bool exact = true;
        while (reader->Next(line, exact)) {
            stopped = record != nullptr && record->Failed();
            if (Cancelled(environment) || stopped) {
                cancelled = true;
                break;
            }
            undo.Take(line, exact);
        }
        reader.reset();
    }
    const int left = undo.Left();
    bool marked = true;
    if (record != nullptr) {
        record->End(!cancelled);
        stopped = stopped || record->Failed();
    }
    if (!cancelled) marked = environment.records.AppendLine(run.name, UndoneLine(record ? record->Name() : "-"));
    if (cancelled) {
        status.ShowFinal(UndoCancelledText(run.targetTyped, left));
        if (stopped) status.RecordWriteFailed();
        return RunEnd::Cancelled;
    }
    status.ShowFinal(UndoFinishedText(run.targetTyped, left));
    status.Finished();
    // Left unmarked, the run would be offered again: the user is told.
    if (!marked) status.UndoneUnmarked();
    return RunEnd::Finished;
}

RunEnd UndoJob(UndoEnvironment& environment, const UndoableRecord& record, bool askFirst) {
    WindowRunSink sink(environment.window);
    const UndoServices services{environment.files, environment.clock, environment.fullView,
                                environment.cancelRequested, environment.records, environment.recordName};
    return UndoJob(sink, services, record, askFirst);
}

}  // namespace kelvo
