// Finding the record an undo takes back, from the records' edges.
#include "run/UndoableRecord.h"

#include <cstdio>
#include <map>
#include <memory>

#include "run/RecordNames.h"
#include "run/RunRecord.h"

namespace kelvo {

namespace {

// More header lines than a record of this format has.
constexpr int kHeaderLines = 32;
// The lines read from a record's end: its end or undone line, or, for a run
// cut short, the last items it named.
constexpr int kEndLines = 64;

enum class HeaderRead { NotARecord, OtherKind, Unsound, Sound };

// The first field of a line (its kind), as the reader gives it even for a
// line without an exact form.
std::string KindOf(const std::string& line) { return line.substr(0, line.find('\t')); }

bool NamesChangedItem(const std::string& kind) { return kind == "changed" || kind == "changing"; }

// The record's first lines, up to its first item: the format and kind, the
// target, the mode and the start.
HeaderRead ReadHeader(RecordReader& reader, UndoableRecord& record) {
    std::string line;
    bool exact = true;
    RecordLine parsed;
    if (!reader.Next(line, exact) || !exact || !ParseRecordLine(line, parsed) ||
        parsed.kind != RecordLine::Kind::Format) {
        return HeaderRead::NotARecord;
    }
    if (parsed.version != kRecordFormatVersion) return HeaderRead::Unsound;
    if (parsed.recordKind != RecordKind::Run) return HeaderRead::OtherKind;
    bool target = false, mode = false, start = false;
    for (int read = 1; read < kHeaderLines && reader.Next(line, exact) && exact && ParseRecordLine(line, parsed);
         ++read) {
        if (parsed.kind == RecordLine::Kind::Target) {
            record.targetTyped = parsed.text;
            record.targetResolved = parsed.resolved;
            target = true;
        } else if (parsed.kind == RecordLine::Kind::Mode) {
            record.fileMode = parsed.fileMode;
            mode = true;
        } else if (parsed.kind == RecordLine::Kind::Start) {
            record.start = parsed.start;
            start = true;
        } else if (parsed.kind != RecordLine::Kind::Job) {
            break;
        }
    }
    return target && mode && start ? HeaderRead::Sound : HeaderRead::Unsound;
}

// A run's state from its last lines.
RecordState ReadEnding(RecordReader& reader, long& changedCount) {
    std::string line;
    bool exact = true;
    RecordLine parsed;
    for (int read = 0; read < kEndLines; ++read) {
        if (!reader.Next(line, exact)) return RecordState::NoChanges;  // through to the start: no item
        const std::string kind = KindOf(line);
        if (NamesChangedItem(kind)) {
            changedCount = -1;
            return RecordState::Changed;
        }
        if (!exact || !ParseRecordLine(line, parsed)) continue;
        switch (parsed.kind) {
        case RecordLine::Kind::Undone: return RecordState::Undone;
        case RecordLine::Kind::End:
            changedCount = parsed.changedCount;
            return changedCount > 0 ? RecordState::Changed : RecordState::NoChanges;
        // The header: the run named no item.
        case RecordLine::Kind::Format:
        case RecordLine::Kind::Target:
        case RecordLine::Kind::Mode:
        case RecordLine::Kind::Start:
        case RecordLine::Kind::Job: return RecordState::NoChanges;
        // Left items, and whatever else a run notes between its items.
        default: continue;
        }
    }
    changedCount = -1;
    return RecordState::Changed;
}

RecordState StateOfAccess(RecordAccess access) {
    switch (access) {
    case RecordAccess::InUse: return RecordState::InUse;
    case RecordAccess::Missing: return RecordState::Missing;
    default: return RecordState::Other;
    }
}

}  // namespace

RecordState ReadRecordState(RecordStore& store, const std::string& name, UndoableRecord& record) {
    record = UndoableRecord();
    record.name = name;
    RecordAccess access = RecordAccess::Failed;
    HeaderRead header = HeaderRead::NotARecord;
    {
        std::unique_ptr<RecordReader> forward = store.Read(name, false, &access);
        if (forward == nullptr) return StateOfAccess(access);
        header = ReadHeader(*forward, record);
    }
    if (header == HeaderRead::NotARecord || header == HeaderRead::OtherKind) return RecordState::Other;
    if (header == HeaderRead::Unsound) return RecordState::Unreadable;
    std::unique_ptr<RecordReader> backward = store.Read(name, true, &access);
    if (backward == nullptr) return StateOfAccess(access);
    return ReadEnding(*backward, record.changedCount);
}

UndoableFound FindUndoableRecord(RecordStore& store, UndoableRecord& found) {
    const std::vector<std::string> names = RecordsOldestFirst(store);
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        UndoableRecord record;
        switch (ReadRecordState(store, *name, record)) {
        case RecordState::Other:
        case RecordState::Missing:
        case RecordState::Undone:
        case RecordState::NoChanges: continue;
        case RecordState::InUse:
            found = record;
            return UndoableFound::InUse;
        case RecordState::Unreadable:
            found = record;
            return UndoableFound::Unreadable;
        case RecordState::Changed:
            found = record;
            return UndoableFound::Found;
        }
    }
    return UndoableFound::None;
}

long CountChangedItems(RecordStore& store, const std::string& name) {
    std::unique_ptr<RecordReader> reader = store.Read(name, false);
    if (reader == nullptr) return -1;
    // The paths of changing lines not yet followed by their changed line.
    std::map<std::string, long> pending;
    long changed = 0;
    std::string line;
    bool exact = true;
    RecordLine parsed;
    while (reader->Next(line, exact)) {
        const std::string kind = KindOf(line);
        if (!exact || !NamesChangedItem(kind)) continue;
        // A changing line has the fields of a changed line.
        const bool changing = kind == "changing";
        const std::string asChanged = changing ? "changed" + line.substr(kind.size()) : line;
        if (!ParseRecordLine(asChanged, parsed) || parsed.kind != RecordLine::Kind::Changed) continue;
        if (changing) {
            ++pending[parsed.changed.pathBefore];
        } else {
            ++changed;
            pending.erase(parsed.changed.pathBefore);
        }
    }
    for (const auto& entry : pending) changed += entry.second;
    return changed;
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
