// The help document's path beside the executable and the shell results that
// count as a failure to open it.
#include <gtest/gtest.h>

#include <cstdio>

#include "app/HelpDocument.h"

namespace kelvo {
namespace {

struct PathCase {
    const char* name;
    std::string modulePath;
    std::string expected;
};

const PathCase kPathCases[] = {
    {"PlainFolder", "C:\\tools\\Kelvo.exe", "C:\\tools\\ReadMe.html"},
    {"DriveRoot", "C:\\Kelvo.exe", "C:\\ReadMe.html"},
    {"DeepFolder", "D:\\a\\b\\c\\Kelvo.exe", "D:\\a\\b\\c\\ReadMe.html"},
    // 表 is 0x95 0x5C: its trail byte must not be taken for the last backslash.
    {"TrailByteLikeBackslash", "C:\\表\\Kelvo.exe", "C:\\表\\ReadMe.html"},
    {"FileNamedWithTrailByte", "C:\\x\\表.exe", "C:\\x\\ReadMe.html"},
    {"UncPath", "\\\\server\\share\\Kelvo.exe", "\\\\server\\share\\ReadMe.html"},
    {"NoBackslash", "Kelvo.exe", "ReadMe.html"},
};

class HelpDocumentPathTable : public ::testing::TestWithParam<PathCase> {};

TEST_P(HelpDocumentPathTable, IsTheDocumentBesideTheExecutable) {
    EXPECT_EQ(HelpDocumentPath(GetParam().modulePath), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Paths, HelpDocumentPathTable, ::testing::ValuesIn(kPathCases),
                         [](const ::testing::TestParamInfo<PathCase>& info) { return std::string(info.param.name); });

TEST(HelpDocument, ResultsUpToThirtyTwoAreFailures) {
    EXPECT_TRUE(HelpOpenFailed(0));
    EXPECT_TRUE(HelpOpenFailed(2));
    EXPECT_TRUE(HelpOpenFailed(32));
    EXPECT_FALSE(HelpOpenFailed(33));
    EXPECT_FALSE(HelpOpenFailed(42));
}

// The formats are filled the way wsprintfA fills them; %d and %s behave the
// same in snprintf, which lets the texts be checked here.
TEST(HelpDocument, MessagesNameTheFileOrTheErrorCode) {
    char text[128];
    std::snprintf(text, sizeof text, kHelpNotFoundFormat, kShellFileNotFound, kHelpDocumentName);
    EXPECT_EQ(std::string(text), "エラー2、\"ReadMe.html\"ファイルがありません");
    std::snprintf(text, sizeof text, kHelpErrorFormat, 31);
    EXPECT_EQ(std::string(text), "ShellExcuteエラーコード31");
    EXPECT_EQ(std::string(kHelpErrorCaption), "エラー");
}

}  // namespace
}  // namespace kelvo
