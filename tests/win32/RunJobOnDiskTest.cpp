// Whole runs on a real folder tree: RunJob with the Win32 file system and
// clock, and the in-memory window holding the job.
#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "platform/memory/MemoryWindow.h"
#include "platform/win32/Win32Clock.h"
#include "resources/ResourceIds.h"
#include "run/RunJob.h"
#include "tests/win32/CalendarFieldsOf.h"
#include "tests/win32/TestZone.h"
#include "tests/win32/Win32FileSystemFixture.h"
#include "tests/shared/FailureCount.h"

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

    const CalendarFields typed = CalendarFieldsOf(2003, 11, 24, 12, 50, 54);
    for (const std::string& file : FileNames()) {
        FindEntry entry;
        ASSERT_TRUE(files.FindOne(temp / file, entry)) << file;
        if (InTestZone("Europe/Berlin")) {
            // Berlin's winter time is an hour ahead: 11:50:54 UTC.
            EXPECT_EQ(127141482540000000ull, entry.modification) << file;
        } else {
            ExpectAZoneApart(typed, UnixSecondsOf(entry.modification));
        }
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
    // A wildcard names no one item, though "a.txt" would match it.
    for (const std::string& target : {temp / "missing", temp / "a.tx?", temp / "a*"}) {
        window.SetText(IDC_PATH, target);
        EXPECT_EQ(RunEnd::Refused, Run()) << target;
    }
    ASSERT_EQ(3u, window.MessageBoxes().size());
    EXPECT_EQ("設定したパスが存在しない、又はディレクトリでは無いと思われます。", window.MessageBoxes()[0].text);
    EXPECT_EQ(0, window.Beeps());
    EXPECT_EQ(0u, AttributesOf("a.txt"));
}

// A folder whose names code page 932 has no exact form for: a best-fit
// conversion would list "..\\outside.txt" (a file in the parent) and a
// second "cafe.txt".
class OddNamesOnDiskTest : public RunJobOnDiskTest {
protected:
    void SetUp() override {
        RunJobOnDiskTest::SetUp();
        ASSERT_TRUE(TempFolder::MakeFile(temp / "outside.txt", "x"));
        ASSERT_TRUE(TempFolder::MakeFolder(temp / "T"));
        for (const std::wstring& name : OddNames()) ASSERT_TRUE(TempFolder::MakeFile(Odd(name), "x"));
        ASSERT_TRUE(TempFolder::MakeFile(temp / "T\\cafe.txt", "x"));
        ASSERT_TRUE(TempFolder::MakeFile(temp / "T\\plain.txt", "x"));
        ASSERT_TRUE(TempFolder::MakeFolder(Odd(L"\uD55C")));
        ASSERT_TRUE(TempFolder::MakeFile(Odd(L"\uD55C\\in.txt"), "x"));
        window.SetText(IDC_PATH, temp / "T");
    }

    static std::vector<std::wstring> OddNames() {
        return {L"..\u00A5outside.txt", L"caf\u00E9.txt", L"\U0001F600.txt"};
    }
    std::wstring Odd(const std::wstring& name) { return temp / (L"T\\" + name); }
    bool Hidden(const std::wstring& path) { return (TempFolder::Attributes(path) & kAttrHidden) != 0; }

};

TEST_F(OddNamesOnDiskTest, RunChangesOnlyItemsInsideAndCountsEveryOddName) {
    // Wine shows a name that starts with a dot as hidden from the start.
    std::vector<DWORD> before;
    for (const std::wstring& name : OddNames()) before.push_back(TempFolder::Attributes(Odd(name)));
    SetAttributeBoxes(kIndeterminate, kChecked, kIndeterminate, kIndeterminate);
    window.SetCheck(IDC_FOLDERS_TOO, kChecked);
    EXPECT_EQ(RunEnd::Finished, Run());
    const std::string status = window.GetText(IDC_STATUS);
    EXPECT_EQ(0u, status.rfind("\"" + (temp / "T") + "\"\nディレクトリ内の全ての処理が終了しました。", 0)) << status;
    // Three files and the folder, which counts once for what it holds.
    EXPECT_EQ(4, CountLine(status)) << status;
    EXPECT_EQ(0u, AttributesOf("outside.txt"));
    EXPECT_EQ(kAttrHidden, AttributesOf("T\\cafe.txt"));
    EXPECT_EQ(kAttrHidden, AttributesOf("T\\plain.txt"));
    for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(before[i], TempFolder::Attributes(Odd(OddNames()[i]))) << i;
    EXPECT_FALSE(Hidden(Odd(L"\uD55C")));
    EXPECT_FALSE(Hidden(Odd(L"\uD55C\\in.txt")));
}

TEST_F(OddNamesOnDiskTest, RenameRunLeavesOddNamesAsTheyAre) {
    window.SetCheck(IDC_RENAME_ON, kChecked);
    window.SetCheck(IDC_RENAME_MODE, kUnchecked);
    window.SetText(IDC_TITLE_TAIL, "_x");
    EXPECT_EQ(RunEnd::Finished, Run());
    EXPECT_EQ(4, CountLine(window.GetText(IDC_STATUS))) << window.GetText(IDC_STATUS);
    for (const char* renamed : {"T\\cafe_x.txt", "T\\plain_x.txt", "outside.txt"}) {
        EXPECT_NE(kInvalidAttributes, TempFolder::Attributes(TempFolder::Wide(temp / renamed))) << renamed;
    }
    for (const std::wstring& name : OddNames()) EXPECT_NE(kInvalidAttributes, TempFolder::Attributes(Odd(name)));
    EXPECT_NE(kInvalidAttributes, TempFolder::Attributes(Odd(L"\uD55C\\in.txt")));
}

}  // namespace
}  // namespace kelvo
