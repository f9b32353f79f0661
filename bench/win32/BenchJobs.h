// The three jobs the benchmark times: what the bare loop does per file
// (the same Win32 calls Kelvo has to make at the least), and how a tree is
// put back afterwards so every timed run starts from the same tree.
#pragma once
#include <string>
#include <vector>

namespace kelvo::bench {

enum class Job { Hidden, Time, Rename };

struct JobInfo {
    Job job;
    char key;  // 'h', 't', 'r', as chosen on the command line
    const char* label;
};

const std::vector<JobInfo>& Jobs();

// What a rename run puts in front of every title.
inline constexpr const char* kTitleHead = "h";

// The bare loop: walks `root` and makes the job's calls on every file,
// through the wide (...W) calls. Returns the number of files treated.
long RunBaseline(Job job, const std::string& root);

// The safe loop: the least a change that never acts on another item than
// the one listed needs. Walks `root` as the bare loop does and, per file,
// opens it as itself, reads its word and times from the handle, compares
// the handle's final path with its folder's (under Wine the only sign of a
// link to a file), writes through the handle and closes it; a rename is a
// MoveFileW, as in the bare loop. Returns the number of files treated.
long RunSafeLoop(Job job, const std::string& root);

// The system's own `attrib +h "<root>\*" /s` (hidden only): its time in
// seconds, or a negative number where it can't be started.
double RunAttribHidden(const std::string& root);

// Puts the tree back as it was before a run of `job` and returns how many
// files that run had changed (-1 where the job leaves nothing to count).
long Restore(Job job, const std::string& root);

}  // namespace kelvo::bench
