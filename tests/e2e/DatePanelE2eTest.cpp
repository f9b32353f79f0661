// The date and time panel of the real window under Wine: keys typed into its
// fields and corrected at once through EN_UPDATE, the correction chain, the
// up-downs stepped by clicks on their arrows, the reset, and a run that gives
// real files new times while one row is left out and an attribute is set too.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "tests/e2e/E2eFiles.h"
#include "tests/e2e/KelvoProcess.h"

namespace kelvo::e2e {
namespace {

constexpr DWORD kRunTimeoutMs = 120000;

// Each row's box and its year, month, day, hour, minute and second edits;
// each edit's up-down is the control after it.
struct DateRow {
    int box;
    int edits[6];
};
const DateRow kCreation = {1030, {1011, 1012, 1015, 1017, 1019, 1021}};
const DateRow kModification = {1034, {1035, 1037, 1039, 1041, 1043, 1045}};
const DateRow kAccess = {1052, {1053, 1055, 1057, 1059, 1061, 1063}};
enum { kYear, kMonth, kDay, kHour, kMinute, kSecond };

class DatePanelE2eTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(ExePath().empty()) << "KELVO_EXE is not set"; }

    void Start(const std::string& target) {
        kelvo = std::make_unique<KelvoProcess>(target);
        ASSERT_NE(kelvo->Window(), nullptr);
    }

    // Keys as a user types them over the whole field: the edit itself takes
    // each one (or refuses it) and tells the window of every change.
    void Type(int edit, const std::string& keys) {
        SendMessageW(kelvo->Control(edit), EM_SETSEL, 0, -1);
        for (char key : keys) SendMessageW(kelvo->Control(edit), WM_CHAR, static_cast<unsigned char>(key), 0);
    }
    // A click on the upper or lower arrow of a field's up-down: one step.
    // (Not the arrow keys: under Wine an up-down that the resting pointer
    // covers takes a second step of its own a moment after a key.)
    void Step(int edit, bool up) {
        const HWND spin = GetWindow(kelvo->Control(edit), GW_HWNDNEXT);
        RECT area;
        GetClientRect(spin, &area);
        const LPARAM point = MAKELPARAM(area.right / 2, up ? area.bottom / 4 : area.bottom * 3 / 4);
        SendMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageW(spin, WM_LBUTTONUP, 0, point);
    }
    bool ReadOnly(int edit) { return (kelvo->Style(edit) & ES_READONLY) != 0; }
    std::string Row(const DateRow& row) {
        std::string texts;
        for (int edit : row.edits) texts += kelvo->Text(edit) + " ";
        return texts;
    }
    // Puts a whole row, the second first, so that no half-written row meets
    // the rule that lowers the year at the edge of 2038; then from the year
    // on, so that the day is checked against its own month and year.
    void PutRow(const DateRow& row, const char* const (&fields)[6]) {
        kelvo->SetText(row.edits[kSecond], fields[kSecond]);
        for (int field = kYear; field < kSecond; ++field) kelvo->SetText(row.edits[field], fields[field]);
    }

    std::unique_ptr<KelvoProcess> kelvo;
};

