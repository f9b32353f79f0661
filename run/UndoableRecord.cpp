// Finding the record an undo takes back.
#include "run/UndoableRecord.h"

#include <memory>

namespace kelvo {

namespace {

enum class HeaderRead { NotARecord, OtherKind, Unsound, Sound };

// The record's first lines, up to its first item: the format and kind, the
// target, the mode and the start.
HeaderRead ReadHeader(RecordStore& store, const std::string& name, UndoableRecord& record) {
    std::unique_ptr<RecordReader> reader = store.Read(name, false);
    if (reader == nullptr) return HeaderRead::NotARecord;
    std::string line;
    bool exact = true;
    RecordLine parsed;
    if (!reader->Next(line, exact) || !exact || !ParseRecordLine(line, parsed) ||
        parsed.kind != RecordLine::Kind::Format) {
        return HeaderRead::NotARecord;
    }
    if (parsed.version != kRecordFormatVersion) return HeaderRead::Unsound;
    if (parsed.recordKind != RecordKind::Run) return HeaderRead::OtherKind;
    bool target = false, mode = false, start = false;
    while (reader->Next(line, exact) && exact && ParseRecordLine(line, parsed)) {
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

// The items the record names as changed: from its end line where it has
// one, and counted line by line where the run was cut short. -1 when it is
// marked undone.
long ChangedItems(RecordStore& store, const std::string& name) {
    std::unique_ptr<RecordReader> backward = store.Read(name, true);
    if (backward == nullptr) return 0;
    std::string line;
    bool exact = true;
    RecordLine parsed;
    while (backward->Next(line, exact)) {
        if (!exact || !ParseRecordLine(line, parsed)) continue;
        if (parsed.kind == RecordLine::Kind::Undone) return -1;
        if (parsed.kind == RecordLine::Kind::End) return parsed.changedCount;
        if (parsed.kind == RecordLine::Kind::Changed || parsed.kind == RecordLine::Kind::Left) break;
    }
    long changed = 0;
    std::unique_ptr<RecordReader> forward = store.Read(name, false);
    while (forward != nullptr && forward->Next(line, exact)) {
        if (exact && ParseRecordLine(line, parsed) && parsed.kind == RecordLine::Kind::Changed) ++changed;
    }
    return changed;
}

}  // namespace

UndoableFound FindUndoableRecord(RecordStore& store, UndoableRecord& found) {
    const std::vector<std::string> names = store.Names();
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        UndoableRecord record;
        record.name = *name;
        const HeaderRead header = ReadHeader(store, *name, record);
        if (header == HeaderRead::NotARecord || header == HeaderRead::OtherKind) continue;
        if (header == HeaderRead::Unsound) {
            found = record;
            return UndoableFound::Unreadable;
        }
        record.changedCount = ChangedItems(store, *name);
        if (record.changedCount <= 0) continue;
        found = record;
        return UndoableFound::Found;
    }
    return UndoableFound::None;
}

}  // namespace kelvo
