// Whole runs on a real folder tree: RunJob with the Win32 file system and
// clock, and the in-memory window holding the job.
#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "platform/memory/MemoryWindow.h"
#include "platform/win32/Win32Clock.h"
#include "resources/ResourceIds.h"
#include "run/RunJob.h"
#include "tests/win32/Win32FileSystemFixture.h"

namespace kelvo {
namespace {

const char* const kNoChange = "\n変更は何もありませんでした。";

class RunJobOnDiskTest : public Win32FileSystemTest {
protected:
    void SetUp() override {
        Win32FileSystemTest::SetUp();
        // 表 ends in the byte of a backslash.
        for (const char* folder : {"表", "sub", "sub\\deep"}) ASSERT_TRUE(TempFolder::MakeFolder(temp / folder));
        for (const std::string& file : FileNames()) ASSERT_TRUE(TempFolder::MakeFile(temp / file, "x"));
        SetAttributeBoxes(kIndeterminate, kIndeterminate, kIndeterminate, kIndeterminate);
        window.SetText(IDC_PATH, temp.Path());
    }

    static std::vector<std::string> FileNames() {
        return {"a.txt", "表\\b.txt", "sub\\d.txt", "sub\\deep\\c.txt"};
    }

    void SetAttributeBoxes(int readOnly, int hidden, int archive, int system) {
        window.SetCheck(IDC_READ_ONLY, readOnly);
        window.SetCheck(IDC_HIDDEN, hidden);
        window.SetCheck(IDC_ARCHIVE, archive);
        window.SetCheck(IDC_SYSTEM, system);
    }

    RunEnd Run() {
        RunEnvironment environment{files, clock, window, fullView, cancelRequested};
        return RunJob(environment);
    }

    uint32_t AttributesOf(const std::string& relative) {
        uint32_t attributes = 0;
        EXPECT_TRUE(files.GetAttributes(temp / relative, attributes)) << relative;
        return attributes & (kAttrReadOnly | kAttrHidden);
    }

    std::string FinishText(bool anyChange) {
        return "\"" + temp.Path() + "\"\nディレクトリ内の全ての処理が終了しました。" + (anyChange ? "" : kNoChange);
    }

    Win32Clock clock;
    MemoryWindow window;
    std::atomic<int> fullView{1};
    std::atomic<bool> cancelRequested{false};
};

TEST_F(RunJobOnDiskTest, SetsAndClearsReadOnlyAndHiddenOnEveryFile) {
    SetAttributeBoxes(kChecked, kChecked, kIndeterminate, kIndeterminate);
    EXPECT_EQ(RunEnd::Finished, Run());
    for (const std::string& file : FileNames()) EXPECT_EQ(kAttrReadOnly | kAttrHidden, AttributesOf(file)) << file;
    EXPECT_EQ(FinishText(true), window.GetText(IDC_STATUS));
    EXPECT_EQ(1, window.Beeps());
    std::string current;
    ASSERT_TRUE(files.GetCurrentDirectory(current));
    EXPECT_EQ(temp.Path(), current);
    // Folders are left alone unless asked for.
    EXPECT_EQ(0u, AttributesOf("sub"));

    SetAttributeBoxes(kUnchecked, kUnchecked, kIndeterminate, kIndeterminate);
    EXPECT_EQ(RunEnd::Finished, Run());
    for (const std::string& file : FileNames()) EXPECT_EQ(0u, AttributesOf(file)) << file;
    EXPECT_EQ(FinishText(true), window.GetText(IDC_STATUS));

    EXPECT_EQ(RunEnd::Finished, Run());
    EXPECT_EQ(FinishText(false), window.GetText(IDC_STATUS));
    EXPECT_EQ(3, window.Beeps());
}

TEST_F(RunJobOnDiskTest, FoldersBelowTheTargetGetTheChangeWhenAsked) {
    SetAttributeBoxes(kIndeterminate, kChecked, kIndeterminate, kIndeterminate);
    window.SetCheck(IDC_FOLDERS_TOO, kChecked);
    EXPECT_EQ(RunEnd::Finished, Run());
    for (const char* folder : {"表", "sub", "sub\\deep"}) EXPECT_EQ(kAttrHidden, AttributesOf(folder)) << folder;
    uint32_t target = 0;
    ASSERT_TRUE(files.GetAttributes(temp.Path(), target));
    EXPECT_EQ(0u, target & kAttrHidden);
}

TEST_F(RunJobOnDiskTest, ModificationTimeIsSetAsLocalTime) {
    window.SetCheck(IDC_MODIFIED_BOX, kChecked);
    const int ids[] = {IDC_MODIFIED_YEAR, IDC_MODIFIED_MONTH, IDC_MODIFIED_DAY,
                       IDC_MODIFIED_HOUR, IDC_MODIFIED_MINUTE, IDC_MODIFIED_SECOND};
    const char* texts[] = {"2003", "11", "24", "12", "50", "54"};
    for (int i = 0; i < 6; ++i) window.SetText(ids[i], texts[i]);
    EXPECT_EQ(RunEnd::Finished, Run());

    CalendarFields fields;
    fields.year = 2003;
    fields.month = 11;
    fields.day = 24;
    fields.hour = 12;
    fields.minute = 50;
    fields.second = 54;
    int64_t utc = 0;
    ASSERT_TRUE(clock.LocalToUtc(fields, utc));
    const FileTime expected = kUnixEpochTicks + static_cast<FileTime>(utc) * kTicksPerSecond;
    for (const std::string& file : FileNames()) {
        FindEntry entry;
        ASSERT_TRUE(files.FindOne(temp / file, entry)) << file;
        EXPECT_EQ(expected, entry.modification) << file;
    }
    EXPECT_EQ(FinishText(true), window.GetText(IDC_STATUS));
}

TEST_F(RunJobOnDiskTest, OneFileAsTheTarget) {
    SetAttributeBoxes(kIndeterminate, kChecked, kIndeterminate, kIndeterminate);
    const std::string file = temp / "表\\b.txt";
    window.SetText(IDC_PATH, file);
    EXPECT_EQ(RunEnd::Finished, Run());
    EXPECT_EQ(kAttrHidden, AttributesOf("表\\b.txt"));
    EXPECT_EQ(0u, AttributesOf("a.txt"));
    EXPECT_EQ("\"" + file + "\"\nファイルの処理が終了しました。", window.GetText(IDC_STATUS));
    EXPECT_EQ(1, window.Beeps());
}

TEST_F(RunJobOnDiskTest, MissingTargetIsRefused) {
    window.SetText(IDC_PATH, temp / "missing");
    EXPECT_EQ(RunEnd::Refused, Run());
    ASSERT_EQ(1u, window.MessageBoxes().size());
    EXPECT_EQ("設定したパスが存在しない、又はディレクトリでは無いと思われます。", window.MessageBoxes()[0].text);
    EXPECT_EQ(0, window.Beeps());
}

}  // namespace
}  // namespace kelvo
