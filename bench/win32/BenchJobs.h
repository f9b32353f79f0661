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

// Puts the tree back as it was before a run of `job` and returns how many
// files that run had changed (-1 where the job leaves nothing to count).
long Restore(Job job, const std::string& root);

}  // namespace kelvo::bench
