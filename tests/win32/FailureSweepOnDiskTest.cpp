// The failure sweep on a real disk: the same job, refusals and checks as
// on the in-memory file system, over Win32FileSystem on a small tree in a
// temporary folder, built afresh for every run.
#include <gtest/gtest.h>

#include "platform/win32/Win32FileSystem.h"
#include "tests/shared/FailureSweep.h"
#include "tests/win32/TempFolder.h"

namespace kelvo {
namespace {

constexpr FileTime kUnixEpochTicks = 116444736000000000ull;
constexpr FileTime kTicksPerSecond = 10000000ull;

FileTime Ticks(int64_t seconds) { return kUnixEpochTicks + static_cast<FileTime>(seconds) * kTicksPerSecond; }

class DiskWorld {
public:
    DiskWorld() {
        wchar_t current[MAX_PATH + 1] = {};
        GetCurrentDirectoryW(MAX_PATH + 1, current);
        savedDirectory_ = current;
    }
    ~DiskWorld() { SetCurrentDirectoryW(savedDirectory_.c_str()); }

    // Every file lacks the hidden bit the job sets: Wine keeps the archive
    // bit the job clears, so an item's change shows only by that bit.
    // Files are told apart by their sizes, which no run changes: reading
    // their contents could change their access times. Times are whole
    // seconds, so a clean run's write-back gives exactly the times read.
    void Build() {
        // A run refused from some call on may leave the current directory in the tree.
        SetCurrentDirectoryW(temp_.WidePath().c_str());
        TempFolder::RemoveTree(Target());
        for (const char* folder : {"", "\\A", "\\A\\B", "\\E"}) {
            ASSERT_TRUE(TempFolder::MakeFolder(Target() + folder)) << folder;
        }
        struct File {
            const char* path;
            uint32_t attributes;
        };
        const File tree[] = {
            {"\\A\\x1.txt", kAttrArchive},     {"\\A\\xro.txt", kAttrArchive | kAttrReadOnly},
            {"\\A\\B\\b.dat", kAttrSystem},     {"\\A\\B\\表x.doc", kAttrReadOnly},
            {"\\c.txt", kAttrArchive},         {"\\x2.log", kAttrArchive},
        };
        int64_t seconds = 1500000000;
        size_t size = 1;
        for (const File& file : tree) {
            const std::string path = Target() + file.path;
            ASSERT_TRUE(TempFolder::MakeFile(path, std::string(size++, 'k'))) << path;
            const FileTime access = Ticks(seconds + 1000), modification = Ticks(seconds);
            ASSERT_TRUE(files_.SetTimes(path, nullptr, &access, &modification)) << path;
            ASSERT_TRUE(files_.SetAttributes(path, file.attributes)) << path;
            seconds += 86400;
        }
    }

    FileSystem& Files() { return files_; }
    std::string Target() const { return temp_ / "T"; }

    // Wine stores no creation time, so it is left out; a folder's times are
    // the system's own, which change as its contents do, and no job writes them.
    sweep::Snapshot Snap() {
        sweep::Snapshot items;
        std::vector<std::string> pending = {Target()};
        while (!pending.empty()) {
            const std::string folder = pending.back();
            pending.pop_back();
            std::unique_ptr<DirectoryListing> listing = files_.List(folder + "\\*");
            if (listing == nullptr) {
                ADD_FAILURE() << "unlisted: " << folder;
                continue;
            }
            FindEntry entry;
            while (listing->Next(entry).IsEntry()) {
                if (entry.name == "." || entry.name == "..") continue;
                const bool isFolder = (entry.attributes & kAttrDirectory) != 0;
                sweep::ItemState state{folder + "\\" + entry.name, entry.attributes};
                if (!isFolder) {
                    state.access = entry.access;
                    state.modification = entry.modification;
                }
                if (isFolder) pending.push_back(state.path);
                const std::string key = isFolder ? state.path : "size " + std::to_string(entry.size);
                EXPECT_EQ(items.count(key), 0u) << "twice: " << key;
                items[key] = state;
            }
        }
        return items;
    }

private:
    std::wstring savedDirectory_;
    TempFolder temp_;
    Win32FileSystem files_;
};

class FailureSweepOnDiskTest : public ::testing::Test {
protected:
    void SetUp() override {
        sweep.Prepare();
        ASSERT_GT(sweep.Calls().size(), 40u);
    }
    sweep::FailureSweep<DiskWorld> sweep;
};

TEST_F(FailureSweepOnDiskTest, EachSingleRefusedCallIsCountedOrHarmless) {
    sweep.EachSingleRefusedCallIsCountedOrHarmless();
}

TEST_F(FailureSweepOnDiskTest, EveryCallFromSomePointOnRefusedNeverPassesForSuccess) {
    sweep.EveryCallFromSomePointOnRefusedNeverPassesForSuccess();
}

}  // namespace
}  // namespace kelvo
