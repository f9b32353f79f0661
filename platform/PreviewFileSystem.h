// A file system that lets a run go through all its steps with nothing
// changed on disk: it wraps the real one, passes reads (and the moves of
// the current directory, which change nothing on disk) through, and keeps
// the run's renames in an overlay that later reads of the same run see, so
// the walk, the rename rules and the item change decide everything as a
// run would: the same items, the same new names, the same names taken. A
// write is never made; every write counts as done, since whether the
// system would refuse one can't be known without making it. What an
// update would write is not held: a run reads each item's state once, in
// its one update, so no later read needs it. Memory grows with the
// renames only.
#pragma once
#include <map>
#include <memory>
#include <set>
#include <string>

#include "platform/FileSystem.h"

namespace kelvo {

class PreviewFileSystem : public FileSystem {
public:
    explicit PreviewFileSystem(FileSystem& inner) : inner_(inner) {}

    bool SetCurrentDirectory(const std::string& path) override;
    bool GetCurrentDirectory(std::string& path) override;
    std::unique_ptr<DirectoryListing> List(const std::string& pattern) override;
    bool FindOne(const std::string& path, FindEntry& entry) override;
    bool GetFullPath(const std::string& path, std::string& fullPath) override;
    bool GetAttributes(const std::string& path, uint32_t& attributes) override;
    bool SetAttributes(const std::string& path, uint32_t attributes, Reach reach = Reach::AsNamed) override;
    bool SetTimes(const std::string& path, const FileTime* creation, const FileTime* access,
                  const FileTime* modification, Reach reach = Reach::AsNamed) override;
    bool UpdateItem(const std::string& path, const ItemOpening& opening, const UpdateDecision& decide,
                    ItemState* after = nullptr) override;
    bool Move(const std::string& from, const std::string& to) override;
    bool Replace(const std::string& from, const std::string& to) override;
    bool Delete(const std::string& path) override;
    bool ReadWholeFile(const std::string& path, std::string& bytes) override;
    std::unique_ptr<WritableFile> OpenForWriting(const std::string& path, bool truncate) override;
    std::string ModulePath() override { return inner_.ModulePath(); }
    uint32_t LastError() const override { return lastError_; }

    // How many renames the overlay holds.
    size_t Renames() const { return movedTo_.size(); }

private:
    class Listing;

    // Where an item a path names lies on disk: the path itself, or where the
    // overlay moved from. False (with the error set) where the overlay moved
    // the item away.
    bool OnDisk(const std::string& path, std::string& disk, std::string* shownName = nullptr);
    bool Fail(uint32_t error);
    bool Forwarded(bool ok);

    struct Moved {
        std::string disk;  // the item's path on disk
        std::string name;  // its name in the overlay
    };

    FileSystem& inner_;
    // By the folded full path an item has in the overlay.
    std::map<std::string, Moved> movedTo_;
    // The folded full paths on disk whose items the overlay moved away.
    std::set<std::string> movedAway_;
    uint32_t lastError_ = 0;
};

}  // namespace kelvo
