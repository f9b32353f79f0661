#include "bench/win32/BenchJobs.h"

#include <windows.h>

#include "bench/win32/BenchTree.h"

namespace kelvo::bench {
namespace {

// 2001-02-03 04:05:06 UTC in ticks of 100 ns since 1601.
constexpr ULONGLONG kModificationTicks = 126253263060000000ULL;

void SetHidden(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(path.c_str(), attributes | FILE_ATTRIBUTE_HIDDEN);
}

void SetModification(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    FILETIME time{static_cast<DWORD>(kModificationTicks & 0xFFFFFFFFu), static_cast<DWORD>(kModificationTicks >> 32)};
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
}

// The title head as the wide calls take it (it is plain ASCII).
std::wstring WideHead() { return std::wstring(kTitleHead, kTitleHead + std::char_traits<char>::length(kTitleHead)); }

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
    const std::wstring head = WideHead();
    return WalkFiles(root, [job, &head](const std::wstring& folder, const std::wstring& name) {
        const std::wstring path = folder + L"\\" + name;
        switch (job) {
            case Job::Hidden: SetHidden(path); break;
            case Job::Time: SetModification(path); break;
            case Job::Rename: MoveFileW(path.c_str(), (folder + L"\\" + head + name).c_str()); break;
        }
    });
}

long Restore(Job job, const std::string& root) {
    if (job == Job::Time) return -1;
    long changed = 0;
    const std::wstring head = WideHead();
    WalkFiles(root, [&](const std::wstring& folder, const std::wstring& name) {
        const std::wstring path = folder + L"\\" + name;
        if (job == Job::Hidden) {
            const DWORD attributes = GetFileAttributesW(path.c_str());
            if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_HIDDEN) == 0) return;
            SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_HIDDEN);
            ++changed;
        } else if (name.compare(0, head.size(), head) == 0) {
            MoveFileW(path.c_str(), (folder + L"\\" + name.substr(head.size())).c_str());
            ++changed;
        }
    });
    return changed;
}

}  // namespace kelvo::bench