TEST_F(DatePanelE2eTest, TypingStepsAndResetKeepEveryFieldSound) {
    Start(MakeFolder("date-panel"));
    const int* edits = kModification.edits;
    // A cleared row takes neither keys nor clicks on its up-downs.
    const std::string before = Row(kModification);
    Type(edits[kMonth], "5");
    Step(edits[kYear], true);
    EXPECT_EQ(Row(kModification), before);

    kelvo->Click(kModification.box);
    EXPECT_FALSE(ReadOnly(edits[kMonth]));
    Type(edits[kMonth], "13");
    EXPECT_EQ(kelvo->Text(edits[kMonth]), "12");
    Type(edits[kMonth], "2");
    kelvo->SetText(edits[kYear], "2004");
    Type(edits[kDay], "31");
    EXPECT_EQ(kelvo->Text(edits[kDay]), "29");  // February of a leap year
    Type(edits[kHour], "07");
    EXPECT_EQ(kelvo->Text(edits[kHour]), "7");
    Type(edits[kMinute], "05");
    EXPECT_EQ(kelvo->Text(edits[kMinute]), "05");
    Type(edits[kYear], "x");
    EXPECT_EQ(kelvo->Text(edits[kYear]), "2004") << "letters are refused by the field";
    // One correction leads to the next: 2100 becomes 2038, no leap year, so day 29 becomes 28.
    kelvo->SetText(edits[kYear], "2100");
    EXPECT_EQ(kelvo->Text(edits[kYear]), "2038");
    EXPECT_EQ(kelvo->Text(edits[kDay]), "28");

    // The up-downs wrap at the ends of their ranges, and the day's range follows the month.
    Step(edits[kYear], true);
    EXPECT_EQ(kelvo->Text(edits[kYear]), "1980");
    Step(edits[kMonth], false);
    Step(edits[kMonth], false);
    EXPECT_EQ(kelvo->Text(edits[kMonth]), "12");
    Type(edits[kMonth], "4");
    Type(edits[kDay], "30");
    Step(edits[kDay], true);
    EXPECT_EQ(kelvo->Text(edits[kDay]), "1");

    // A blank field turns read-only; a step gives it a number and takes it back.
    kelvo->SetText(edits[kSecond], "");
    EXPECT_TRUE(ReadOnly(edits[kSecond]));
    Step(edits[kSecond], true);
    EXPECT_FALSE(kelvo->Text(edits[kSecond]).empty());
    EXPECT_FALSE(ReadOnly(edits[kSecond]));

    // The reset writes today into every row, ticked or not.
    kelvo->Click(1072);
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::string today =
        std::to_string(now.wYear) + " " + std::to_string(now.wMonth) + " " + std::to_string(now.wDay) + " ";
    for (const DateRow* row : {&kCreation, &kModification, &kAccess}) {
        EXPECT_EQ(Row(*row).substr(0, today.size()), today) << Row(*row);
        EXPECT_EQ(Row(*row), Row(kModification));
    }
    EXPECT_TRUE(ReadOnly(kAccess.edits[kYear]));
    EXPECT_FALSE(ReadOnly(edits[kYear]));
}

TEST_F(DatePanelE2eTest, RunSetsTimesAndAttributesWhileARowIsLeftOut) {
    const std::string target = MakeFolder("date-run");
    MakeFolder("date-run\\sub");
    const std::string files[] = {target + "\\a.txt", target + "\\b.txt", target + "\\sub\\c.txt"};
    FILETIME accessBefore[3];
    for (int i = 0; i < 3; ++i) {
        MakeFile(files[i]);
        WIN32_FILE_ATTRIBUTE_DATA data;
        ASSERT_TRUE(GetFileAttributesExW(Wide(files[i]).c_str(), GetFileExInfoStandard, &data));
        accessBefore[i] = data.ftLastAccessTime;
    }
    Start(target);
    kelvo->Click(1001);
    kelvo->Click(1001);  // hidden: indeterminate -> unticked -> ticked
    kelvo->Click(kModification.box);
    PutRow(kModification, {"2004", "2", "29", "12", "34", "56"});
    // The panel lets this one through, but a 32-bit count of seconds can't hold it.
    kelvo->Click(kAccess.box);
    PutRow(kAccess, {"2038", "2", "1", "0", "0", "0"});
    ASSERT_EQ(Row(kAccess), "2038 2 1 0 0 0 ");

    const std::string statusBefore = kelvo->Text(1010);
    kelvo->Click(1);
    ASSERT_TRUE(kelvo->WaitForRunEnd(statusBefore, kRunTimeoutMs)) << kelvo->Text(1010);
    // Something changed, so no "nothing changed" line; each file counts once for its row left out.
    EXPECT_EQ(kelvo->Text(1010),
              "\"" + target + "\"\nディレクトリ内の全ての処理が終了しました。\n変更できなかった項目: 3件");
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(files[i]);
        WIN32_FILE_ATTRIBUTE_DATA data;
        ASSERT_TRUE(GetFileAttributesExW(Wide(files[i]).c_str(), GetFileExInfoStandard, &data));
        EXPECT_NE(data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN, 0u);
        FILETIME local;
        SYSTEMTIME modified;
        FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
        FileTimeToSystemTime(&local, &modified);
        EXPECT_EQ(std::to_string(modified.wYear) + "/" + std::to_string(modified.wMonth) + "/" +
                      std::to_string(modified.wDay) + " " + std::to_string(modified.wHour) + ":" +
                      std::to_string(modified.wMinute) + ":" + std::to_string(modified.wSecond),
                  "2004/2/29 12:34:56");
        EXPECT_EQ(CompareFileTime(&data.ftLastAccessTime, &accessBefore[i]), 0);
    }
}

}  // namespace
}  // namespace kelvo::e2e
