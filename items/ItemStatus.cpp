// Reading and writing an item's status. Stored times are converted to whole
// seconds exactly, without a detour through local time, so a time read and
// written back unchanged stays the same second.
#include "items/ItemStatus.h"

#include <limits>
#include <optional>

namespace kelvo {

namespace {

constexpr uint8_t kCarriedAttributeBits = 0x7F;
constexpr int64_t kLatestSecond = std::numeric_limits<int32_t>::max();  // 2038-01-19 03:14:07 UTC

// Whole seconds since 1970, or false when the time lies outside what the
// record's signed 32-bit seconds can hold.
bool TicksToSeconds(FileTime ticks, int32_t& seconds) {
    if (ticks < kUnixEpochTicks) return false;
    uint64_t whole = (ticks - kUnixEpochTicks) / kTicksPerSecond;
    if (whole > static_cast<uint64_t>(kLatestSecond)) return false;
    seconds = static_cast<int32_t>(whole);
    return true;
}

void ReadTime(FileTime ticks, int32_t& seconds, bool& known) {
    known = TicksToSeconds(ticks, seconds);
    if (!known) seconds = 0;
}

// The item's whole attribute word where the write knows it without asking.
using KnownWord = std::optional<uint32_t>;

// What one SetItemStatus did, so that its caller can steer the write that
// follows and undo a half-done one.
struct WriteTrace {
    KnownWord before;  // the word the write started from, where it got that far
    bool attributesWritten = false;
    uint32_t after = 0;  // where it succeeded: the word it aimed at
};

bool SetItemStatusTracked(FileSystem& files, const std::string& path, const ItemStatus& status, unsigned timeWrites,
                          Reach reach, KnownWord known, WriteTrace& trace) {
    trace = WriteTrace();
    uint32_t current = 0;
    if (known) {
        current = *known;
    } else if (!files.GetAttributes(path, current)) {
        return false;
    }
    trace.before = current;
    uint32_t wanted = status.attributes;
    if (timeWrites & kKeepAttributeWord) wanted |= current & ~static_cast<uint32_t>(0xFF);
    const bool differs = wanted != current;
    if (differs && (current & kAttrReadOnly) != 0) {
        if (!files.SetAttributes(path, wanted, reach)) return false;
        trace.attributesWritten = true;
    }
    if ((timeWrites & kWriteAllTimes) != 0) {
        FileTime creation = SecondsToTicks(status.creation);
        FileTime access = SecondsToTicks(status.access);
        FileTime modification = SecondsToTicks(status.modification);
        if (!files.SetTimes(path, (timeWrites & kWriteCreation) ? &creation : nullptr,
                            (timeWrites & kWriteAccess) ? &access : nullptr,
                            (timeWrites & kWriteModification) ? &modification : nullptr, reach)) {
            return false;
        }
    }
    if (differs && (current & kAttrReadOnly) == 0) {
        if (!files.SetAttributes(path, wanted, reach)) return false;
        trace.attributesWritten = true;
    }
    trace.after = differs ? wanted : current;
    return true;
}

}  // namespace

FileTime SecondsToTicks(int32_t seconds) {
    return static_cast<FileTime>(static_cast<int64_t>(kUnixEpochTicks) +
                                 static_cast<int64_t>(seconds) * static_cast<int64_t>(kTicksPerSecond));
}

ItemStatus StatusFromState(const ItemState& state, const std::string& fullPath) {
    ItemStatus status;
    status.fullPath = fullPath;
    status.attributes = static_cast<uint8_t>(state.attributes & kCarriedAttributeBits);
    ReadTime(state.creation, status.creation, status.creationKnown);
    ReadTime(state.modification, status.modification, status.modificationKnown);
    ReadTime(state.access, status.access, status.accessKnown);
    return status;
}

bool ReadItemStatus(FileSystem& files, const std::string& path, ItemStatus& status) {
    status = ItemStatus();
    std::string fullPath;
    if (!files.GetFullPath(path, fullPath)) return false;
    status.fullPath = fullPath;
    FindEntry entry;
    if (!files.FindOne(path, entry)) return false;
    status = StatusFromState(ItemState{entry.attributes, entry.creation, entry.access, entry.modification}, fullPath);
    status.size = static_cast<uint32_t>(entry.size);
    return true;
}

bool SetItemStatus(FileSystem& files, const std::string& path, const ItemStatus& status, unsigned timeWrites) {
    WriteTrace trace;
    return SetItemStatusTracked(files, path, status, timeWrites, Reach::AsNamed, std::nullopt, trace);
}

bool WriteItemStatus(ItemContext& context, const std::string& path, const ItemStatus& status, unsigned timeWrites) {
    ItemStatus first = status;
    const bool readOnlyHeldBack = (first.attributes & kAttrReadOnly) != 0;
    if (readOnlyHeldBack) first.attributes = static_cast<uint8_t>(first.attributes & ~kAttrReadOnly);

    const Reach reach = context.reach;
    WriteTrace trace;
    const bool firstDone = SetItemStatusTracked(context.files, path, first, timeWrites, reach, std::nullopt, trace);
    // The word to put back where a pair of writes can't be finished.
    const KnownWord original = trace.before;
    if (!firstDone) {
        if (trace.attributesWritten && original) context.files.SetAttributes(path, *original, reach);
        return false;
    }
    if (!readOnlyHeldBack) return true;

    // The first write went through: the file is now without read-only and
    // keeps the bits above the byte it had, which is all that its second
    // write looks at in the word it starts from, so the word the first aimed
    // at stands in for a read. A file the second write can't finish gets its
    // old attributes back rather than staying half-changed.
    if (!SetItemStatusTracked(context.files, path, status, timeWrites, reach, trace.after, trace)) {
        if (original) context.files.SetAttributes(path, *original, reach);
        return false;
    }
    return true;
}

}  // namespace kelvo
