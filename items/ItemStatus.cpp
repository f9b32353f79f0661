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

// SetItemStatus, telling the caller the attribute word the item had before
// and whether an attribute write already went through, so that a caller can
// undo a half-done write.
bool SetItemStatusTracked(FileSystem& files, const std::string& path, const ItemStatus& status, unsigned timeWrites,
                          uint32_t& current, bool& attributesWritten) {
    attributesWritten = false;
    if (!files.GetAttributes(path, current)) return false;
    uint32_t wanted = status.attributes;
    if (timeWrites & kKeepAttributeWord) wanted |= current & ~static_cast<uint32_t>(0xFF);
    const bool differs = wanted != current;
    if (differs && (current & kAttrReadOnly) != 0) {
        if (!files.SetAttributes(path, wanted)) return false;
        attributesWritten = true;
    }
    if ((timeWrites & kWriteAllTimes) != 0) {
        FileTime creation = SecondsToTicks(status.creation);
        FileTime access = SecondsToTicks(status.access);
        FileTime modification = SecondsToTicks(status.modification);
        if (!files.SetTimes(path, (timeWrites & kWriteCreation) ? &creation : nullptr,
                            (timeWrites & kWriteAccess) ? &access : nullptr,
                            (timeWrites & kWriteModification) ? &modification : nullptr)) {
            return false;
        }
    }
    if (differs && (current & kAttrReadOnly) == 0) {
        if (!files.SetAttributes(path, wanted)) return false;
        attributesWritten = true;
    }
    return true;
}

// One write of WriteItemStatus's read-only rule. `original` receives the
// attribute word the item had before this write, where it was read.
bool WriteOnce(FileSystem& files, bool isFolder, const std::string& path, const ItemStatus& status,
               unsigned timeWrites, uint32_t& original, bool& originalKnown, bool& attributesWritten) {
    if (isFolder) {
        attributesWritten = files.SetAttributes(path, status.attributes);
        return attributesWritten;
    }
    uint32_t current = kInvalidAttributes;
    bool ok = SetItemStatusTracked(files, path, status, timeWrites, current, attributesWritten);
    if (!originalKnown && current != kInvalidAttributes) {
        original = current;
        originalKnown = true;
    }
    return ok;
}

}  // namespace

bool ReadItemStatus(FileSystem& files, const std::string& path, ItemStatus& status) {
    status = ItemStatus();
    std::string fullPath;
    if (!files.GetFullPath(path, fullPath)) return false;
    status.fullPath = fullPath;
    FindEntry entry;
    if (!files.FindOne(path, entry)) return false;
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
    return true;
}

bool SetItemStatus(FileSystem& files, const std::string& path, const ItemStatus& status, unsigned timeWrites) {
    uint32_t current = 0;
    bool attributesWritten = false;
    return SetItemStatusTracked(files, path, status, timeWrites, current, attributesWritten);
}

bool WriteItemStatus(ItemContext& context, bool isFolder, const std::string& path, const ItemStatus& status,
                     unsigned timeWrites) {
    ItemStatus first = status;
    const bool readOnlyHeldBack = (first.attributes & kAttrReadOnly) != 0;
    if (readOnlyHeldBack) first.attributes = static_cast<uint8_t>(first.attributes & ~kAttrReadOnly);

    uint32_t original = 0;
    bool originalKnown = false;
    bool attributesWritten = false;
    // A folder's word is only needed to undo a half-done pair of writes.
    if (isFolder && readOnlyHeldBack) originalKnown = context.files.GetAttributes(path, original);

    if (!WriteOnce(context.files, isFolder, path, first, timeWrites, original, originalKnown, attributesWritten)) {
        if (attributesWritten && originalKnown) context.files.SetAttributes(path, original);
        return false;
    }
    if (context.FullView()) context.ShowStatus("変更しました。");
    if (!readOnlyHeldBack) return true;

    // The first write went through: an item the second write can't finish
    // gets its old attributes back rather than staying half-changed.
    if (!WriteOnce(context.files, isFolder, path, status, timeWrites, original, originalKnown, attributesWritten)) {
        if (originalKnown) context.files.SetAttributes(path, original);
        return false;
    }
    return true;
}

}  // namespace kelvo
