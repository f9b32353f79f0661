// The folder walk. Every folder is listed when the walk first stands in it,
// for the subfolders to enter, and again when its file pass starts, so its
// files are the ones there at that moment; each file is then treated as it
// is at its turn. A file renamed during its folder's pass can turn up in the
// listing again under its new name: the pass keeps the names it gave and
// passes over such an entry. A folder or file the walk can't reach safely,
// whose name has no exact code page 932 form, or whose name the system
// would read as another item, is skipped and counted; the walk never acts on
// a folder it hasn't actually entered.
#include "run/TargetWalk.h"

#include <utility>

#include "items/ChangeItem.h"
#include "platform/Cp932Text.h"
#include "platform/SystemNames.h"
#include "run/FileItem.h"
#include "run/RunTexts.h"

namespace kelvo {

namespace {

bool IsDots(const std::string& name) { return name == "." || name == ".."; }

// Replaces every "\name\" by "\" and tells whether there was one.
bool TakeFromNewNames(std::string& newNameList, const std::string& name) {
    const std::string key = "\\" + name + "\\";
    size_t pos = FindText(newNameList, key);
    if (pos == std::string::npos) return false;
    while (pos != std::string::npos) {
        newNameList.replace(pos, key.size(), "\\");
        pos = FindText(newNameList, key, pos + 1);
    }
    return true;
}

}  // namespace

TargetWalk::TargetWalk(ItemContext& context, RunSink& sink, const JobSettings& job, const std::string& target, const std::string& leaveIn,
                       const std::atomic<bool>& cancelRequested, WalkLimits limits, RunRecord* record,
                       bool preview, RecordJournal* journal)
    : context_(context),
      sink_(sink),
      job_(job),
      target_(target),
      leaveIn_(leaveIn),
      cancelRequested_(cancelRequested),
      limits_(limits),
      record_(record),
      preview_(preview),
      journal_(journal) {}

RunEnd TargetWalk::Run(bool anyChangeBefore) {
    anyChange_ = anyChangeBefore;
    ownProgramPath_ = context_.files.ModulePath();
    bool cancelled = false;
    if (EnterRoot()) {
        while (!frames_.empty()) {
            Frame& frame = frames_.back();
            if (context_.stopped) {
                cancelled = true;
                break;
            }
            if (frame.next < frame.subfolders.size()) {
                const std::string name = frame.subfolders[frame.next++];
                EnterSubfolder(name);
                continue;
            }
            if (!FilePass(frame)) {
                cancelled = true;
                break;
            }
            if (journal_ != nullptr) journal_->FolderDone(frame.path);
            if (frames_.size() == 1 || !Climb()) break;
        }
    }
    frames_.clear();
    LeaveCurrentDirectory();
    RecordLeft();
    if (record_ != nullptr) record_->End(!cancelled);
    if (context_.stopped) {
        // The record can no longer be written: nothing more was changed.
        context_.ShowFinalStatus(preview_ ? PreviewCancelledText(job_.targetPath, FailureCount())
                                          : FolderStoppedText(job_.targetPath, anyChange_, FailureCount()));
        sink_.RecordWriteFailed();
        return RunEnd::Cancelled;
    }
    if (cancelled) {
        context_.ShowFinalStatus(preview_ ? PreviewCancelledText(job_.targetPath, FailureCount())
                                          : FolderCancelledText(job_.targetPath, anyChange_, FailureCount()));
        return RunEnd::Cancelled;
    }
    context_.ShowFinalStatus(preview_ ? PreviewFinishedText(job_.targetPath, changedItems_, FailureCount())
                                      : FolderFinishedText(job_.targetPath, anyChange_, FailureCount()));
    sink_.Finished();
    return RunEnd::Finished;
}

bool TargetWalk::EnterRoot() {
    if (!context_.files.GetCurrentDirectory(rootPath_) && !context_.files.GetFullPath(target_, rootPath_)) {
        rootPath_.clear();
        Fail(target_, context_.files.LastError());
        return false;
    }
    PushFrame(rootPath_);
    return true;
}

void TargetWalk::EnterSubfolder(const std::string& name) {
    const std::string& parent = frames_.back().path;
    const std::string path = parent + SeparatorAfter(parent) + name;
    // Too deep a folder is one whose path would soon be too long.
    if (frames_.size() >= limits_.maxLevels || path.size() > limits_.maxPathBytes) {
        Fail(path, kErrorFilenameTooLong);
        return;
    }
    if (!context_.files.SetCurrentDirectory(".\\" + name)) {
        Fail(path, context_.files.LastError());
        return;
    }
    if (context_.FullView()) context_.ShowStatus(EnteredFolderText(name));
    if (job_.applyToFolders && job_.patterns.Admits(name)) {
        ItemTrace trace;
        if (ChangeItem(context_, ItemRecord{true, ItemRef{path, path, name}}, job_, record_ ? &trace : nullptr)) {
            anyChange_ = true;
            ++changedItems_;
        }
        RecordItem(true, path, path, false, trace);
    }
    PushFrame(path);
}

bool TargetWalk::Climb() {
    frames_.pop_back();
    // Where "..\" is refused, the parent's full path gets the walk back on
    // track; where both are, the walk can't know where it stands and stops.
    if (!context_.files.SetCurrentDirectory("..\\") && !context_.files.SetCurrentDirectory(frames_.back().path)) {
        Fail(frames_.back().path, context_.files.LastError());
        return false;
    }
    if (context_.FullView()) context_.ShowStatus(kClimbedText);
    return true;
}

// The walk now stands in the folder at `path`: its frame, with its subfolders.
void TargetWalk::PushFrame(const std::string& path) {
    frames_.emplace_back();
    frames_.back().path = path;
    ReadSubfolders(frames_.back());
}

// An entry the program can't name is counted by its folder's path; one whose
// name reaches another item, by its own.
void TargetWalk::FailEntry(const Frame& frame, const FindEntry& entry) {
    if (!entry.exact) {
        Fail(frame.path, kErrorNotExact);
        context_.failures.back().systemName = entry.systemName;
    } else {
        Fail(frame.path + SeparatorAfter(frame.path) + entry.name, kErrorInvalidName);
    }
}

void TargetWalk::CountFolder(Frame& frame, uint32_t error) {
    if (frame.counted) return;
    frame.counted = true;
    Fail(frame.path, error);
}

// A listing broken off part way keeps what it gave: those subfolders are
// walked, and the folder counts once for the rest.
void TargetWalk::ReadSubfolders(Frame& frame) {
    std::unique_ptr<DirectoryListing> listing = context_.files.List("*");
    if (listing == nullptr) {
        CountFolder(frame, context_.files.LastError());
        return;
    }
    FindEntry entry;
    ListingStep step;
    while ((step = listing->Next(entry)).IsEntry()) {
        if ((entry.attributes & kAttrDirectory) == 0) continue;
        switch (UseOf(frame.path, entry)) {
        case EntryUse::Enter: frame.subfolders.push_back(std::move(entry.name)); break;
        // A folder the program can't name is left with all it holds, and
        // counted here, where the subfolders are read.
        case EntryUse::Refuse: FailEntry(frame, entry); break;
        default: break;
        }
    }
    if (step.kind == ListingStep::Kind::Failed) CountFolder(frame, step.error);
}

// The one place that decides, entry by entry, what the walk enters, what
// it treats, what it passes over without a word and what it refuses.
TargetWalk::EntryUse TargetWalk::UseOf(const std::string& folder, const FindEntry& entry) const {
    if (IsDots(entry.name)) return EntryUse::PassOver;
    const bool named = entry.exact && !NameReadsAsAnother(entry.name);
    if ((entry.attributes & kAttrDirectory) != 0) {
        // A folder link is passed over, uncounted: it leads out of the
        // target or round into it, and the user named neither.
        if (IsLink(entry)) return EntryUse::PassOver;
        return named ? EntryUse::Enter : EntryUse::Refuse;
    }
    if (!named) return EntryUse::Refuse;
    if (EqualsIgnoreCase(folder + SeparatorAfter(folder) + entry.name, ownProgramPath_)) return EntryUse::PassOver;
    if (!job_.patterns.Admits(entry.name)) return EntryUse::PassOver;
    return EntryUse::Treat;
}

// The cancel is seen before each entry of the folder's listing, whatever
// the entry is.
bool TargetWalk::FilePass(Frame& frame) {
    std::unique_ptr<DirectoryListing> listing = context_.files.List("*");
    if (listing == nullptr) {
        CountFolder(frame, context_.files.LastError());
        return true;
    }
    std::string newNameList = "\\";
    FindEntry entry;
    ListingStep step;
    while ((step = listing->Next(entry)).IsEntry()) {
        if (Cancelled() || context_.stopped) return false;
        // Folders were dealt with by the subfolder pass.
        if ((entry.attributes & kAttrDirectory) != 0) continue;
        switch (UseOf(frame.path, entry)) {
        case EntryUse::Treat: TreatEntry(frame.path, entry, newNameList); break;
        // A file the program can't name, or whose name reaches another
        // item, is counted in its turn, untouched.
        case EntryUse::Refuse: FailEntry(frame, entry); break;
        default: break;
        }
    }
    if (step.kind == ListingStep::Kind::Failed) CountFolder(frame, step.error);
    RecordLeft();
    return true;
}

void TargetWalk::RecordItem(bool isFolder, const std::string& pathBefore, const std::string& pathAfter, bool renamed,
                            const ItemTrace& trace) {
    if (record_ == nullptr) return;
    record_->Item(isFolder, pathBefore, pathAfter, renamed, trace);
    RecordLeft();
}

void TargetWalk::RecordLeft() {
    if (record_ != nullptr) record_->LeftSince(context_.failures, recordedFailures_);
}

void TargetWalk::TreatEntry(const std::string& folder, const FindEntry& entry, std::string& newNameList) {
    // A name this pass gave: the listing's own entry of that name must have
    // gone meanwhile, so the file there now is one already treated.
    if (job_.renameEnabled && TakeFromNewNames(newNameList, entry.name)) return;
    const ItemPath item = MakeItemPath(folder, entry.name);
    if (item.fullPath.size() > limits_.maxPathBytes) {
        Fail(item.fullPath, kErrorFilenameTooLong);
        return;
    }
    const ItemRecord file{false, ItemRef{item.fullPath, folder, entry.name}};
    const ItemState listed{entry.attributes, entry.creation, entry.access, entry.modification};
    const FileResult result = TreatFile(context_, job_, item, file, record_ != nullptr, &listed);
    if (result.renamed) {
        std::string newFolder, newName;
        SplitPath(result.newPath, newFolder, newName);
        newNameList += newName + "\\";
    }
    if (result.changed) {
        anyChange_ = true;
        ++changedItems_;
    }
    RecordItem(false, item.fullPath, result.renamed ? result.newPath : item.fullPath, result.renamed, result.trace);
}

void TargetWalk::LeaveCurrentDirectory() {
    if (context_.files.SetCurrentDirectory(leaveIn_)) return;
    if (!rootPath_.empty()) context_.files.SetCurrentDirectory(rootPath_);
}

}  // namespace kelvo
