// The body of one run: the job read once, the target decided, then file
// mode here or folder mode in TargetWalk.
#include "run/RunJob.h"

#include <optional>

#include "items/ItemStatus.h"
#include "platform/Cp932Text.h"
#include "platform/PreviewFileSystem.h"
#include "resources/ResourceIds.h"
#include "run/FileItem.h"
#include "run/JobSettings.h"
#include "run/RecordJournal.h"
#include "run/RunRecord.h"
#include "run/RunTexts.h"
#include "run/TargetWalk.h"
#include "run/WindowRunSink.h"

namespace kelvo {

namespace {

// What a preview's record says of the writes it didn't make.
const char* const kPreviewNote =
    "note\t書き込みが拒否されるかどうかは書き込むまで分からないため、この確認では全ての書き込みが成功するものとしています。";

// Writes the header of a run's record, once the run knows its mode; false
// where the file refused it.
bool WriteHeader(RunRecord* record, const JobSettings& job, const std::string& target, bool fileMode, bool preview) {
    if (record == nullptr) return true;
    record->Write(FormatLine(preview ? RecordKind::Preview : RecordKind::Run));
    if (preview) record->Write(kPreviewNote);
    record->Write(TargetLine(job.targetPath, target));
    record->Write(ModeLine(fileMode));
    record->Write(StartLine(record->Start()));
    for (const std::string& line : JobLines(job)) record->Write(line);
    return record->Flush();
}

// A record whose header can't be written is no record: nothing is touched,
// and the user is told so.
RunEnd RecordRefused(RunSink& sink, FileSystem& files, const std::string& leaveIn) {
    if (!leaveIn.empty()) files.SetCurrentDirectory(leaveIn);
    sink.RecordWriteFailed();
    return RunEnd::Refused;
}

// The current directory is left as it is; the reports name it as the folder
// unless a rename supplies texts of its own. The file is reached by `target`,
// its full path, while the texts show the path as typed.
RunEnd RunFileMode(ItemContext& context, RunSink& sink, const JobSettings& job, const std::string& target,
                   RunRecord* record, bool preview, RecordJournal* journal) {
    // The user chose this file: a link is followed as the system follows it.
    context.reach = Reach::AsNamed;
    std::string currentDirectory;
    context.files.GetCurrentDirectory(currentDirectory);
    std::string folder, name;
    SplitPath(target, folder, name);
    ItemPath item = MakeItemPath(folder, name);
    item.fullPath = target;
    const ItemRecord file{false, ItemRef{target, currentDirectory, job.targetPath}};
    // The file's state as its folder lists it, which a rename alone is recorded with.
    FindEntry entry;
    std::optional<ItemState> listed;
    if (context.files.FindOne(target, entry)) {
        listed = ItemState{entry.attributes, entry.creation, entry.access, entry.modification};
    }
    // A file whose name the job doesn't take is left alone, as the walk leaves it.
    const FileResult result = job.patterns.Admits(name)
                                  ? TreatFile(context, job, item, file, record != nullptr, listed ? &*listed : nullptr)
                                  : FileResult{};
    if (journal != nullptr) journal->FolderDone(folder);
    if (context.stopped) {
        if (record != nullptr) record->End(false);
        sink.RecordWriteFailed();
        return RunEnd::Cancelled;
    }
    // The new name in full: the path edit then names the file that exists,
    // wherever the current directory stands.
    if (result.renamed && !preview) sink.TargetRenamed(result.newPath);
    if (record != nullptr) {
        record->Item(false, target, result.renamed ? result.newPath : target, result.renamed, result.trace);
        size_t recorded = 0;
        record->LeftSince(context.failures, recorded);
        record->End(true);
    }
    const int failures = static_cast<int>(context.failures.size());
    if (preview) {
        context.ShowFinalStatus(PreviewFinishedText(job.targetPath, result.changed ? 1 : 0, failures));
    } else if (context.FullView()) {
        context.ShowFinalStatus(FileFinishedText(job.targetPath, result.changed, failures));
    }
    sink.Finished();
    return RunEnd::Finished;
}

}  // namespace

RunEnd RunJobWith(const JobSettings& job, RunSink& sink, const RunServices& environment) {
    // A preview's writes go to an overlay; everything else is the same run.
    std::unique_ptr<PreviewFileSystem> overlay;
    if (environment.preview) overlay = std::make_unique<PreviewFileSystem>(environment.files);
    FileSystem& files = environment.preview ? *overlay : environment.files;
    const bool preview = environment.preview;
    ItemContext context{files, environment.clock, sink, environment.fullView};
    // A target typed without a full path names the file or folder in the
    // current directory as it is when the run starts; from then on the run
    // uses the full path, since folder mode moves the current directory.
    std::string target;
    if (!files.GetFullPath(job.targetPath, target)) target = job.targetPath;
    // A folder run ends in its target. One named relative to the current
    // directory ends where it started instead, so that the same text names
    // the same folder when the user starts again.
    std::string leaveIn = target;
    if (!IsFullPath(job.targetPath) && !files.GetCurrentDirectory(leaveIn)) leaveIn = target;
    // The record is begun before anything is touched: without one, the
    // user says whether to go on.
    std::unique_ptr<RunRecord> record;
    if (environment.records != nullptr) {
        record = RunRecord::Begin(*environment.records, environment.clock);
        if (record == nullptr && !sink.GoOnWithoutRecord()) return RunEnd::Refused;
        if (record != nullptr) record->EchoTo(&sink);
    }
    // A preview changes nothing, so it has no old states to write down first.
    std::unique_ptr<RecordJournal> journal;
    if (record != nullptr && !preview) {
        journal = std::make_unique<RecordJournal>(*record, files);
        context.journal = journal.get();
    }
    if (files.SetCurrentDirectory(target)) {
        if (!WriteHeader(record.get(), job, target, false, preview)) return RecordRefused(sink, files, leaveIn);
        if (record != nullptr && environment.recordName != nullptr) *environment.recordName = record->Name();
        TargetWalk walk(context, sink, job, target, leaveIn, environment.cancelRequested, WalkLimits(), record.get(), preview,
                        journal.get());
        return walk.Run(false);
    }
    ItemStatus status;
    if (!ReadItemStatus(files, target, status) || (status.attributes & kAttrDirectory) != 0) {
        if (record != nullptr) record->Discard();
        sink.TargetRefused();
        return RunEnd::Refused;
    }
    if (!WriteHeader(record.get(), job, target, true, preview)) return RecordRefused(sink, files, std::string());
    if (record != nullptr && environment.recordName != nullptr) *environment.recordName = record->Name();
    return RunFileMode(context, sink, job, target, record.get(), preview, journal.get());
}

RunEnd RunJob(RunEnvironment& environment) {
    const JobSettings job = environment.job != nullptr ? *environment.job : ReadJobSettings(environment.window);
    WindowRunSink sink(environment.window);
    const RunServices services{environment.files,   environment.clock,   environment.fullView,
                               environment.cancelRequested, environment.records, environment.preview,
                               environment.recordName};
    return RunJobWith(job, sink, services);
}

}  // namespace kelvo
