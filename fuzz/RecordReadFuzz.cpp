// The reading of a change record and the undo on arbitrary record texts,
// over a small tree of its own. Whatever the record says: every line that
// reads as an item's change reads back the same once written again; the undo
// ends; nothing it doesn't name changes; and an item it names is written
// only where it was as one of the record's lines for it left it.
#include <atomic>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "platform/Cp932Text.h"
#include "platform/memory/FaultyMemoryFileSystem.h"
#include "platform/memory/MemoryClock.h"
#include "platform/memory/MemoryRecordStore.h"
#include "platform/memory/MemoryWindow.h"
#include "run/RecordFormat.h"
#include "run/UndoJob.h"
#include "run/UndoableRecord.h"

namespace {

using kelvo::FileTime;
using kelvo::ItemState;
using Node = kelvo::MemoryFileSystem::Node;

// 2001-02-03 04:05:06.1234567 UTC.
constexpr FileTime kTime = 126256467061234567ULL;

struct Item {
    std::string name;  // letter case as the item has it
    ItemState state;
};

void Snap(const Node& node, const std::string& path, std::map<std::string, Item>& items) {
    items[kelvo::FoldCase(path)] = {node.name, {node.attributes, node.creation, node.access, node.modification}};
    for (const auto& child : node.children) Snap(*child, path + "\\" + child->name, items);
}

std::map<std::string, Item> Snapshot(kelvo::FaultyMemoryFileSystem& files) {
    std::map<std::string, Item> items;
    Snap(*files.Find("C:\\T"), "C:\\T", items);
    return items;
}

bool SameState(const ItemState& a, const ItemState& b) {
    return a.attributes == b.attributes && a.creation == b.creation && a.access == b.access &&
           a.modification == b.modification;
}

bool SameChange(const kelvo::ChangedItem& a, const kelvo::ChangedItem& b) {
    return a.isFolder == b.isFolder && a.pathBefore == b.pathBefore && a.pathAfter == b.pathAfter &&
           a.before.has_value() == b.before.has_value() && (!a.before || SameState(*a.before, *b.before)) &&
           (!a.after || SameState(*a.after, *b.after));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    kelvo::MemoryRecordStore::Lines lines;
    std::vector<kelvo::ChangedItem> changed;
    size_t start = 0;
    while (start <= bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        const std::string line = bytes.substr(start, end - start);
        lines.push_back({line, true});
        kelvo::RecordLine parsed;
        const bool read = kelvo::ParseRecordLine(line, parsed);
        if (read && (parsed.kind == kelvo::RecordLine::Kind::Changed || parsed.kind == kelvo::RecordLine::Kind::Changing)) {
            kelvo::RecordLine again;
            const bool changing = parsed.kind == kelvo::RecordLine::Kind::Changing;
            KELVO_FUZZ_CHECK(kelvo::ParseRecordLine(
                changing ? kelvo::ChangingLine(parsed.changed) : kelvo::ChangedLine(parsed.changed), again));
            KELVO_FUZZ_CHECK(SameChange(again.changed, parsed.changed));
            changed.push_back(parsed.changed);
        }
        // A folder line names the folder whose times the undo may give back.
        if (read && parsed.kind == kelvo::RecordLine::Kind::Folder) {
            changed.push_back(kelvo::ChangedItem{true, parsed.text, parsed.text, std::nullopt, std::nullopt});
        }
        start = end + 1;
    }

    kelvo::FaultyMemoryFileSystem files;
    for (const char* path : {"C:\\T\\a.txt", "C:\\T\\xa.txt", "C:\\T\\sub\\b.txt"}) {
        Node& node = files.AddFile(path, kelvo::kAttrArchive, kTime);
        node.creation = kTime - 7;
    }
    kelvo::MemoryRecordStore records;
    records.Put("20261209-063000-000.txt", lines);
    kelvo::UndoableRecord record;
    if (kelvo::FindUndoableRecord(records, record) != kelvo::UndoableFound::Found) return 0;

    const std::map<std::string, Item> before = Snapshot(files);
    kelvo::MemoryWindow window;
    kelvo::MemoryClock clock;
    std::atomic<int> fullView{1};
    std::atomic<bool> cancel{false};
    kelvo::UndoEnvironment environment{files, clock, window, fullView, cancel, records};
    const kelvo::RunEnd end = kelvo::UndoJob(environment, record);
    KELVO_FUZZ_CHECK(end == kelvo::RunEnd::Finished);
    const std::map<std::string, Item> after = Snapshot(files);

    // An item that is no longer as it was stands where a line of the record
    // puts it back: under the line's old name, and, where the line has a
    // state, with each time that line says the run wrote back as it was.
    for (const auto& [path, item] : after) {
        auto was = before.find(path);
        if (was != before.end() && was->second.name == item.name && SameState(was->second.state, item.state)) continue;
        bool named = false;
        for (const kelvo::ChangedItem& line : changed) {
            // A rename moves the time of the folder it is in.
            std::string folder, name;
            kelvo::SplitPath(line.pathAfter, folder, name);
            if (line.pathBefore != line.pathAfter && kelvo::FoldCase(folder) == path) named = true;
            if (kelvo::FoldCase(line.pathBefore) != path) continue;
            bool timesBack = true;
            if (line.before && line.after) {
                FileTime ItemState::*times[3] = {&ItemState::creation, &ItemState::access, &ItemState::modification};
                for (FileTime ItemState::*time : times) {
                    const bool written = (*line.before).*time != (*line.after).*time;
                    if (written && item.state.*time != (*line.before).*time) timesBack = false;
                }
            }
            if (timesBack) named = true;
        }
        KELVO_FUZZ_CHECK(named);
    }
    return 0;
}
