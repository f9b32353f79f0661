#include "bench/win32/BenchJobs.h"

#include <windows.h>

#include "bench/win32/BenchTree.h"

#include <map>

namespace kelvo::bench {
namespace {

// 2001-02-03 04:05:06 UTC in ticks of 100 ns since 1601.
constexpr ULONGLONG kModificationTicks = 126256467060000000ULL;

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

// The final path of an open item, as the system gives it.
std::wstring FinalPath(HANDLE handle) {
    wchar_t buffer[MAX_PATH * 2];
    const DWORD length = GetFinalPathNameByHandleW(handle, buffer, MAX_PATH * 2, VOLUME_NAME_DOS);
    return length > 0 && length < MAX_PATH * 2 ? std::wstring(buffer, length) : std::wstring();
}

// One file changed as the safe loop changes it; `folderFinal` is the final
// path of its folder, looked up once per folder.
void ChangeItself(Job job, const std::wstring& path, const std::wstring& name, const std::wstring& folderFinal) {
    const DWORD share = job == Job::Time ? FILE_SHARE_READ : FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    const DWORD data = job == Job::Time ? FILE_READ_DATA : 0;
    HANDLE file = CreateFileW(path.c_str(), data | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, share, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    FILE_BASIC_INFO info = {};
    if (GetFileInformationByHandleEx(file, FileBasicInfo, &info, sizeof info) &&
        FinalPath(file) == folderFinal + L"\\" + name) {
        FILE_BASIC_INFO out = {};
        if (job == Job::Hidden) out.FileAttributes = info.FileAttributes | FILE_ATTRIBUTE_HIDDEN;
        if (job == Job::Time) out.LastWriteTime.QuadPart = static_cast<LONGLONG>(kModificationTicks);
        SetFileInformationByHandle(file, FileBasicInfo, &out, sizeof out);
    }
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

long RunSafeLoop(Job job, const std::string& root) {
    const std::wstring head = WideHead();
    std::map<std::wstring, std::wstring> folderFinals;
    return WalkFiles(root, [&](const std::wstring& folder, const std::wstring& name) {
        const std::wstring path = folder + L"\\" + name;
        if (job == Job::Rename) {
            MoveFileW(path.c_str(), (folder + L"\\" + head + name).c_str());
            return;
        }
        auto known = folderFinals.find(folder);
        if (known == folderFinals.end()) {
            HANDLE handle = CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE |
                                        FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
            std::wstring final;
            if (handle != INVALID_HANDLE_VALUE) {
                final = FinalPath(handle);
                CloseHandle(handle);
            }
            known = folderFinals.emplace(folder, final).first;
        }
        ChangeItself(job, path, name, known->second);
    });
}

double RunAttribHidden(const std::string& root) {
    std::wstring command = L"attrib.exe +h \"";
    for (char c : root) command += static_cast<wchar_t>(static_cast<unsigned char>(c));
    command += L"\\*\" /s";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER start, end, frequency;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                        &process)) {
        return -1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    QueryPerformanceCounter(&end);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
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
