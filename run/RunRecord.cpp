// Writing a change record.
#include "run/RunRecord.h"

#include <cstdio>

#include "platform/Cp932Text.h"
#include "run/RecordNames.h"
#include "run/RecordPruning.h"

namespace kelvo {

namespace {

// Why an item with no refused call of the system was left.
const char* const kRowLeftOutReason = "1970年1月1日から2038年1月19日までの範囲外の日時は設定できません";

const char* ChoiceText(int choice) {
    switch (choice) {
    case kClearAttribute: return "clear";
    case kSetAttribute: return "set";
    default: return "leave";
    }
}

std::string RowLine(const char* key, bool on, const DateTimeFields& fields) {
    std::string line = key;
    line += on ? "\ton" : "\toff";
    if (!on) return line;
    for (const std::string& text : fields.texts) line += "\t" + EscapeField(text);
    return line;
}

}  // namespace

CalendarFields LocalFields(Clock& clock, FileTime time) {
    const int64_t seconds = static_cast<int64_t>(time / kTicksPerSecond) -
                            static_cast<int64_t>(kUnixEpochTicks / kTicksPerSecond);
    CalendarFields local;
    if (!clock.UtcToLocal(seconds, local)) local = CalendarFields{1970, 1, 1, 0, 0, 0};
    return local;
}

// The local start to the millisecond, "20261209-153000-123".
static std::string RecordStamp(Clock& clock, FileTime start) {
    const unsigned milliseconds = static_cast<unsigned>(start % kTicksPerSecond / 10000);
    const CalendarFields local = LocalFields(clock, start);
    char stamp[40];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d-%03u", local.year, local.month, local.day,
                  local.hour, local.minute, local.second, milliseconds);
    return stamp;
}

std::string RecordName(Clock& clock, FileTime start, uint64_t sequence) {
    return NumberedRecordName(sequence, RecordStamp(clock, start));
}

std::vector<std::string> JobLines(const JobSettings& job) {
    std::vector<std::string> lines;
    std::string attributes = "attributes";
    for (int choice : job.attributeChoices) attributes += std::string("\t") + ChoiceText(choice);
    attributes += job.applyToFolders ? "\tfolders too" : "\tfiles only";
    lines.push_back(attributes);
    if (job.timeAdjust.Active()) {
        for (TimeKind kind : {kCreationTime, kModificationTime, kAccessTime}) {
            lines.push_back(AdjustRecordLine(job.timeAdjust, kind));
        }
    } else {
        lines.push_back(RowLine("creation", job.timeEnables[0], job.creationFields));
        lines.push_back(RowLine("modification", job.timeEnables[1], job.modificationFields));
        lines.push_back(RowLine("access", job.timeEnables[2], job.accessFields));
    }
    std::string rename = "rename";
    if (!job.renameEnabled) {
        rename += "\toff";
    } else {
        const RenameRules& r = job.renameRules;
        rename += r.mode == 0 ? "\tadd" : "\tdelete";
        for (const std::string* text : {&r.titleHead, &r.titleTail, &r.extHead, &r.extTail, &r.titleWhat, &r.titleWith,
                                        &r.extWhat, &r.extWith}) {
            rename += "\t" + EscapeField(*text);
        }
    }
    lines.push_back(rename);
    if (job.patterns.Any()) {
        std::string patterns = "patterns\tinclude";
        for (const std::string& pattern : job.patterns.include) patterns += "\t" + EscapeField(pattern);
        patterns += "\texclude";
        for (const std::string& pattern : job.patterns.exclude) patterns += "\t" + EscapeField(pattern);
        lines.push_back(patterns);
    }
    return lines;
}

std::unique_ptr<RunRecord> RunRecord::Begin(RecordStore& store, Clock& clock) {
    const FileTime start = clock.NowTicks();
    std::string name;
    std::unique_ptr<RecordWriter> writer = CreateNumberedRecord(store, RecordStamp(clock, start), name);
    if (writer == nullptr) return nullptr;
    PruneRecords(store, name, kRecordsKept);
    return std::make_unique<RunRecord>(store, std::move(writer), name, start);
}

RunRecord::RunRecord(RecordStore& store, std::unique_ptr<RecordWriter> writer, std::string name, FileTime start)
    : store_(store), writer_(std::move(writer)), name_(std::move(name)), start_(start) {}

void RunRecord::Changed(const ChangedItem& item) {
    const std::string line = ChangedLine(item);
    writer_->Append(line);
    if (echo_ != nullptr) echo_->ItemLine(line, 0);
    ++changed_;
}

void RunRecord::Item(bool isFolder, const std::string& pathBefore, const std::string& pathAfter, bool renamed,
                     const ItemTrace& trace) {
    if (!renamed && !trace.written) return;
    Changed(ChangedItem{isFolder, pathBefore, pathAfter, trace.before, trace.after});
}

void RunRecord::Left(const std::string& path, uint32_t code) {
    const std::string line = LeftLine(path, code);
    writer_->AppendWithMessage(line, code);
    if (echo_ != nullptr) echo_->ItemLine(line, code);
    ++left_;
}

void RunRecord::LeftSince(const std::vector<ItemFailure>& failures, size_t& from) {
    for (; from < failures.size(); ++from) {
        const ItemFailure& failure = failures[from];
        if (failure.error == 0) {
            LeftBecause(failure.path, kRowLeftOutReason);
        } else if (!failure.systemName.empty()) {
            // Named by its own name, which only the record's UTF-8 can hold.
            const std::string head = "left\t" + EscapeField(failure.path + SeparatorAfter(failure.path));
            const std::string tail = "\t" + std::to_string(failure.error);
            writer_->AppendNamedWithMessage(head, failure.systemName, tail, failure.error);
            // The sink gets the folder's path: its texts are code page 932 alone.
            if (echo_ != nullptr) echo_->ItemLine(head + tail, failure.error);
            ++left_;
        } else {
            Left(failure.path, failure.error);
        }
    }
}

void RunRecord::LeftBecause(const std::string& path, const std::string& reason) {
    const std::string line = LeftLine(path, 0) + "\t" + reason;
    writer_->Append(line);
    if (echo_ != nullptr) echo_->ItemLine(line, 0);
    ++left_;
}

bool RunRecord::Flush() {
    if (!writer_->Flush()) failed_ = true;
    return !failed_;
}

void RunRecord::End(bool finished) {
    writer_->Append(EndLine(finished, changed_, left_));
    Flush();
}

void RunRecord::Discard() {
    writer_.reset();
    store_.Delete(name_);
}

}  // namespace kelvo
