// Calls per file: for each job, a run of the program and a run of the safe
// loop, each on a fresh tree, with every file-system call tallied by its
// operation. The safe loop lists each folder by its full path and makes
// the job's change on every file in one update of the file as itself (its
// rename, for a rename), as the Win32 benchmark's safe loop does.
#include "bench/native/CallsPerFile.h"

#include <atomic>
#include <map>
#include <string>
#include <vector>

#include "platform/memory/MemoryClock.h"
#include "platform/memory/FaultyMemoryFileSystem.h"
#include "platform/memory/MemoryWindow.h"
#include "resources/ControlGroups.h"
#include "run/RunJob.h"

namespace kelvo {
namespace {

constexpr int kFolders = 100;
constexpr int kFilesEach = 100;
constexpr int kFiles = kFolders * kFilesEach;
const std::string kTarget = "C:\\T";
const std::string kTitleHead = "h";
// 2001-02-03 04:05:06 UTC: what the files hold before a run and what the
// safe loop writes.
constexpr FileTime kModification = 126256467060000000ULL;

enum class Job { Hidden, Time, Rename };

struct JobInfo {
    Job job;
    const char* label;
};

const JobInfo kJobs[] = {{Job::Hidden, "hidden"}, {Job::Time, "mod. time"}, {Job::Rename, "rename"}};

using Tally = std::map<std::string, uint64_t>;

// Listing folders and moving through them: what any walk needs besides the
// calls its files cost.
bool IsWalkCall(const std::string& operation) {
    return operation == "FindFirst" || operation == "FindNext" || operation == "SetCurrentDirectory" ||
           operation == "GetCurrentDirectory";
}

void BuildTree(FaultyMemoryFileSystem& files) {
    for (int f = 0; f < kFolders; ++f) {
        const std::string folder = kTarget + "\\d" + std::to_string(f);
        for (int i = 0; i < kFilesEach; ++i) {
            files.AddFile(folder + "\\f" + std::to_string(i) + ".txt", kAttrArchive, kModification);
        }
    }
    files.ClearCalls();
}

Tally TallyOf(const FaultyMemoryFileSystem& files) {
    Tally tally;
    for (const std::string& call : files.Calls()) ++tally[call.substr(0, call.find(' '))];
    return tally;
}

void AskFor(Job job, MemoryWindow& window) {
    for (int box : kAttributeBoxes) window.SetCheck(box, kIndeterminate);
    switch (job) {
    case Job::Hidden: window.SetCheck(IDC_HIDDEN, kChecked); break;
    case Job::Time: {
        window.SetCheck(kDateRows[1].box, kChecked);
        const char* const fields[kDateFieldCount] = {"2020", "5", "17", "10", "20", "30"};
        for (int i = 0; i < kDateFieldCount; ++i) window.SetText(kDateRows[1].edits[i], fields[i]);
        break;
    }
    case Job::Rename:
        window.SetCheck(IDC_RENAME_ON, kChecked);
        window.SetText(IDC_TITLE_HEAD, kTitleHead);
        break;
    }
    window.SetText(IDC_PATH, kTarget);
}

Tally RunProgram(Job job) {
    FaultyMemoryFileSystem files;
    BuildTree(files);
    MemoryWindow window;
    MemoryClock clock;
    std::atomic<int> fullView{1};
    std::atomic<bool> cancel{false};
    AskFor(job, window);
    RunEnvironment environment{files, clock, window, fullView, cancel};
    RunJob(environment);
    return TallyOf(files);
}

// What the safe loop does to one file: one update of the file as itself
// (read its word and times, write the change), or its rename.
void TreatBare(Job job, FaultyMemoryFileSystem& files, const std::string& folder, const std::string& name) {
    const std::string path = folder + "\\" + name;
    if (job == Job::Rename) {
        files.Move(path, folder + "\\" + kTitleHead + name);
        return;
    }
    files.UpdateItem(path, ItemOpening{Reach::Itself, job == Job::Time}, [job](const ItemState& now, ItemChange& change) {
        if (job == Job::Hidden) change.attributes = now.attributes | kAttrHidden;
        if (job == Job::Time) change.modification = kModification;
        return true;
    });
}

Tally RunBareLoop(Job job) {
    FaultyMemoryFileSystem files;
    BuildTree(files);
    std::vector<std::string> pending{kTarget};
    while (!pending.empty()) {
        const std::string folder = pending.back();
        pending.pop_back();
        std::vector<std::string> names;
        std::unique_ptr<DirectoryListing> listing = files.List(folder + "\\*");
        FindEntry entry;
        while (listing != nullptr && listing->Next(entry).IsEntry()) {
            if (entry.name == "." || entry.name == "..") continue;
            if ((entry.attributes & kAttrDirectory) != 0) {
                pending.push_back(folder + "\\" + entry.name);
            } else {
                names.push_back(entry.name);
            }
        }
        listing.reset();
        for (const std::string& name : names) TreatBare(job, files, folder, name);
    }
    return TallyOf(files);
}

void PrintJob(std::FILE* out, const char* label, const Tally& program, const Tally& bare) {
    Tally all = program;
    for (const auto& [operation, count] : bare) all[operation] += 0;
    std::fprintf(out, "\n%-22s %10s %10s\n", label, "Kelvo", "safe loop");
    std::string beyond;
    uint64_t beyondCount = 0;
    for (const auto& [operation, unused] : all) {
        const uint64_t mine = program.count(operation) ? program.at(operation) : 0;
        const uint64_t theirs = bare.count(operation) ? bare.at(operation) : 0;
        std::fprintf(out, "  %-20s %10.4f %10.4f\n", operation.c_str(), static_cast<double>(mine) / kFiles,
                     static_cast<double>(theirs) / kFiles);
        if (!IsWalkCall(operation) && mine > theirs) {
            beyond += " " + operation + " +" + std::to_string(mine - theirs);
            beyondCount += mine - theirs;
        }
    }
    if (beyond.empty()) beyond = " none";
    std::fprintf(out, "  beyond the safe loop's, listings and moves aside:%s in the whole run (%.4f per file)\n",
                 beyond.c_str(), static_cast<double>(beyondCount) / kFiles);
}

}  // namespace

void PrintCallsPerFile(std::FILE* out) {
    std::fprintf(out, "Calls per file on the in-memory platform, %d files in %d folders\n", kFiles, kFolders);
    for (const JobInfo& job : kJobs) PrintJob(out, job.label, RunProgram(job.job), RunBareLoop(job.job));
    std::fprintf(out, "\n");
}

}  // namespace kelvo
