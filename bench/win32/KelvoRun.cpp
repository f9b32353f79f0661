#include "bench/win32/KelvoRun.h"

// clang-format off
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>
// clang-format on

#include <atomic>
#include <thread>

#include "tests/e2e/KelvoProcess.h"

namespace kelvo::bench {
namespace {

constexpr DWORD kRunTimeoutMs = 30 * 60 * 1000;
constexpr DWORD kProbeIntervalMs = 10;
constexpr UINT kProbeTimeoutMs = 10000;
const char* const kStartCaption = "一括変更開始(&E)";
const char* const kFinishedText = "ディレクトリ内の全ての処理が終了しました。";
const char* const kPreviewedText = "変更内容の確認が終わりました。";
const char* const kUndoneText = "直前の一括変更を元に戻しました。";

double Now() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / frequency;
}

// Three-state boxes cycle indeterminate -> unticked -> ticked.
void Tick(const e2e::KelvoProcess& kelvo, int box) {
    for (int i = 0; i < 3 && kelvo.Check(box) != BST_CHECKED; ++i) kelvo.Click(box);
}

void SetUpJob(const e2e::KelvoProcess& kelvo, Job job) {
    switch (job) {
        case Job::Hidden: Tick(kelvo, 1001); break;
        case Job::Time: Tick(kelvo, 1034); break;
        case Job::Rename:
            Tick(kelvo, 1077);
            if (kelvo.Check(1078) != BST_UNCHECKED) kelvo.Click(1078);  // add, not delete
            for (int edit : {1073, 1074, 1075, 1076, 1084, 1085, 1086, 1087}) kelvo.SetText(edit, "");
            kelvo.SetText(1073, kTitleHead);
            break;
    }
}

void Probe(HWND window, const std::atomic<bool>& stop, std::vector<double>& roundTrips) {
    while (!stop.load()) {
        DWORD_PTR result = 0;
        const double start = Now();
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kProbeTimeoutMs, &result);
        roundTrips.push_back((Now() - start) * 1000.0);
        Sleep(kProbeIntervalMs);
    }
}

size_t PeakWorkingSet(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (process == nullptr) return 0;
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    const BOOL ok = GetProcessMemoryInfo(process, &counters, sizeof counters);
    CloseHandle(process);
    return ok ? counters.PeakWorkingSetSize : 0;
}

}  // namespace

// The program the shell opened a preview's record with is ended before
// anything else is timed: reading a record of thousands of lines keeps it
// busy for a while.
void EndRecordViewers() {
    for (int i = 0; i < 100; ++i) {
        bool found = false;
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32W entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
            if (_wcsicmp(entry.szExeFile, L"notepad.exe") != 0) continue;
            found = true;
            HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID);
            if (process == nullptr) continue;
            TerminateProcess(process, 0);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
        CloseHandle(snapshot);
        if (found) return;
        Sleep(50);
    }
}

KelvoRunResult RunKelvo(Job job, const std::string& root, bool probe, KelvoAction action) {
    KelvoRunResult result;
    e2e::KelvoProcess kelvo(root);
    if (kelvo.Window() == nullptr) return result;
    if (action != KelvoAction::Undo) SetUpJob(kelvo, job);
    std::atomic<bool> stopProbe{false};
    std::thread prober;
    if (probe) prober = std::thread(Probe, kelvo.Window(), std::cref(stopProbe), std::ref(result.roundTripsMs));

    const std::string statusBefore = kelvo.Text(1010);
    double start = Now();
    switch (action) {
        case KelvoAction::Run: kelvo.Click(1); break;
        case KelvoAction::Preview: kelvo.Post(WM_SYSCOMMAND, 0x0040, 0); break;
        case KelvoAction::Undo: {
            kelvo.Post(WM_SYSCOMMAND, 0x0020, 0);
            HWND question = e2e::WaitForOwnedDialog("確認", kelvo.Window(), 30000);
            if (question == nullptr) break;
            start = Now();
            PostMessageW(question, WM_COMMAND, IDYES, 0);
            break;
        }
    }

    // BM_CLICK returns once the run has started; the button reads the
    // cancel caption until the worker has given the window back.
    // A command posted from the system menu has not started its run when
    // the post returns: its end shows as a new closing text as well.
    bool timedOut = false;
    while (kelvo.Text(1) != kStartCaption || (action != KelvoAction::Run && kelvo.Text(1010) == statusBefore)) {
        if ((Now() - start) * 1000.0 > kRunTimeoutMs) {
            timedOut = true;
            break;
        }
        Sleep(2);
    }
    result.seconds = Now() - start;
    stopProbe.store(true);
    if (prober.joinable()) prober.join();
    result.status = kelvo.Text(1010);
    const char* const closing = action == KelvoAction::Run ? kFinishedText
                                : action == KelvoAction::Preview ? kPreviewedText
                                                                 : kUndoneText;
    result.finished = !timedOut && result.status.find(closing) != std::string::npos;
    if (action == KelvoAction::Preview) EndRecordViewers();
    result.peakWorkingSet = PeakWorkingSet(kelvo.Window());
    kelvo.CloseWith(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 20000);
    return result;
}

}  // namespace kelvo::bench
