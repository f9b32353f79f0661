// Whole runs on a tree that holds links, made from the Unix side before the
// test starts (cmake/with-links.sh names it in KELVO_LINKS):
//   outside\o.txt, outside\deep\d.txt, beside.txt
//   T\plain.txt, T\sub\in.txt
//   T\sub\link -> outside        a folder link out of the target
//   T\loop -> ..                 a link to T's parent, the tree's root
//   T\filelink.txt -> o.txt      a file link out of the target
//   TL -> T                      a target that is itself a link
// Wine lists the folder links as reparse points of no kind and the file
// link as the plain file it points to; it can't change a link to a file as
// itself, so the run leaves that one and counts it.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <map>
#include <string>

#include "platform/memory/MemoryWindow.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32FileSystem.h"
#include "resources/ControlGroups.h"
#include "resources/ResourceIds.h"
#include "run/RunJob.h"

namespace kelvo {
namespace {

const char* const kOutside[] = {"outside", "outside\\o.txt", "outside\\deep", "outside\\deep\\d.txt", "beside.txt"};

struct Look {
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    FILETIME modification = {};
    bool operator==(const Look& other) const {
        return attributes == other.attributes && CompareFileTime(&modification, &other.modification) == 0;
    }
};

class LinksOnDiskTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* root = std::getenv("KELVO_LINKS");
        if (root == nullptr) GTEST_SKIP() << "needs the tree of links that cmake/with-links.sh makes";
        root_ = root;
        for (int box : kAttributeBoxes) window.SetCheck(box, kIndeterminate);
    }

    std::string Path(const std::string& relative) const { return root_ + "\\" + relative; }

    Look LookAt(const std::string& relative) {
        Look look;
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA(Path(relative).c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return look;
        FindClose(find);
        look.attributes = data.dwFileAttributes;
        look.modification = data.ftLastWriteTime;
        return look;
    }
    std::map<std::string, Look> Outside() {
        std::map<std::string, Look> looks;
        for (const char* relative : kOutside) looks[relative] = LookAt(relative);
        return looks;
    }
    bool Hidden(const std::string& relative) { return (LookAt(relative).attributes & FILE_ATTRIBUTE_HIDDEN) != 0; }

    std::string Run(const std::string& target) {
        window.SetText(IDC_PATH, Path(target));
        RunEnvironment environment{files, clock, window, fullView, cancelRequested};
        EXPECT_EQ(RunEnd::Finished, RunJob(environment));
        return window.GetText(IDC_STATUS);
    }
    std::string Finished(const std::string& target, int failures) {
        return "\"" + Path(target) + "\"\nディレクトリ内の全ての処理が終了しました。\n変更できなかった項目: " +
               std::to_string(failures) + "件";
    }

    std::string root_;
    Win32FileSystem files;
    Win32Clock clock;
    MemoryWindow window;
    std::atomic<int> fullView{1};
    std::atomic<bool> cancelRequested{false};
};

TEST_F(LinksOnDiskTest, HiddenAndTimeRunsChangeNothingOutsideTheTarget) {
    const std::map<std::string, Look> before = Outside();
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, before.at("outside\\o.txt").attributes);

    window.SetCheck(IDC_HIDDEN, kChecked);
    window.SetCheck(IDC_FOLDERS_TOO, kChecked);
    // The file link, once; the folder links and the loop not at all.
    EXPECT_EQ(Finished("T", 1), Run("T"));
    for (const char* inside : {"T\\plain.txt", "T\\sub", "T\\sub\\in.txt"}) EXPECT_TRUE(Hidden(inside)) << inside;
    EXPECT_FALSE(Hidden("T"));

    // Through the target that is a link, to the same files.
    window.SetCheck(IDC_HIDDEN, kIndeterminate);
    window.SetCheck(IDC_FOLDERS_TOO, kUnchecked);
    window.SetCheck(IDC_MODIFIED_BOX, kChecked);
    const int ids[] = {IDC_MODIFIED_YEAR, IDC_MODIFIED_MONTH, IDC_MODIFIED_DAY,
                       IDC_MODIFIED_HOUR, IDC_MODIFIED_MINUTE, IDC_MODIFIED_SECOND};
    const char* texts[] = {"2003", "11", "24", "12", "50", "54"};
    for (int i = 0; i < 6; ++i) window.SetText(ids[i], texts[i]);
    EXPECT_EQ(Finished("TL", 1), Run("TL"));
    SYSTEMTIME year;
    for (const char* inside : {"T\\plain.txt", "T\\sub\\in.txt"}) {
        const Look look = LookAt(inside);
        ASSERT_TRUE(FileTimeToSystemTime(&look.modification, &year));
        EXPECT_EQ(2003, year.wYear) << inside;
    }

    for (const auto& [relative, look] : Outside()) EXPECT_TRUE(before.at(relative) == look) << relative;
}

}  // namespace
}  // namespace kelvo
