// The folder walk. Every folder is listed twice: once for its subfolders
// when the walk first stands in it, once more for its files after all its
// subfolders are done (the second listing sees files renamed meanwhile).
// A folder or file the walk can't reach safely, or whose name has no exact
// code page 932 form, is skipped and counted; the walk never acts on a
// folder it hasn't actually entered.
#include "run/TargetWalk.h"

#include "items/ChangeItem.h"
#include "platform/Cp932Text.h"
#include "run/FileItem.h"
#include "run/RunTexts.h"

namespace kelvo {

namespace {

// What a listing reports when it simply has no (more) entries.
constexpr uint32_t kErrorNoEntries = 2;      // ERROR_FILE_NOT_FOUND: an empty drive root
constexpr uint32_t kErrorNoMoreFiles = 18;

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
                const std::string name = frame.subfolders[frame.next++];
                EnterSubfolder(name);
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
        context_.ShowFinalStatus(FolderCancelledText(job_.targetPath, anyChange_, context_.failures));
        return RunEnd::Cancelled;
    }
    context_.ShowFinalStatus(FolderFinishedText(job_.targetPath, anyChange_, context_.failures));
    context_.window.Beep();
    return RunEnd::Finished;
}

bool TargetWalk::EnterRoot() {
    if (!context_.files.GetCurrentDirectory(rootPath_) && !context_.files.GetFullPath(target_, rootPath_)) {
        rootPath_.clear();
        Fail();
        return false;
    }
    frames_.push_back(Frame{rootPath_, {}, 0});
    frames_.back().subfolders = ReadSubfolders();
    return true;
}

void TargetWalk::EnterSubfolder(const std::string& name) {
    const std::string& parent = frames_.back().path;
    const std::string path = parent + SeparatorAfter(parent) + name;
    if (frames_.size() >= limits_.maxLevels || path.size() > limits_.maxPathBytes ||
        !context_.files.SetCurrentDirectory(".\\" + name)) {
        Fail();
        return;
    }
    if (context_.FullView()) context_.ShowStatus(EnteredFolderText(name));
    if (job_.applyToFolders &&
        ChangeItem(context_, true, path, path, name, job_.attributeChoices, job_.timeEnables, job_.creationFields,
                   job_.modificationFields, job_.accessFields)) {
        anyChange_ = true;
    }
    frames_.push_back(Frame{path, {}, 0});
    frames_.back().subfolders = ReadSubfolders();
}

bool TargetWalk::Climb() {
    frames_.pop_back();
    // Where "..\" is refused, the parent's full path gets the walk back on
    // track; where both are, the walk can't know where it stands and stops.
    if (!context_.files.SetCurrentDirectory("..\\") && !context_.files.SetCurrentDirectory(frames_.back().path)) {
        Fail();
        return false;
    }
    if (context_.FullView()) context_.ShowStatus(kClimbedText);
    return true;
}

std::vector<std::string> TargetWalk::ReadSubfolders() {
    std::vector<std::string> names;
    std::unique_ptr<DirectoryListing> listing = context_.files.List("*");
    if (listing == nullptr) {
        if (ListingBroken()) Fail();
        return names;
    }
    FindEntry entry;
    while (listing->Next(entry)) {
        if ((entry.attributes & kAttrDirectory) == 0) continue;
        // A folder the program can't name is left with all it holds, and
        // counted here, where each folder's subfolders are read once.
        if (!entry.exact) {
            Fail();
        } else if (!IsDots(entry.name)) {
            names.push_back(entry.name);
        }
    }
    if (ListingBroken()) Fail();
    return names;
}

bool TargetWalk::FilePass(const Frame& frame) {
    std::string newNameList = "\\";
    std::unique_ptr<DirectoryListing> listing = context_.files.List("*");
    if (listing == nullptr) {
        if (ListingBroken()) Fail();
        return true;
    }
    FindEntry entry;
    while (listing->Next(entry)) {
        if (cancelRequested_.load(std::memory_order_relaxed)) return false;
        if (!entry.exact) {
            // Folders among them were counted when the subfolders were read.
            if ((entry.attributes & kAttrDirectory) == 0) Fail();
            continue;
        }
        TreatEntry(frame.path, entry.name, entry.attributes, newNameList);
    }
    if (ListingBroken()) Fail();
    return true;
}

void TargetWalk::TreatEntry(const std::string& folder, const std::string& name, uint32_t attributes,
                            std::string& newNameList) {
    const ItemPath item = MakeItemPath(folder, name);
    if (IsDots(name) || (attributes & kAttrDirectory) != 0 || EqualsIgnoreCase(item.fullPath, ownProgramPath_)) {
        return;
    }
    // A file this pass already treated, met again under its new name.
    if (job_.renameEnabled && TakeFromNewNames(newNameList, name)) return;
    if (item.fullPath.size() > limits_.maxPathBytes) {
        Fail();
        return;
    }
    const FileResult result = TreatFile(context_, job_, item, ItemRef{item.fullPath, folder, name});
    if (result.renamed) {
        std::string newFolder, newName;
        SplitPath(result.newPath, newFolder, newName);
        newNameList += newName + "\\";
    }
    if (result.changed) anyChange_ = true;
}

bool TargetWalk::ListingBroken() const {
    const uint32_t error = context_.files.LastError();
    return error != 0 && error != kErrorNoEntries && error != kErrorNoMoreFiles;
}

void TargetWalk::LeaveCurrentDirectory() {
    if (context_.files.SetCurrentDirectory(leaveIn_)) return;
    if (!rootPath_.empty()) context_.files.SetCurrentDirectory(rootPath_);
}

}  // namespace kelvo
