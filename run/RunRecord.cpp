// Writing a change record.
#include "run/RunRecord.h"

#include <cstdio>

namespace kelvo {

namespace {

// Tries this many successive milliseconds for a name not yet taken.
constexpr int kNameTries = 8;

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

std::string RecordName(Clock& clock, FileTime start) {
    const unsigned milliseconds = static_cast<unsigned>(start % kTicksPerSecond / 10000);
    const CalendarFields local = LocalFields(clock, start);
    char name[40];
    std::snprintf(name, sizeof name, "%04d%02d%02d-%02d%02d%02d-%03u.txt", local.year, local.month, local.day,
                  local.hour, local.minute, local.second, milliseconds);
    return name;
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
    return lines;
}

std::unique_ptr<RunRecord> RunRecord::Begin(RecordStore& store, Clock& clock) {
    const FileTime start = clock.NowTicks();
    for (int attempt = 0; attempt < kNameTries; ++attempt) {
        const std::string name = RecordName(clock, start + static_cast<FileTime>(attempt) * 10000);
        std::unique_ptr<RecordWriter> writer = store.Create(name);
        if (writer == nullptr) continue;
        std::vector<std::string> names = store.Names();
        for (size_t i = 0; i + kRecordsKept < names.size(); ++i) {
            if (names[i] != name) store.Delete(names[i]);
        }
        return std::make_unique<RunRecord>(store, std::move(writer), name, start);
    }
    return nullptr;
}

RunRecord::RunRecord(RecordStore& store, std::unique_ptr<RecordWriter> writer, std::string name, FileTime start)
    : store_(store), writer_(std::move(writer)), name_(std::move(name)), start_(start) {}

void RunRecord::Changed(const ChangedItem& item) {
    writer_->Append(ChangedLine(item));
    ++changed_;
}

void RunRecord::Item(bool isFolder, const std::string& pathBefore, const std::string& pathAfter, bool renamed,
                     const ItemTrace& trace) {
    if (!renamed && !trace.written) return;
    ChangedItem item{isFolder, pathBefore, pathAfter, std::nullopt, std::nullopt};
    if (trace.written) {
        item.before = trace.before;
        item.after = trace.after;
    }
    Changed(item);
}

void RunRecord::Left(const std::string& path, uint32_t code) {
    writer_->AppendWithMessage(LeftLine(path, code), code);
    ++left_;
}

void RunRecord::LeftSince(const std::vector<ItemFailure>& failures, size_t& from) {
    for (; from < failures.size(); ++from) {
        const ItemFailure& failure = failures[from];
        if (failure.error == 0) {
            LeftBecause(failure.path, kRowLeftOutReason);
        } else {
            Left(failure.path, failure.error);
        }
    }
}

void RunRecord::LeftBecause(const std::string& path, const std::string& reason) {
    writer_->Append(LeftLine(path, 0) + "\t" + reason);
    ++left_;
}

void RunRecord::End(bool finished) {
    writer_->Append(EndLine(finished, changed_, left_));
    writer_->Flush();
}

void RunRecord::Discard() {
    writer_.reset();
    store_.Delete(name_);
}

}  // namespace kelvo
