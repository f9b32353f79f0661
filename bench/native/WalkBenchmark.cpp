// Folder runs over generated trees on the in-memory platform: a wide tree
// (1,000 subfolders in one folder) and a deep tree (one chain of folders as
// deep as paths allow), each with 10,000 and with 100,000 files. Prints the
// directory entries read per tree entry (each folder is listed once, so 1
// plus what the "." and ".." entries add) and the items treated per second.
// Before them it prints the calls each file costs per job, beside a safe loop.
#include <benchmark/benchmark.h>

#include <atomic>
#include <string>

#include "bench/native/CallsPerFile.h"
#include "platform/memory/MemoryClock.h"
#include "platform/memory/FaultyMemoryFileSystem.h"
#include "platform/memory/MemoryWindow.h"
#include "resources/ControlGroups.h"
#include "run/RunJob.h"

namespace kelvo {
namespace {

constexpr int kWideFolders = 1000;
constexpr int kDeepLevels = 80;  // "C:\T" and 80 levels of "\dN" stay inside a path's 259 bytes

struct Tree {
    FaultyMemoryFileSystem files;
    int64_t entries = 0;  // files and folders below the target
    int64_t folders = 1;  // the target included: each lists "." and ".." besides its entries
};

void FillFolder(Tree& tree, const std::string& folder, int fileCount) {
    for (int i = 0; i < fileCount; ++i) tree.files.AddFile(folder + "\\f" + std::to_string(i) + ".txt");
    tree.entries += fileCount;
}

void BuildWide(Tree& tree, int fileCount) {
    for (int i = 0; i < kWideFolders; ++i) {
        std::string folder = "C:\\T\\w" + std::to_string(i);
        tree.files.AddFolder(folder);
        FillFolder(tree, folder, fileCount / kWideFolders);
    }
    tree.entries += kWideFolders;
    tree.folders += kWideFolders;
}

void BuildDeep(Tree& tree, int fileCount) {
    std::string folder = "C:\\T";
    tree.files.AddFolder(folder);
    for (int level = 0; level < kDeepLevels; ++level) {
        folder += "\\d" + std::to_string(level % 10);
        tree.files.AddFolder(folder);
        FillFolder(tree, folder, fileCount / kDeepLevels);
    }
    tree.entries += kDeepLevels;
    tree.folders += kDeepLevels;
}

void RunTree(benchmark::State& state, void (*build)(Tree&, int)) {
    Tree tree;
    build(tree, static_cast<int>(state.range(0)));
    MemoryWindow window;
    MemoryClock clock;
    std::atomic<int> fullView{0};
    std::atomic<bool> cancel{false};
    for (int box : kAttributeBoxes) window.SetCheck(box, kIndeterminate);
    window.SetCheck(IDC_FOLDERS_TOO, kChecked);
    window.SetText(IDC_PATH, "C:\\T");
    RunEnvironment environment{tree.files, clock, window, fullView, cancel};

    uint64_t entriesRead = 0;
    int runs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // Set and clear hidden in turn, so that every run writes every item.
        window.SetCheck(IDC_HIDDEN, runs % 2 == 0 ? kChecked : kUnchecked);
        tree.files.ClearCalls();
        uint64_t before = tree.files.EntriesRead();
        state.ResumeTiming();
        benchmark::DoNotOptimize(RunJob(environment));
        entriesRead += tree.files.EntriesRead() - before;
        ++runs;
    }
    state.counters["entries_read_per_entry"] =
        static_cast<double>(entriesRead) / static_cast<double>(tree.entries * runs);
    // The same with "." and ".." counted as entries: 1.0 means every listing is read exactly once.
    state.counters["entries_read_per_listed_entry"] =
        static_cast<double>(entriesRead) / static_cast<double>((tree.entries + 2 * tree.folders) * runs);
    state.counters["items_per_second"] =
        benchmark::Counter(static_cast<double>(tree.entries * runs), benchmark::Counter::kIsRate);
}

void WideTree(benchmark::State& state) { RunTree(state, BuildWide); }
void DeepTree(benchmark::State& state) { RunTree(state, BuildDeep); }

BENCHMARK(WideTree)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(DeepTree)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kelvo

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    kelvo::PrintCallsPerFile(stdout);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
