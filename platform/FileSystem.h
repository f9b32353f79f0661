// Everything the run, the item operations and the settings file ask of the
// file system. Paths and names are code page 932 byte strings, and only
// exact ones cross this interface: a path that comes back from the system
// (current directory, full path, the module's path) is a failure with
// kErrorNotExact when it has no exact code page 932 form, and a listing
// marks such entries rather than giving a stand-in name. A path other than
// a listing's pattern names one item, so a '*' or '?' in it is refused
// rather than matched as a wildcard. Nothing here throws.
//
// Each call reports success or failure. A call that fails sets LastError()
// to the platform's own error code for it; a call that succeeds leaves
// LastError() as it was, so it is read right after the failure it tells of.
// Listings report their end and their failures with each step instead.
//
// Links (symbolic links, junctions) are listed as entries of their own. A
// write reaches the item a path names in one of two ways (Reach): as the
// system's plain calls do, for the item the user named, or as the item
// itself, never what a link points to, for an item met in a listing.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/FileLimits.h"

namespace kelvo {

// A stored file time: 100-nanosecond ticks since 1601-01-01 00:00:00 UTC.
using FileTime = uint64_t;

// Attribute bits as the platform defines them.
enum : uint32_t {
    kAttrReadOnly = 0x01,
    kAttrHidden = 0x02,
    kAttrSystem = 0x04,
    kAttrVolume = 0x08,
    kAttrDirectory = 0x10,
    kAttrArchive = 0x20,
    kAttrDevice = 0x40,
    kAttrNormal = 0x80,
    kAttrReparsePoint = 0x400,
    kAttrNotContentIndexed = 0x2000,
};

// Reparse tags: the kind of a reparse point. A tag with the name-surrogate
// bit stands for another item (a link); other kinds (cloud placeholders,
// deduplicated or compressed files) are the item itself, stored differently.
enum : uint32_t {
    kReparseTagNameSurrogate = 0x20000000,
    kReparseTagMountPoint = 0xA0000003,  // a junction
    kReparseTagSymlink = 0xA000000C,
};

inline constexpr uint32_t kInvalidAttributes = 0xFFFFFFFFu;

// The bits a write of an attribute word sets (the system's
// FILE_ATTRIBUTE_VALID_SET_FLAGS, "normal" aside).
inline constexpr uint32_t kSettableAttributes = 0x01 | 0x02 | 0x04 | 0x20 | 0x100 | 0x1000 | 0x2000;

// The attribute word an item has after a write of `written` over `current`:
// the settable bits are the written ones, the others stay, and a file with
// no bit left is "normal".
inline uint32_t AttributesAfterWrite(uint32_t current, uint32_t written) {
    const uint32_t result = (current & ~(kSettableAttributes | kAttrNormal)) | (written & kSettableAttributes);
    return result == 0 ? kAttrNormal : result;
}

// How a write reaches the item its path names when that item is a link.
// Links along the way to it are resolved as the system resolves them.
enum class Reach {
    // As the system's plain calls reach it: for the item the user named,
    // which the user chose, link or not.
    AsNamed,
    // The item itself and never what a link points to: for an item met in
    // a listing. Where the system can't change a link as itself, the write
    // is refused with kErrorThroughLink.
    Itself,
};

// One entry of a directory listing or of a single-path lookup.
struct FindEntry {
    // False when the system's name has no exact code page 932 form. No path
    // of the program can name such an item, so `name` is then empty and the
    // entry is never to be acted on; its attributes still tell a folder
    // from a file.
    bool exact = true;
    std::string name;
    // Where `name` is empty for want of an exact form: the name as the
    // system has it, in UTF-8, only ever written down (a change record is
    // UTF-8), never a path of the program's.
    std::string systemName;
    uint32_t attributes = 0;
    // The reparse point's kind when `attributes` has kAttrReparsePoint; 0
    // otherwise, and where the system doesn't tell the kind.
    uint32_t reparseTag = 0;
    uint64_t size = 0;
    FileTime creation = 0;
    FileTime access = 0;
    FileTime modification = 0;
};

// A link: a reparse point of a kind that stands for another item, or one
// whose kind can't be read, which may be one.
inline bool IsLink(const FindEntry& entry) {
    return (entry.attributes & kAttrReparsePoint) != 0 &&
           (entry.reparseTag == 0 || (entry.reparseTag & kReparseTagNameSurrogate) != 0);
}

// A folder that a walk of a tree enters: a folder link leads out of the
// tree, or round in a circle back into it.
inline bool IsFolderToEnter(const FindEntry& entry) {
    return (entry.attributes & kAttrDirectory) != 0 && !IsLink(entry);
}

// One step of a listing: an entry, the listing's end, or a failure with
// the platform's error code. A listing that failed gives nothing more.
struct ListingStep {
    enum class Kind { Entry, End, Failed };
    Kind kind = Kind::End;
    uint32_t error = 0;  // the failure's code; 0 for an entry and the end

