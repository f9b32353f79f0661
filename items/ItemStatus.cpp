// Reading and writing an item's status. Stored times are converted to whole
// seconds exactly, without a detour through local time, so a time read and
// written back unchanged stays the same second.
#include "items/ItemStatus.h"

#include <limits>

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

FileTime SecondsToTicks(int32_t seconds) {
    return static_cast<FileTime>(static_cast<int64_t>(kUnixEpochTicks) +
                                 static_cast<int64_t>(seconds) * static_cast<int64_t>(kTicksPerSecond));
}

void ReadTime(FileTime ticks, int32_t& seconds, bool& known) {
    known = TicksToSeconds(ticks, seconds);
    if (!known) seconds = 0;
}

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

// One write of WriteItemStatus's read-only rule.
bool WriteOnce(FileSystem& files, bool isFolder, const std::string& path, const ItemStatus& status,
               unsigned timeWrites, Reach reach, KnownWord current, WriteTrace& trace) {
    if (isFolder) {
        trace = WriteTrace();
        trace.attributesWritten = files.SetAttributes(path, status.attributes, reach);
        return trace.attributesWritten;
    }
    return SetItemStatusTracked(files, path, status, timeWrites, reach, current, trace);
}

}  // namespace

ItemStatus StatusFromEntry(const FindEntry& entry, const std::string& fullPath) {
    ItemStatus status;
    status.fullPath = fullPath;
    status.attributes = static_cast<uint8_t>(entry.attributes & kCarriedAttributeBits);
    status.size = static_cast<uint32_t>(entry.size);
    ReadTime(entry.creation, status.creation, status.creationKnown);
    ReadTime(entry.modification, status.modification, status.modificationKnown);
    ReadTime(entry.access, status.access, status.accessKnown);
    // A time the item lacks stands in as its modification time, and is as
    // trustworthy as that time is.
    if (status.creation == 0) {
        status.creation = status.modification;
        status.creationKnown = status.modificationKnown;
    }
    if (status.access == 0) {
        status.access = status.modification;
        status.accessKnown = status.modificationKnown;
    }
    return status;
}

bool ReadItemStatus(FileSystem& files, const std::string& path, ItemStatus& status, KnownWord& word) {
    status = ItemStatus();
    word.reset();
    std::string fullPath;
    if (!files.GetFullPath(path, fullPath)) return false;
    status.fullPath = fullPath;
    FindEntry entry;
    if (!files.FindOne(path, entry)) return false;
    status = StatusFromEntry(entry, fullPath);
    word = entry.attributes;
    return true;
}

bool ReadItemStatus(FileSystem& files, const std::string& path, ItemStatus& status) {
    KnownWord word;
    return ReadItemStatus(files, path, status, word);
}

bool SetItemStatus(FileSystem& files, const std::string& path, const ItemStatus& status, unsigned timeWrites) {
    WriteTrace trace;
    return SetItemStatusTracked(files, path, status, timeWrites, Reach::AsNamed, std::nullopt, trace);
}

bool WriteItemStatus(ItemContext& context, bool isFolder, const std::string& path, const ItemStatus& status,
                     unsigned timeWrites, KnownWord current) {
    ItemStatus first = status;
    const bool readOnlyHeldBack = (first.attributes & kAttrReadOnly) != 0;
    if (readOnlyHeldBack) first.attributes = static_cast<uint8_t>(first.attributes & ~kAttrReadOnly);

    // The word to put back where a pair of writes can't be finished.
    KnownWord original = current;
    // A folder's word is only needed to undo a half-done pair of writes.
    if (isFolder && readOnlyHeldBack && !original) {
        uint32_t word = 0;
        if (context.files.GetAttributes(path, word)) original = word;
    }

    const Reach reach = context.reach;
    WriteTrace trace;
    const bool firstDone = WriteOnce(context.files, isFolder, path, first, timeWrites, reach, current, trace);
    if (!original) original = trace.before;
    if (!firstDone) {
        if (trace.attributesWritten && original) context.files.SetAttributes(path, *original, reach);
        return false;
    }
    if (context.FullView()) context.ShowStatus("変更しました。");
    if (!readOnlyHeldBack) return true;

    // The first write went through: a file is now without read-only and
    // keeps the bits above the byte it had, which is all that its second
    // write looks at in the word it starts from, so the word the first aimed
    // at stands in for a read (a folder's write needs none). An item the
    // second write can't finish gets its old attributes back rather than
    // staying half-changed.
    if (!WriteOnce(context.files, isFolder, path, status, timeWrites, reach, trace.after, trace)) {
        if (original) context.files.SetAttributes(path, *original, reach);
        return false;
    }
    return true;
}

}  // namespace kelvo
