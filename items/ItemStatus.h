// The status of one file or folder (three times, size, attribute byte, full
// path), how it is read from the file system and how it is written back.
#pragma once
#include <cstdint>
#include <string>

#include "items/ItemContext.h"

namespace kelvo {

struct ItemStatus {
    // Seconds since 1970-01-01 00:00:00 UTC, entered and shown as local time; 0: no time.
    int32_t creation = 0;
    int32_t modification = 0;
    int32_t access = 0;
    uint32_t size = 0;         // low 32 bits of the size
    uint8_t attributes = 0;    // the low seven bits of the attribute word
    std::string fullPath;
    // False where the stored time can't be held in the seconds above (before
    // 1970 or after 2038-01-19 03:14:07 UTC); that time then reads as 0.
    bool creationKnown = true;
    bool modificationKnown = true;
    bool accessKnown = true;
};

// Which of the three times a write passes on; the others stay as the item has them.
enum TimeWrite : unsigned {
    kWriteNoTimes = 0,
    kWriteCreation = 1,
    kWriteAccess = 2,
    kWriteModification = 4,
    kWriteAllTimes = 7,
    // Compare and write the attribute byte within the item's whole attribute
    // word, keeping the bits above the byte (not-content-indexed and the like).
    kKeepAttributeWord = 8,
};

// A time of the record as the file system stores it.
FileTime SecondsToTicks(int32_t seconds);

// Reads an item's status. False when the path can't be resolved or the item
// isn't found; the record must then not be acted on.
bool ReadItemStatus(FileSystem& files, const std::string& path, ItemStatus& status);

// The status of the item at `fullPath` in the state an update read. A time
// the seconds can't hold is not known, and nothing stands in for it: a
// creation or access time before 1970 is never taken for another time.
ItemStatus StatusFromState(const ItemState& state, const std::string& fullPath);

// The platform-facing write: attribute byte and the chosen times, in the
// order that lets a read-only item get new times. False on the first refused call.
bool SetItemStatus(FileSystem& files, const std::string& path, const ItemStatus& status, unsigned timeWrites);

// The write by separate calls, for a file whose update the system won't
// let write its times while it is read-only: written first without
// read-only, then with it, reached as context.reach says. False when a
// write was refused; an attribute write it had made is then undone where
// the file system lets it.
bool WriteItemStatus(ItemContext& context, const std::string& path, const ItemStatus& status, unsigned timeWrites);

}  // namespace kelvo
