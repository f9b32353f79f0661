// The real program with names and paths that code page 932 has no exact
// form for (a yen sign, an accent, an emoji, Hangul), and with its own
// Japanese texts: the suite runs under a Japanese and under a non-Japanese
// locale, and every text compared here must be the same bytes in both.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/E2eFiles.h"
#include "tests/e2e/KelvoProcess.h"

namespace kelvo::e2e {
namespace {

constexpr DWORD kTimeoutMs = 120000;
const char* const kStartCaption = "一括変更開始(&E)";

bool Hidden(DWORD attributes) { return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN); }

// Ticks the hidden box, runs the job and returns the finish text.
std::string RunHidden(KelvoProcess& kelvo) {
    kelvo.Click(1001);
    kelvo.Click(1001);
    EXPECT_EQ(kelvo.Check(1001), BST_CHECKED);
    const std::string before = kelvo.Text(1010);
    kelvo.Click(1);
    EXPECT_TRUE(kelvo.WaitForRunEnd(before, kTimeoutMs)) << kelvo.Text(1010);
    return kelvo.Text(1010);
}

TEST(ExactNamesE2eTest, OddNamesAreCountedAndNothingOutsideTheTargetChanges) {
    const std::string parent = MakeFolder("exact-names");
    MakeFile(parent + "\\outside.txt");
    // 表 and ソ end in the byte of a backslash; ～ is the one tilde code page 932 has.
    const std::string target = MakeFolder("exact-names\\表ソ～");
    const std::wstring wideTarget = Wide(target);
    const std::vector<std::wstring> odd = {L"..\u00A5outside.txt", L"caf\u00E9.txt", L"\U0001F600.txt"};
    for (const std::wstring& name : odd) MakeFile(wideTarget + L"\\" + name);
    const std::wstring oddFolder = wideTarget + L"\\\uD55C";
    CreateDirectoryW(oddFolder.c_str(), nullptr);
    MakeFile(oddFolder + L"\\in.txt");
    MakeFile(target + "\\cafe.txt");
    MakeFile(target + "\\plain.txt");
    // Wine shows a name that starts with a dot as hidden from the start.
    std::vector<DWORD> before;
    for (const std::wstring& name : odd) before.push_back(Attributes(wideTarget + L"\\" + name));

    KelvoProcess kelvo(target);
    ASSERT_NE(kelvo.Window(), nullptr);
    EXPECT_EQ(kelvo.Text(1004), target);
    const std::string status = RunHidden(kelvo);
    // Three files and the folder, which counts once for what it holds.
    EXPECT_EQ(status, "\"" + target + "\"\nディレクトリ内の全ての処理が終了しました。\n変更できなかった項目: 4件");
    EXPECT_FALSE(Hidden(Attributes(parent + "\\outside.txt")));
    EXPECT_TRUE(Hidden(Attributes(target + "\\cafe.txt")));
    EXPECT_TRUE(Hidden(Attributes(target + "\\plain.txt")));
    for (size_t i = 0; i < odd.size(); ++i) EXPECT_EQ(Attributes(wideTarget + L"\\" + odd[i]), before[i]) << i;
    EXPECT_FALSE(Hidden(Attributes(oddFolder)));
    EXPECT_FALSE(Hidden(Attributes(oddFolder + L"\\in.txt")));
    EXPECT_TRUE(kelvo.CloseWith(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 20000));
}

TEST(ExactNamesE2eTest, RefusedTargetGivesTheSameMessageBoxInEveryLocale) {
    KelvoProcess kelvo(MakeFolder("exact-refusal"));
    ASSERT_NE(kelvo.Window(), nullptr);
    kelvo.SetText(1004, "");
    kelvo.Post(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(AnswerMessageBox(kelvo.Window(), "エラー <カレントディレクトリが移動できません>",
                                 "設定したパスが存在しない、又はディレクトリでは無いと思われます。"));
    EXPECT_TRUE(WaitFor([&] { return kelvo.Text(1) == kStartCaption && IsWindowEnabled(kelvo.Control(1004)); },
                        30000));
    EXPECT_TRUE(kelvo.CloseWith(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 20000));
}

TEST(ExactNamesE2eTest, ArgumentWithoutAnExactFormIsRefusedWithAMessageBox) {
    const std::string parent = MakeFolder("exact-argument");
    // Where a best-fit conversion of the argument would lead.
    MakeFolder("exact-argument\\cafe");
    const std::wstring odd = Wide(parent) + L"\\caf\u00E9";
    CreateDirectoryW(odd.c_str(), nullptr);
    KelvoProcess kelvo(Wide(ExePath()), odd, std::wstring());
    ASSERT_NE(kelvo.Window(), nullptr);
    ASSERT_TRUE(AnswerMessageBox(kelvo.Window(), "エラー", "このパスには、このプログラムで扱えない文字が含まれています。"));
    // No path; an argument was given, so the program's folder is the executable's.
    EXPECT_EQ(kelvo.Text(1004), "");
    kelvo.Click(1007);
    const std::string exe = ExePath();
    EXPECT_EQ(kelvo.Text(1004), exe.substr(0, exe.rfind('\\') + 1));
    EXPECT_TRUE(kelvo.CloseWith(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 20000));
}

TEST(ExactNamesE2eTest, ProgramFolderWithoutAnExactFormKeepsTheSettingsInMemory) {
    const std::string parent = MakeFolder("exact-program");
    MakeFolder("exact-program\\cafe");
    const std::wstring odd = Wide(parent) + L"\\caf\u00E9";
    CreateDirectoryW(odd.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(Wide(ExePath()).c_str(), (odd + L"\\Kelvo.exe").c_str(), FALSE)) << GetLastError();
    {
        // Started in its own folder: neither the current directory nor the
        // executable's folder has a name the program can hold.
        KelvoProcess kelvo(odd + L"\\Kelvo.exe", std::wstring(), odd);
        ASSERT_NE(kelvo.Window(), nullptr);
        EXPECT_EQ(kelvo.Text(1004), "");
        kelvo.Click(1077);
        kelvo.SetText(1073, "x");
        kelvo.Click(1095);
        kelvo.Click(1071);
        EXPECT_TRUE(kelvo.CloseWith(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 20000));
    }
    EXPECT_EQ(Attributes(odd + L"\\Kelvo.ini"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Attributes(parent + "\\cafe\\Kelvo.ini"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Attributes(parent + "\\Kelvo.ini"), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace kelvo::e2e
