// Kelvo.exe against a bare loop of the same Win32 calls, a safe loop (each
// file opened as itself, read, checked and written through its handle) and,
// for the hidden job, the system's attrib.exe, on real trees in a scratch
// folder, under the same conditions in the same process: for each tree and
// job, the median of the repeats of each, and their ratios. During
// the runs on the probed tree (the largest one chosen) the window's message
// round trip is measured; the peak working set of Kelvo.exe is kept per tree.
//
// Arguments (all optional):
//   --trees abcde  which trees (a: 10,000 files in 100 folders, b: 100,000
//                  files in 1,000 folders, c: 2,000 subfolders of 5 files,
//                  d: chain of 200 folders of 10 files, e: one folder of
//                  100,000 files)
//   --jobs htr     which jobs (h: set hidden, t: set the modification time,
//                  r: rename with a title head)
//   --repeats 3    runs of each, the median is shown
//   --work DIR     the scratch folder (default: KELVO_SCRATCH)
//   --records 1    also time a preview before each run of Kelvo and the
//                  undo of it after, with their peak working sets
// KELVO_EXE names the program, as for the end-to-end tests.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "bench/win32/BenchJobs.h"
#include "bench/win32/BenchTree.h"
#include "bench/win32/KelvoRun.h"

namespace kelvo::bench {
namespace {

struct Options {
    std::string trees = "abcde";
    std::string jobs = "htr";
    int repeats = 3;
    std::string work;
    bool records = false;
};

struct Row {
    std::string tree, job;
    long items = 0;
    double kelvo = 0, baseline = 0, safe = 0;
    double attrib = -1;  // hidden only: the system's attrib +h /s
    double preview = 0, undo = 0;  // with --records
    size_t previewPeak = 0, undoPeak = 0;
    bool allFinished = true;
};

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double Percentile(std::vector<double> values, double share) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t at = std::min(values.size() - 1, static_cast<size_t>(share * static_cast<double>(values.size())));
    return values[at];
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool ParseOptions(int argc, char** argv, Options& options) {
    const char* scratch = std::getenv("KELVO_SCRATCH");
    if (scratch != nullptr) options.work = scratch;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        if (name == "--trees") options.trees = argv[i + 1];
        else if (name == "--jobs") options.jobs = argv[i + 1];
        else if (name == "--repeats") options.repeats = std::max(1, std::atoi(argv[i + 1]));
        else if (name == "--work") options.work = argv[i + 1];
        else if (name == "--records") options.records = std::atoi(argv[i + 1]) != 0;
        else return false;
    }
    return !options.work.empty() && std::getenv("KELVO_EXE") != nullptr;
}

void PrintTable(const std::vector<Row>& rows) {
    std::printf("\n| tree | job | items | Kelvo s | baseline s | ratio | safe loop s | Kelvo / safe | attrib s |\n"
                "|---|---|---:|---:|---:|---:|---:|---:|---:|\n");
    for (const Row& row : rows) {
        char attrib[32] = "-";
        if (row.attrib >= 0) std::snprintf(attrib, sizeof attrib, "%.2f", row.attrib);
        std::printf("| %s | %s | %ld | %.2f | %.2f | %.2f | %.2f | %.2f | %s%s |\n", row.tree.c_str(), row.job.c_str(),
                    row.items, row.kelvo, row.baseline, row.baseline > 0 ? row.kelvo / row.baseline : 0.0, row.safe,
                    row.safe > 0 ? row.kelvo / row.safe : 0.0, attrib, row.allFinished ? "" : " (a run did not finish)");
    }
}

int Run(const Options& options) {
    std::vector<Row> rows;
    std::map<char, size_t> peakWorkingSet;
    std::vector<double> roundTrips;
    // The largest chosen tree: (b) when chosen, otherwise the first.
    char probedTree = 0;
    for (const TreeShape& shape : TreeShapes()) {
        if (options.trees.find(shape.key) != std::string::npos && probedTree == 0) probedTree = shape.key;
    }
    if (options.trees.find('b') != std::string::npos) probedTree = 'b';

    for (const TreeShape& shape : TreeShapes()) {
        if (options.trees.find(shape.key) == std::string::npos) continue;
        const std::string root = options.work + "\\tree-" + shape.key;
        LARGE_INTEGER made0, made1;
        QueryPerformanceCounter(&made0);
        MakeTree(shape, root);
        QueryPerformanceCounter(&made1);
        std::printf("tree %s made in %.1f s\n", shape.label, Seconds(made0, made1));
        std::fflush(stdout);
        for (const JobInfo& job : Jobs()) {
            if (options.jobs.find(job.key) == std::string::npos) continue;
            Row row{shape.label, job.label};
            std::vector<double> kelvoTimes, baselineTimes, safeTimes, attribTimes, previewTimes, undoTimes;
            for (int repeat = 0; repeat < options.repeats; ++repeat) {
                if (options.records) {
                    const KelvoRunResult preview = RunKelvo(job.job, root, false, KelvoAction::Preview);
                    previewTimes.push_back(preview.seconds);
                    row.previewPeak = std::max(row.previewPeak, preview.peakWorkingSet);
                    row.allFinished = row.allFinished && preview.finished;
                }
                const KelvoRunResult kelvo = RunKelvo(job.job, root, shape.key == probedTree);
                if (options.records) {
                    const KelvoRunResult undo = RunKelvo(job.job, root, false, KelvoAction::Undo);
                    undoTimes.push_back(undo.seconds);
                    row.undoPeak = std::max(row.undoPeak, undo.peakWorkingSet);
                    row.allFinished = row.allFinished && undo.finished;
                }
                const long kelvoChanged = Restore(job.job, root);
                LARGE_INTEGER start0, end0, start, end;
                QueryPerformanceCounter(&start0);
                row.items = RunBaseline(job.job, root);
                QueryPerformanceCounter(&end0);
                const long baselineChanged = Restore(job.job, root);
                QueryPerformanceCounter(&start);
                RunSafeLoop(job.job, root);
                QueryPerformanceCounter(&end);
                safeTimes.push_back(Seconds(start, end));
                Restore(job.job, root);
                if (job.job == Job::Hidden) {
                    const double attrib = RunAttribHidden(root);
                    if (attrib >= 0) attribTimes.push_back(attrib);
                    Restore(job.job, root);
                }
                kelvoTimes.push_back(kelvo.seconds);
                baselineTimes.push_back(Seconds(start0, end0));
                row.allFinished = row.allFinished && kelvo.finished;
                peakWorkingSet[shape.key] = std::max(peakWorkingSet[shape.key], kelvo.peakWorkingSet);
                roundTrips.insert(roundTrips.end(), kelvo.roundTripsMs.begin(), kelvo.roundTripsMs.end());
                std::printf("  %s %s #%d: Kelvo %.2f s (changed %ld), baseline %.2f s (changed %ld of %ld), "
                            "safe loop %.2f s%s\n",
                            shape.label, job.label, repeat + 1, kelvo.seconds, kelvoChanged, Seconds(start0, end0),
                            baselineChanged, row.items, safeTimes.back(), kelvo.finished ? "" : " NOT FINISHED");
                std::fflush(stdout);
            }
            row.kelvo = Median(kelvoTimes);
            row.baseline = Median(baselineTimes);
            row.safe = Median(safeTimes);
            if (!attribTimes.empty()) row.attrib = Median(attribTimes);
            row.preview = Median(previewTimes);
            row.undo = Median(undoTimes);
            rows.push_back(row);
        }
    }
    PrintTable(rows);
    if (options.records) {
        std::printf("\n| tree | job | Kelvo s | preview s | undo s | preview peak MB | undo peak MB |\n"
                    "|---|---|---:|---:|---:|---:|---:|\n");
        for (const Row& row : rows) {
            std::printf("| %s | %s | %.2f | %.2f | %.2f | %.1f | %.1f |\n", row.tree.c_str(), row.job.c_str(), row.kelvo,
                        row.preview, row.undo, row.previewPeak / 1048576.0, row.undoPeak / 1048576.0);
        }
    }
    std::printf("\nPeak working set of Kelvo.exe:\n");
    for (const auto& [tree, bytes] : peakWorkingSet) std::printf("  tree %c: %.1f MB\n", tree, bytes / 1048576.0);
    if (peakWorkingSet.count('a') && peakWorkingSet.count('b') && peakWorkingSet['a'] > 0) {
        std::printf("  b / a: %.2f (goal <= 1.2)\n",
                    static_cast<double>(peakWorkingSet['b']) / static_cast<double>(peakWorkingSet['a']));
    }
    if (!roundTrips.empty()) {
        std::printf("\nWM_NULL round trip during the runs on tree %c (%zu probes): p99 %.1f ms (goal < 50), max %.1f ms "
                    "(goal < 200)\n",
                    probedTree, roundTrips.size(), Percentile(roundTrips, 0.99),
                    *std::max_element(roundTrips.begin(), roundTrips.end()));
    }
    std::printf("Goals: ratio <= 1.1 for hidden and rename and <= 1.3 for mod. time on trees a and b; "
                "<= 1.3 for every job on trees c and d; Kelvo / safe loop <= 1.1; Kelvo no slower than attrib\n");
    return 0;
}

}  // namespace
}  // namespace kelvo::bench

int main(int argc, char** argv) {
    kelvo::bench::Options options;
    if (!kelvo::bench::ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: KelvoBenchmark [--trees abcde] [--jobs htr] [--repeats N] [--work DIR] [--records 1]\n"
                     "KELVO_EXE must name Kelvo.exe; the scratch folder comes from --work or KELVO_SCRATCH\n");
        return 2;
    }
    return kelvo::bench::Run(options);
}
