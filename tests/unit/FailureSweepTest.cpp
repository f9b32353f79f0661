// The failure sweep on the in-memory file system, and a refused call on the
// window with its worker on a real thread.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "tests/shared/FailureSweep.h"
#include "tests/unit/MainDialogTestFixture.h"

namespace kelvo {
namespace {

const std::string kTarget = "C:\\T";

// Whole seconds, distinct per file, so a clean run's write-back of the
// times it doesn't change gives exactly the times read.
FileTime Ticks(int64_t seconds) { return kUnixEpochTicks + static_cast<FileTime>(seconds) * kTicksPerSecond; }

// Files are told apart by their contents, which no run changes.
void BuildTree(MemoryFileSystem& files) {
    struct File {
        const char* path;
        uint32_t attributes;
    };
    const File tree[] = {
        {"C:\\T\\A\\x1.txt", kAttrArchive},
        {"C:\\T\\A\\xro.txt", kAttrArchive | kAttrReadOnly},
        {"C:\\T\\A\\B\\b.dat", kAttrHidden},
        {"C:\\T\\A\\B\\表x.doc", kAttrReadOnly},
        {"C:\\T\\c.txt", kAttrArchive},
        {"C:\\T\\x2.log", kAttrArchive},
    };
    int64_t seconds = 1500000000;
    for (const File& file : tree) {
        MemoryFileSystem::Node& node = files.AddFile(file.path, file.attributes, Ticks(seconds), file.path);
        node.creation = Ticks(seconds - 1000);
        node.access = Ticks(seconds + 1000);
        seconds += 86400;
    }
    files.AddFolder("C:\\T\\A\\B", kAttrReadOnly);
    files.AddFolder("C:\\T\\E");
}

struct MemoryWorld {
    void Build() {
        files = std::make_unique<MemoryFileSystem>();
        BuildTree(*files);
    }
    FileSystem& Files() { return *files; }
    std::string Target() const { return kTarget; }
    sweep::Snapshot Snap() {
        sweep::Snapshot items;
        std::vector<MemoryFileSystem::Node*> pending = {files->Find(kTarget)};
        while (!pending.empty()) {
            MemoryFileSystem::Node* folder = pending.back();
            pending.pop_back();
            for (auto& child : folder->children) {
                sweep::ItemState state{MemoryFileSystem::PathOf(*child), child->attributes, child->creation,
                                       child->access, child->modification};
                if (child->IsFolder()) pending.push_back(child.get());
                const std::string key = child->IsFolder() ? state.path : child->content;
                EXPECT_EQ(items.count(key), 0u) << "twice: " << key;
                items[key] = state;
            }
        }
        return items;
    }
    std::unique_ptr<MemoryFileSystem> files;
};

class FailureSweepTest : public ::testing::Test {
protected:
    void SetUp() override {
        sweep.Prepare();
        ASSERT_GT(sweep.Calls().size(), 60u);
    }
    sweep::FailureSweep<MemoryWorld> sweep;
};

TEST_F(FailureSweepTest, EachSingleRefusedCallIsCountedOrHarmless) { sweep.EachSingleRefusedCallIsCountedOrHarmless(); }

TEST_F(FailureSweepTest, EveryCallFromSomePointOnRefusedNeverPassesForSuccess) {
    sweep.EveryCallFromSomePointOnRefusedNeverPassesForSuccess();
}

// The same job on the window, its worker on a real thread: a refused call
// still gives the window back, with the count line in the status text.
class FailureSweepDialogTest : public MainDialogTest {};

TEST_F(FailureSweepDialogTest, ControlsComeBackAfterARefusedRun) {
    BuildTree(files.Memory());
    threads.SetMode(MemoryThreads::Mode::RealThread);
    dialog = std::make_unique<MainDialog>(
        DialogPlatform{window, shell, files, clock, threads, [](RunEnvironment& e) { return RunJob(e); }},
        kExeFolder, std::string());
    ASSERT_TRUE(dialog->OnInitDialog());
    sweep::SetJob(window, kTarget);
    files.RefuseOperation("WriteItem", "yro.txt", 0);
    dialog->StartOrCancel();
    WaitForIdle();
    EXPECT_FALSE(dialog->Worker().Running());
    EXPECT_EQ(window.GetText(IDC_START), "一括変更開始(&E)");
    EXPECT_TRUE(window.ControlState(IDC_PATH).enabled);
    EXPECT_TRUE(window.ControlState(IDC_HIDDEN).enabled);
    EXPECT_TRUE(window.ControlState(IDC_RENAME_ON).enabled);
    EXPECT_EQ(window.GetText(IDC_STATUS), sweep::FinishedText(kTarget) + "\n変更できなかった項目: 1件");
    // The read-only file whose times were refused has its new name, and
    // its attributes and times as they were.
    MemoryFileSystem::Node* node = files.Find("C:\\T\\A\\yro.txt");
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->attributes, kAttrArchive | kAttrReadOnly);
    EXPECT_EQ(node->modification, Ticks(1500000000 + 86400));
}

}  // namespace
}  // namespace kelvo
