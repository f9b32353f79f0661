// The folder walk. Every folder is listed once, when the walk first stands
// in it; its files are treated from that listing after all its subfolders
// are done. Nothing of the run renames or changes a folder's files before
// their turn, so each file's entry still tells its status then, and a file
// renamed during its folder's pass can't turn up in the listing again.
// A folder or file the walk can't reach safely, or whose name has no exact
// code page 932 form, is skipped and counted; the walk never acts on a
// folder it hasn't actually entered.
#include "run/TargetWalk.h"

#include <utility>

#include "items/ChangeItem.h"
#include "platform/Cp932Text.h"
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

TargetWalk::TargetWalk(ItemContext& context, const JobSettings& job, const std::string& target, const std::string& leaveIn,
                       const std::atomic<bool>& cancelRequested, WalkLimits limits)
    : context_(context), job_(job), target_(target), leaveIn_(leaveIn), cancelRequested_(cancelRequested), limits_(limits) {}

RunEnd TargetWalk::Run(bool anyChangeBefore) {
    anyChange_ = anyChangeBefore;
    ownProgramPath_ = context_.files.ModulePath();
    bool cancelled = false;
    if (EnterRoot()) {
        while (!frames_.empty()) {
            Frame& frame = frames_.back();
            if (frame.next < frame.subfolders.size()) {
                const FindEntry subfolder = frame.subfolders[frame.next++];
                EnterSubfolder(subfolder);
                continue;
            }
            if (!FilePass(frame)) {
                cancelled = true;
                break;
            }
            if (frames_.size() == 1 || !Climb()) break;
        }
    }
    frames_.clear();
    LeaveCurrentDirectory();
    if (cancelled) {
        context_.ShowFinalStatus(FolderCancelledText(job_.targetPath, anyChange_, FailureCount()));
        return RunEnd::Cancelled;
    }
    context_.ShowFinalStatus(FolderFinishedText(job_.targetPath, anyChange_, FailureCount()));
    context_.window.Beep();
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

void TargetWalk::EnterSubfolder(const FindEntry& subfolder) {
    const std::string& name = subfolder.name;
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
    if (job_.applyToFolders && ChangeItem(context_, ItemRecord{true, ItemRef{path, path, name}, &subfolder}, job_)) {
        anyChange_ = true;
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

// The walk now stands in the folder at `path`: its frame, with its listing.
void TargetWalk::PushFrame(const std::string& path) {
    frames_.emplace_back();
    frames_.back().path = path;
    ReadListing(frames_.back());
}

// A listing broken off part way keeps what it gave: those entries are
// walked and treated, and the folder counts once for the rest.
void TargetWalk::ReadListing(Frame& frame) {
    std::unique_ptr<DirectoryListing> listing = context_.files.List("*");
    if (listing == nullptr) {
        Fail(frame.path, context_.files.LastError());
        return;
    }
    FindEntry entry;
    ListingStep step;
    while ((step = listing->Next(entry)).IsEntry()) {
        frame.listedAny = true;
        switch (UseOf(frame.path, entry)) {
        case EntryUse::Enter: frame.subfolders.push_back(std::move(entry)); break;
        case EntryUse::Treat: frame.files.push_back(std::move(entry)); break;
        case EntryUse::PassOver: break;
        // A folder the program can't name is left with all it holds, and
        // counted here, where each folder's listing is read.
        case EntryUse::Refuse: Fail(frame.path, kErrorNotExact); break;
        }
    }
    if (step.kind == ListingStep::Kind::Failed) Fail(frame.path, step.error);
}

// The one place that decides, entry by entry, what the walk enters, what
// it treats, what it passes over without a word and what it refuses.
TargetWalk::EntryUse TargetWalk::UseOf(const std::string& folder, const FindEntry& entry) const {
    if (IsDots(entry.name)) return EntryUse::PassOver;
    if ((entry.attributes & kAttrDirectory) != 0) {
        // A folder link is passed over, uncounted: it leads out of the
        // target or round into it, and the user named neither.
        if (IsLink(entry)) return EntryUse::PassOver;
        return entry.exact ? EntryUse::Enter : EntryUse::Refuse;
    }
    if (EqualsIgnoreCase(folder + SeparatorAfter(folder) + entry.name, ownProgramPath_)) return EntryUse::PassOver;
    return EntryUse::Treat;
}

bool TargetWalk::FilePass(const Frame& frame) {
    // A cancel is seen before each entry of the folder's listing: here for
    // those before its first file, and then before each file.
    if (frame.listedAny && Cancelled()) return false;
    std::string newNameList = "\\";
    for (const FindEntry& entry : frame.files) {
        if (Cancelled()) return false;
        // A file the program can't name is counted in its turn, untouched.
        if (!entry.exact) {
            Fail(frame.path, kErrorNotExact);
            continue;
        }
        TreatEntry(frame.path, entry, newNameList);
    }
    return true;
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
    const ItemRecord file{false, ItemRef{item.fullPath, folder, entry.name}, &entry};
    const FileResult result = TreatFile(context_, job_, item, file);
    if (result.renamed) {
        std::string newFolder, newName;
        SplitPath(result.newPath, newFolder, newName);
        newNameList += newName + "\\";
    }
    if (result.changed) anyChange_ = true;
}

void TargetWalk::LeaveCurrentDirectory() {
    if (context_.files.SetCurrentDirectory(leaveIn_)) return;
    if (!rootPath_.empty()) context_.files.SetCurrentDirectory(rootPath_);
}

}  // namespace kelvo
