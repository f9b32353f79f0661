// Runs of the real program on a tree made from the Unix side (by
// cmake/with-odd-names.sh, named in KELVO_ODD_NAMES) that holds names
// Windows reads as another item:
//   T\plain.txt, T\x.txt            plain files
//   T\a., T\b (a trailing space)    names the system would cut short
//   T\CON, T\com1.txt, T\nul.log    device names
//   T\dots.\in.txt, T\AUX\in.txt    folders of such names
// Each such item is left as it is and counted, a folder once with nothing
// below it entered, and a rename never ends a name in a dot.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

#include "tests/e2e/KelvoProcess.h"

namespace kelvo::e2e {
namespace {

constexpr DWORD kRunTimeoutMs = 60000;

class OddNamesE2eTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* root = std::getenv("KELVO_ODD_NAMES");
        if (root == nullptr) GTEST_SKIP() << "needs the tree that cmake/with-odd-names.sh makes";
        target_ = std::string(root) + "\\T";
    }

    // Every name in a folder with its attributes, as the folder's listing
    // gives them: no path could reach most of these items.
    static std::map<std::string, DWORD> Listing(const std::string& folder) {
        std::map<std::string, DWORD> entries;
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW(Wide(folder + "\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return entries;
        do {
            entries[Narrow(data.cFileName)] = data.dwFileAttributes;
        } while (FindNextFileW(find, &data));
        FindClose(find);
        return entries;
    }

    static std::string Run(KelvoProcess& kelvo) {
        const std::string before = kelvo.Text(1010);
        kelvo.Click(1);
        EXPECT_TRUE(kelvo.WaitForRunEnd(before, kRunTimeoutMs)) << kelvo.Text(1010);
        return kelvo.Text(1010);
    }

    std::string target_;
};

TEST_F(OddNamesE2eTest, ItemsReadAsAnotherAreLeftAndCountedAndNoRenameMakesOne) {
    KelvoProcess kelvo(target_);
    ASSERT_NE(kelvo.Window(), nullptr);
    // Hidden (indeterminate -> unticked -> ticked), folders too.
    kelvo.Click(1001);
    kelvo.Click(1001);
    kelvo.Click(1069);
    const std::string hidden = Run(kelvo);
    EXPECT_EQ(hidden, "\"" + target_ + "\"\nディレクトリ内の全ての処理が終了しました。\n変更できなかった項目: 7件");
    std::map<std::string, DWORD> entries = Listing(target_);
    for (const char* name : {"plain.txt", "x.txt"}) {
        ASSERT_EQ(entries.count(name), 1u) << name;
        EXPECT_NE(entries[name] & FILE_ATTRIBUTE_HIDDEN, 0u) << name;
    }
    for (const char* name : {"a.", "b ", "CON", "com1.txt", "nul.log", "dots.", "AUX"}) {
        ASSERT_EQ(entries.count(name), 1u) << name;
        EXPECT_EQ(entries[name] & FILE_ATTRIBUTE_HIDDEN, 0u) << name;
    }
    for (const char* folder : {"\\dots.", "\\AUX"}) {
        std::map<std::string, DWORD> inside = Listing(target_ + folder);
        if (inside.count("in.txt") != 0) {
            EXPECT_EQ(inside["in.txt"] & FILE_ATTRIBUTE_HIDDEN, 0u) << folder;
        }
    }

    // Hidden left alone now; the extension gets a dot at its end.
    kelvo.Click(1001);
    kelvo.Click(1077);
    kelvo.SetText(1076, ".");
    const std::string renamed = Run(kelvo);
    EXPECT_EQ(renamed, "\"" + target_ +
                           "\"\nディレクトリ内の全ての処理が終了しました。\n変更は何もありませんでした。\n"
                           "変更できなかった項目: 7件");
    entries = Listing(target_);
    EXPECT_EQ(entries.count("x.txt"), 1u);
    EXPECT_EQ(entries.count("plain.txt"), 1u);
    EXPECT_EQ(entries.count("x.txt."), 0u);

    // One file named as the target: the path edit keeps its path.
    kelvo.SetText(1004, target_ + "\\x.txt");
    const std::string single = Run(kelvo);
    EXPECT_EQ(single, "\"" + target_ + "\\x.txt\"\nファイルの処理が終了しました。\n変更は何もありませんでした。");
    EXPECT_EQ(kelvo.Text(1004), target_ + "\\x.txt");
    EXPECT_TRUE(kelvo.CloseWith(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 20000));
}

}  // namespace
}  // namespace kelvo::e2e