    static ListingStep Entry() { return {Kind::Entry, 0}; }
    static ListingStep End() { return {Kind::End, 0}; }
    static ListingStep Failed(uint32_t error) { return {Kind::Failed, error}; }
    bool IsEntry() const { return kind == Kind::Entry; }
};

// An open enumeration (FindFirstFile .. FindClose). Destroying it closes it.
// Each step tells its own outcome and leaves the file system's LastError()
// as it was.
class DirectoryListing {
public:
    virtual ~DirectoryListing() = default;
    // The next entry in file-system order, the end, or why there is none.
    virtual ListingStep Next(FindEntry& entry) = 0;
};

// An item's attribute word and its three times as one update reads them
// from the open item.
struct ItemState {
    uint32_t attributes = 0;
    FileTime creation = 0;
    FileTime access = 0;
    FileTime modification = 0;
};

// What one update writes: the whole attribute word where it is given, and
// each time that is given; whatever is left empty stays as the item has it.
struct ItemChange {
    std::optional<uint32_t> attributes;
    std::optional<FileTime> creation;
    std::optional<FileTime> access;
    std::optional<FileTime> modification;

    bool WritesTimes() const { return creation || access || modification; }
    bool Empty() const { return !attributes && !WritesTimes(); }
};

// How one update opens its item.
struct ItemOpening {
    Reach reach = Reach::Itself;
    // The update may write times: the item is then opened for reading too,
    // with read sharing only, so a file that another program holds open for
    // writing or without sharing keeps its times (the open is refused with
    // a sharing violation).
    bool forTimes = false;
};

// Says, from the item's state as the open item gives it, what to write.
// Returning false writes nothing.
using UpdateDecision = std::function<bool(const ItemState& now, ItemChange& change)>;

// A file opened for writing with no sharing. Destroying it closes it.
class WritableFile {
public:
    virtual ~WritableFile() = default;
    virtual bool Write(const std::string& bytes) = 0;
    virtual bool Close() = 0;
    // Empties the file; what is written next starts it anew. The file
    // stays the same file, with its attributes, times and links.
    virtual bool Truncate() = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual bool SetCurrentDirectory(const std::string& path) = 0;
    // The current directory as a full path (no trailing backslash except at a drive root).
    virtual bool GetCurrentDirectory(std::string& path) = 0;

    // Enumerates the current directory, or the folder a pattern names, with "*"
    // semantics. A folder with no entries at all (an empty drive root) gives a
    // listing that ends at once. Returns null, with LastError() set, when the
    // enumeration can't be started.
    virtual std::unique_ptr<DirectoryListing> List(const std::string& pattern) = 0;
    // Looks one path up in its folder's listing (FindFirstFile on the path, then FindClose).
    virtual bool FindOne(const std::string& path, FindEntry& entry) = 0;
    // Resolves a path against the current directory.
    virtual bool GetFullPath(const std::string& path, std::string& fullPath) = 0;

    virtual bool GetAttributes(const std::string& path, uint32_t& attributes) = 0;
    // The default of `reach` is the same in every implementation.
    virtual bool SetAttributes(const std::string& path, uint32_t attributes, Reach reach = Reach::AsNamed) = 0;
    // Opens the item for reading and writing with read sharing only, sets the
    // times given (null leaves that time as it is) and closes it again.
    virtual bool SetTimes(const std::string& path, const FileTime* creation, const FileTime* access,
                          const FileTime* modification, Reach reach = Reach::AsNamed) = 0;
    // One update of one item as it is at this moment: opens it, reads its
    // attribute word and times from the open item, asks `decide` what to
    // write, writes that in one call on the same open item and closes it.
    // A read-only file gets new times this way too. Where `after` is given
    // and something was written, the item is read once more before it is
    // closed: `after` is then what the file system kept. False when the item
    // can't be opened or read, or the write is refused; `decide` is then
    // called only if the read succeeded. The default of `after` is the same
    // in every implementation.
    virtual bool UpdateItem(const std::string& path, const ItemOpening& opening, const UpdateDecision& decide,
                            ItemState* after = nullptr) = 0;
    // MoveFile: renames an item; fails when the target exists.
    virtual bool Move(const std::string& from, const std::string& to) = 0;
    // Replaces the file `to`, which must exist, with the file `from`
    // (ReplaceFile): `to` gets `from`'s content and keeps its own
    // attributes and creation time; `from` is gone.
    virtual bool Replace(const std::string& from, const std::string& to) = 0;
    virtual bool Delete(const std::string& path) = 0;

    // Reads a whole file opened for reading with no sharing (it must exist).
    virtual bool ReadWholeFile(const std::string& path, std::string& bytes) = 0;
    // Opens a file for writing with no sharing. `truncate` creates or empties it
    // (CREATE_ALWAYS); otherwise it is created when missing and left as it is (OPEN_ALWAYS).
    virtual std::unique_ptr<WritableFile> OpenForWriting(const std::string& path, bool truncate) = 0;

    // Full path of the program's own executable; empty when it can't be had.
    virtual std::string ModulePath() = 0;

    virtual uint32_t LastError() const = 0;
};

}  // namespace kelvo
