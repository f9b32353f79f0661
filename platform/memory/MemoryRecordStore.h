// The change records kept in memory, for tests and benchmarks: each record
// its lines as flushed, in code page 932 as the program wrote them (a
// system message stands in as "(message N)"). Holds are kept as on disk: a
// record with a live writer can't be read (InUse), one with a live reader or
// writer can't be deleted. A test can keep records from being made, make
// writers fail after some lines, count the lines readers gave, and sees
// which records the shell was asked to open. The window's thread and the
// worker may use it at once; readers and writers must not outlive it.
#pragma once
#include <cstddef>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/RecordStore.h"

namespace kelvo {

class MemoryRecordStore : public RecordStore {
public:
    struct Line {
        std::string text;
        bool exact = true;
    };
    using Lines = std::vector<Line>;

    // --- for tests ---------------------------------------------------------
    void Put(const std::string& name, const Lines& lines);
    // The lines of a record as flushed; empty when there is none.
    Lines LinesOf(const std::string& name);
    std::vector<std::string> TextsOf(const std::string& name);
    void RefuseCreate(bool refuse);
    // From now on a writer's Flush is refused (and the writer fails) where
    // its record would hold more than `lines` lines.
    void RefuseWritesAfter(size_t lines);
    // AppendLine refused.
    void RefuseAppendLine(bool refuse);
    // The lines all readers have given so far.
    size_t LinesRead();
    // The names the shell was asked to open ("" for the folder), in order.
    std::vector<std::string> Shown();

    // --- RecordStore -------------------------------------------------------
    std::unique_ptr<RecordWriter> Create(const std::string& name) override;
    std::vector<std::string> Names() override;
    std::unique_ptr<RecordReader> Read(const std::string& name, bool fromTheEnd,
                                       RecordAccess* access = nullptr) override;
    bool AppendLine(const std::string& name, const std::string& line) override;
    bool Delete(const std::string& name) override;
    bool Show(const std::string& name) override;

private:
    class Writer;
    class Reader;
    // False where the lines would pass the limit; nothing is added then.
    bool AddLines(const std::string& name, const Lines& lines);
    void WriterGone(const std::string& name);
    void ReaderGone(const std::string& name);
    // The line of a record at `index`, counted as read; false past its end.
    bool LineAt(const std::string& name, size_t index, Line& line);

    std::mutex mutex_;
    std::map<std::string, Lines> records_;
    std::set<std::string> writing_;
    std::map<std::string, int> readers_;
    std::vector<std::string> shown_;
    bool refuseCreate_ = false;
    bool refuseAppendLine_ = false;
    size_t writeLimit_ = static_cast<size_t>(-1);
    size_t linesRead_ = 0;
};

}  // namespace kelvo
