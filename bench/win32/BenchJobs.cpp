#include "bench/win32/BenchJobs.h"

#include <windows.h>

#include "bench/win32/BenchTree.h"

namespace kelvo::bench {
namespace {

// 2001-02-03 04:05:06 UTC in ticks of 100 ns since 1601.
constexpr ULONGLONG kModificationTicks = 126253263060000000ULL;

void SetHidden(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesA(path.c_str(), attributes | FILE_ATTRIBUTE_HIDDEN);
}

void SetModification(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    FILETIME time{static_cast<DWORD>(kModificationTicks & 0xFFFFFFFFu), static_cast<DWORD>(kModificationTicks >> 32)};
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
}

}  // namespace

const std::vector<JobInfo>& Jobs() {
    static const std::vector<JobInfo> jobs = {
        {Job::Hidden, 'h', "hidden"},
        {Job::Time, 't', "mod. time"},
        {Job::Rename, 'r', "rename"},
    };
    return jobs;
}

long RunBaseline(Job job, const std::string& root) {
    return WalkFiles(root, [job](const std::string& folder, const std::string& name) {
        const std::string path = folder + "\\" + name;
        switch (job) {
            case Job::Hidden: SetHidden(path); break;
            case Job::Time: SetModification(path); break;
            case Job::Rename: MoveFileA(path.c_str(), (folder + "\\" + kTitleHead + name).c_str()); break;
        }
    });
}

long Restore(Job job, const std::string& root) {
    if (job == Job::Time) return -1;
    long changed = 0;
    const std::string head = kTitleHead;
    WalkFiles(root, [&](const std::string& folder, const std::string& name) {
        const std::string path = folder + "\\" + name;
        if (job == Job::Hidden) {
            const DWORD attributes = GetFileAttributesA(path.c_str());
            if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_HIDDEN) == 0) return;
            SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_HIDDEN);
            ++changed;
        } else if (name.compare(0, head.size(), head) == 0) {
            MoveFileA(path.c_str(), (folder + "\\" + name.substr(head.size())).c_str());
            ++changed;
        }
    });
    return changed;
}

}  // namespace kelvo::bench
