// The change records kept in memory, for tests and benchmarks: each record
// its lines as flushed, in code page 932 as the program wrote them (a
// system message stands in as "(message N)"). A test can keep records from
// being made and sees which the shell was asked to open.
#pragma once
#include <map>
#include <mutex>
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
    void RefuseCreate(bool refuse) { refuseCreate_ = refuse; }
    // The names the shell was asked to open ("" for the folder), in order.
    std::vector<std::string> Shown();

    // --- RecordStore -------------------------------------------------------
    std::unique_ptr<RecordWriter> Create(const std::string& name) override;
    std::vector<std::string> Names() override;
    std::unique_ptr<RecordReader> Read(const std::string& name, bool fromTheEnd) override;
    bool AppendLine(const std::string& name, const std::string& line) override;
    bool Delete(const std::string& name) override;
    bool Show(const std::string& name) override;

private:
    class Writer;
    void AddLines(const std::string& name, const Lines& lines);

    std::mutex mutex_;
    std::map<std::string, Lines> records_;
    std::vector<std::string> shown_;
    bool refuseCreate_ = false;
};

}  // namespace kelvo
