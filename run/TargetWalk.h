// Folder mode of a run: the walk over the whole tree below the target
// folder, subfolders first (each completely, in listing order), then each
// folder's own files. The walk keeps an explicit stack of frames; each frame
// holds the names of its folder's subfolders, read once when the walk first
// stands in the folder, with the index of the next one to enter. A folder's
// files are listed afresh when their pass starts, and each is treated as it
// is at its turn. Memory grows with the subfolders of the folders on the way
// down, never with the files.
#pragma once
#include <atomic>
#include <cstddef>
#include <string>
#include <vector>

#include "items/ChangeItem.h"
#include "items/ItemContext.h"
#include "platform/FileLimits.h"
#include "run/JobSettings.h"
#include "run/RunJob.h"
#include "run/RecordJournal.h"
#include "run/RunRecord.h"

namespace kelvo {

// Depths 0 (the target) to 259: as deep as the walk can count.
inline constexpr size_t kMaxWalkLevels = 260;

struct WalkLimits {
    size_t maxLevels = kMaxWalkLevels;
    size_t maxPathBytes = kMaxPathBytes;
};

class TargetWalk {
public:
    // `target` is the target folder's full path; the texts name it as the job
    // holds it. `leaveIn` is the folder the walk leaves as the current directory.
    // Each item changed or left is written down in `record`, where there
    // is one. A preview closes with texts of its own.
    TargetWalk(ItemContext& context, RunSink& sink, const JobSettings& job, const std::string& target, const std::string& leaveIn,
               const std::atomic<bool>& cancelRequested, WalkLimits limits = WalkLimits(),
               RunRecord* record = nullptr, bool preview = false, RecordJournal* journal = nullptr);

    // Walks from the current directory, which must be the target folder, and
    // leaves `leaveIn` as the current directory. Shows the finish or the
    // cancel text and beeps when finished.
    RunEnd Run(bool anyChangeBefore);

private:
    struct Frame {
        std::string path;  // full path of the folder
        std::vector<std::string> subfolders;
        size_t next = 0;
        // The folder counts once among the items not changed, for what a
        // listing of it kept from the walk.
        bool counted = false;
    };

    // What the walk does with one entry of a listing.
    enum class EntryUse { PassOver, Enter, Treat, Refuse };

    bool EnterRoot();
    void EnterSubfolder(const std::string& name);
    bool Climb();
    void PushFrame(const std::string& path);
    void ReadSubfolders(Frame& frame);
    EntryUse UseOf(const std::string& folder, const FindEntry& entry) const;
    bool FilePass(Frame& frame);
    void TreatEntry(const std::string& folder, const FindEntry& entry, std::string& newNameList);
    bool Cancelled() const { return cancelRequested_.load(std::memory_order_relaxed); }
    void LeaveCurrentDirectory();
    // An item left as it was; where its name is unknown, the folder it is in.
    void Fail(const std::string& path, uint32_t error) { context_.failures.push_back({path, error, {}}); }
    // An entry refused for its name, counted once.
    void FailEntry(const Frame& frame, const FindEntry& entry);
    // A folder whose listing failed: counted once, whichever of its two listings failed.
    void CountFolder(Frame& frame, uint32_t error);
    int FailureCount() const { return static_cast<int>(context_.failures.size()); }
    // Writes an item down in the record: changed where it was renamed or its
    // update wrote it, and the failures counted since the last item.
    void RecordItem(bool isFolder, const std::string& pathBefore, const std::string& pathAfter, bool renamed,
                    const ItemTrace& trace);
    void RecordLeft();

    ItemContext& context_;
    RunSink& sink_;
    const JobSettings& job_;
    const std::string target_;
    const std::string leaveIn_;
    const std::atomic<bool>& cancelRequested_;
    WalkLimits limits_;
    std::string ownProgramPath_;
    std::string rootPath_;
    std::vector<Frame> frames_;
    bool anyChange_ = false;
    RunRecord* record_;
    const bool preview_;
    RecordJournal* journal_;
    size_t recordedFailures_ = 0;
    long changedItems_ = 0;
};

}  // namespace kelvo
