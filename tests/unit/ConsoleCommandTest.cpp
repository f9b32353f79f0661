// The console program on the in-memory platform: its arguments as one
// table (each option, each time form, every refusal with its message),
// then whole commands: a run, patterns, a preview, a held file, a cancel,
// the undo and its absence, each with the exit code a batch file tests and
// the lines it reads.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "console/CommandLine.h"
#include "console/ConsoleJob.h"
#include "platform/memory/FaultyMemoryFileSystem.h"
#include "platform/memory/MemoryClock.h"
#include "platform/memory/MemoryRecordStore.h"

namespace kelvo {
namespace {

struct ParseCase {
    const char* shows;
    std::vector<std::string> arguments;
    ParseOutcome outcome;
    const char* error;  // Refused: the whole line
};

const ParseCase kParseCases[] = {
    {"Help", {"/?"}, ParseOutcome::Ready, ""},
    {"NothingToChange", {"C:\\T"}, ParseOutcome::Usage, ""},
    {"OnlyQuiet", {"C:\\T", "/Q"}, ParseOutcome::Usage, ""},
    {"NoArguments", {}, ParseOutcome::Usage, ""},
    {"Attributes", {"C:\\T", "+R", "-h", "+A", "-S"}, ParseOutcome::Ready, ""},
    {"UnknownOption", {"C:\\T", "+H", "/Z"}, ParseOutcome::Refused, "不明なオプションです: /Z"},
    {"UnknownAttribute", {"C:\\T", "+X"}, ParseOutcome::Refused, "不明なオプションです: +X"},
    {"WholeTokensOnly", {"C:\\T", "+H", "/DE"}, ParseOutcome::Refused, "不明なオプションです: /DE"},
    {"MonthOutOfRange", {"C:\\T", "/M:2024-13-01"}, ParseOutcome::Refused, "日時を読めません: /M:2024-13-01"},
    {"DayPastTheMonth", {"C:\\T", "/M:2023-02-29"}, ParseOutcome::Refused, "日時を読めません: /M:2023-02-29"},
    {"YearTheWindowRefuses", {"C:\\T", "/C:1979-12-31"}, ParseOutcome::Refused, "日時を読めません: /C:1979-12-31"},
    {"HourOutOfRange", {"C:\\T", "/T:2024-01-01T24:00"}, ParseOutcome::Refused,
     "日時を読めません: /T:2024-01-01T24:00"},
    {"OffsetOutOfOrder", {"C:\\T", "/M:+1h1d"}, ParseOutcome::Refused, "日時を読めません: /M:+1h1d"},
    {"NoRecursionOption", {"C:\\T", "+H", "/S"}, ParseOutcome::Refused,
     "フォルダの下は常に全て処理されるため、このオプションは要りません: /S"},
    {"TargetFirst", {"+H", "C:\\T"}, ParseOutcome::Refused,
     "最初に対象のパスを指定してください (\"-\"、\"/\"、\"+\" で始まるパスは .\\ を付けてください): +H"},
    {"ForbiddenNameChar", {"C:\\T", "/TH:a?b"}, ParseOutcome::Refused, "ファイル名に使えない文字があります: /TH:a?b"},
    {"NoSearchText", {"C:\\T", "/TR:=x"}, ParseOutcome::Refused,
     "置換する文字列がありません (<置換前>=<置換後>): /TR:=x"},
    {"TwoEncodings", {"C:\\T", "+H", "/U16", "/OEM"}, ParseOutcome::Refused,
     "/U16 と /OEM は一緒に指定できません: /OEM"},
    {"CopyOfItsOwnTime", {"C:\\T", "/M:=M"}, ParseOutcome::Refused, "同じ日時は写せません: /M:=M"},
    {"DateWithAShift", {"C:\\T", "/M:2024-01-01", "/C:+1h"}, ParseOutcome::Refused,
     "日時の指定と \"=\"、\"+\"、\"-\" による指定は一緒に使えません: /C:+1h"},
    {"TwoOffsets", {"C:\\T", "/M:+1h", "/C:-1h"}, ParseOutcome::Refused,
     "ずらす量は全ての日時で同じでなければなりません: /C:-1h"},
    {"SameOptionTwice", {"C:\\T", "+H", "-H"}, ParseOutcome::Refused, "同じ項目が二度指定されています: -H"},
    {"UndoWithAJob", {"/UNDO", "+H"}, ParseOutcome::Refused, "/UNDO と一緒には指定できません: +H"},
};

class CommandLineTable : public ::testing::TestWithParam<ParseCase> {};

TEST_P(CommandLineTable, ReadsOrRefusesWithItsMessage) {
    const ParseCase& c = GetParam();
    Command command;
    std::string error;
    EXPECT_EQ(ParseCommandLine(c.arguments, command, error), c.outcome);
    if (c.outcome == ParseOutcome::Refused) {
        EXPECT_EQ(error, c.error);
    }
}

INSTANTIATE_TEST_SUITE_P(Arguments, CommandLineTable, testing::ValuesIn(kParseCases),
                         [](const testing::TestParamInfo<ParseCase>& info) { return info.param.shows; });

TEST(CommandLineTest, OptionsInAnyCaseAndOrderFillTheJob) {
    Command command;
    std::string error;
    ASSERT_EQ(ParseCommandLine({".\\-odd", "/preview", "-d", "+r", "-A", "/tt:_x", "/ER:jpeg=jpg", "/I:*.JPG;a?.txt",
                                "/x:tmp*", "-q", "/u16", "/M:2024/05/06 07:08", "/C:2024-05-06T*:*:09"},
                               command, error),
              ParseOutcome::Ready)
        << error;
    EXPECT_EQ(command.kind, Command::Kind::Run);
    EXPECT_EQ(command.job.targetPath, ".\\-odd");
    EXPECT_TRUE(command.preview);
    EXPECT_TRUE(command.quiet);
    EXPECT_EQ(command.output, OutputOption::Utf16);
    EXPECT_TRUE(command.job.applyToFolders);
    EXPECT_EQ(command.job.attributeChoices, (AttributeChoices{kSetAttribute, kLeaveAttribute, kClearAttribute,
                                                              kLeaveAttribute}));
    EXPECT_TRUE(command.job.renameEnabled);
    EXPECT_EQ(command.job.renameRules.mode, 0);
    EXPECT_EQ(command.job.renameRules.titleTail, "_x");
    EXPECT_EQ(command.job.renameRules.extWhat, "jpeg");
    EXPECT_EQ(command.job.renameRules.extWith, "jpg");
    EXPECT_EQ(command.job.patterns.include, (std::vector<std::string>{"*.JPG", "a?.txt"}));
    EXPECT_EQ(command.job.patterns.exclude, (std::vector<std::string>{"tmp*"}));
    EXPECT_EQ(command.job.timeEnables, (TimeEnables{true, true, false}));
    // A missing time of day is midnight for the modification row's date;
    // "*" fields stay blank (the item's own).
    EXPECT_EQ(std::stoi(command.job.modificationFields.texts[kYear]), 2024);
    EXPECT_EQ(std::stoi(command.job.modificationFields.texts[kHour]), 7);
    EXPECT_EQ(std::stoi(command.job.modificationFields.texts[kSecond]), 0);
    EXPECT_EQ(command.job.creationFields.texts[kHour], "");
    EXPECT_EQ(command.job.creationFields.texts[kMinute], "");
    EXPECT_EQ(std::stoi(command.job.creationFields.texts[kSecond]), 9);

    Command shift;
    ASSERT_EQ(ParseCommandLine({"C:\\T", "/M:-1d12h", "/T:=M", "/DEL", "/TH:x"}, shift, error), ParseOutcome::Ready)
        << error;
    EXPECT_EQ(shift.job.timeAdjust.rules[kModificationTime], TimeRule::Shift);
    EXPECT_EQ(shift.job.timeAdjust.rules[kAccessTime], TimeRule::FromModification);
    EXPECT_EQ(shift.job.timeAdjust.rules[kCreationTime], TimeRule::Leave);
    EXPECT_EQ(shift.job.timeAdjust.offset, -1296000000000);  // 36 hours back
    EXPECT_NE(shift.job.renameRules.mode, 0);

    Command undo;
    ASSERT_EQ(ParseCommandLine({"-undo", "/Q", "/OEM"}, undo, error), ParseOutcome::Ready) << error;
    EXPECT_EQ(undo.kind, Command::Kind::Undo);
    EXPECT_EQ(undo.output, OutputOption::Oem);
}

// What a stream receives, as one text.
class StringOutput : public TextOutput {
public:
    void Write(const std::string& text) override { text_ += text; }
    std::string text_;
};

// 2001-02-03 04:05:06 UTC, the clock's zone, and nine hours later.
constexpr FileTime kGiven = 126256467060000000;
constexpr FileTime kOwn = 129230538110000005;         // 2010-07-08 09:10:11.0000005 UTC
constexpr FileTime kNineHoursLater = 129230862110000005;

class ConsoleCommandTest : public ::testing::Test {
protected:
    ConsoleCommandTest() {
        for (const char* path : {"C:\\T\\a.txt", "C:\\T\\sub\\b.jpg"}) {
            MemoryFileSystem::Node& file = files.AddFile(path, kAttrArchive, kOwn);
            file.access = kOwn;
            file.creation = kOwn;
        }
    }
    int Command(const std::vector<std::string>& arguments) {
        out.text_.clear();
        err.text_.clear();
        clock.SetNowFraction(clock.NowTicks() % 10000000 + 20000);  // each record a name of its own
        ConsolePlatform platform{files, clock, records, cancel, out, err,
                                 [](uint32_t code) { return "error " + std::to_string(code); }, "C:\\records"};
        return RunConsoleCommand(arguments, platform);
    }
    const MemoryFileSystem::Node& Node(const char* path) { return *files.Find(path); }
    int Lines(const std::string& kind) {
        int count = 0;
        for (size_t at = out.text_.find(kind + "\t"); at != std::string::npos; at = out.text_.find(kind + "\t", at + 1)) {
            if (at == 0 || out.text_[at - 1] == '\n') ++count;
        }
        return count;
    }

    FaultyMemoryFileSystem files;
    MemoryClock clock{1700000000};
    MemoryRecordStore records;
    std::atomic<bool> cancel{false};
    StringOutput out, err;
};

TEST_F(ConsoleCommandTest, RunWritesALinePerItemAndTheSummaryThenUndoGivesItBack) {
    EXPECT_EQ(Command({"C:\\T", "+H", "/M:2001-02-03T04:05:06"}), kExitDone);
    EXPECT_EQ(Lines("changed"), 2) << out.text_;
    EXPECT_EQ(Node("C:\\T\\sub\\b.jpg").attributes, kAttrArchive | kAttrHidden);
    EXPECT_EQ(Node("C:\\T\\a.txt").modification, kGiven);
    EXPECT_EQ(err.text_.rfind("\"C:\\T\"\r\nディレクトリ内の全ての処理が終了しました。\r\n", 0), 0u) << err.text_;
    EXPECT_NE(err.text_.find("C:\\records\\"), std::string::npos) << err.text_;

    EXPECT_EQ(Command({"/UNDO", "/Q"}), kExitDone);
    EXPECT_EQ(out.text_, "");
    EXPECT_EQ(Node("C:\\T\\a.txt").attributes, kAttrArchive);
    EXPECT_EQ(Node("C:\\T\\a.txt").modification, kOwn);
    EXPECT_EQ(err.text_.rfind("\"C:\\T\"\r\n直前の一括変更を元に戻しました。", 0), 0u) << err.text_;
    EXPECT_EQ(Command({"/UNDO"}), kExitNothingToUndo);
}

TEST_F(ConsoleCommandTest, PatternsShiftsPreviewsAndRefusals) {
    EXPECT_EQ(Command({"C:\\T", "/M:+9h", "/T:=M", "/I:*.JPG"}), kExitDone);
    EXPECT_EQ(Node("C:\\T\\sub\\b.jpg").modification, kNineHoursLater);
    EXPECT_EQ(Node("C:\\T\\sub\\b.jpg").access, kNineHoursLater);
    EXPECT_EQ(Node("C:\\T\\a.txt").modification, kOwn);
    EXPECT_EQ(Lines("changed"), 1) << out.text_;

    EXPECT_EQ(Command({"C:\\T", "+R", "/PREVIEW"}), kExitDone);
    EXPECT_EQ(Node("C:\\T\\a.txt").attributes, kAttrArchive);

    EXPECT_EQ(Command({"C:\\nowhere", "+R"}), kExitRefused);
    EXPECT_EQ(Command({"C:\\T", "+R", "/Z"}), kExitRefused);
    EXPECT_EQ(err.text_, "不明なオプションです: /Z\r\n");
    EXPECT_EQ(Command({"C:\\T"}), kExitRefused);
    EXPECT_EQ(err.text_.rfind("KelvoCmd", 0), 0u);
    EXPECT_EQ(Command({"/?"}), kExitDone);
    EXPECT_EQ(out.text_.rfind("KelvoCmd", 0), 0u);
}

TEST_F(ConsoleCommandTest, ItemsLeftCancelAndARecordThatCantBeMade) {
    files.RefuseOperation("UpdateItem", "\\a.txt", 0, 32);
    EXPECT_EQ(Command({"C:\\T", "+H"}), kExitItemsLeft);
    EXPECT_EQ(Lines("left"), 1) << out.text_;
    EXPECT_NE(out.text_.find("left\tC:\\T\\a.txt\t32\terror 32"), std::string::npos) << out.text_;
    EXPECT_NE(err.text_.find("変更できなかった項目: 1件"), std::string::npos) << err.text_;
    files.ClearRefusals();

    cancel = true;
    EXPECT_EQ(Command({"C:\\T", "-A"}), kExitCancelled);
    EXPECT_EQ(Node("C:\\T\\a.txt").attributes, kAttrArchive);
    cancel = false;

    records.RefuseCreate(true);
    EXPECT_EQ(Command({"C:\\T", "-A"}), kExitRefused);
    EXPECT_EQ(Node("C:\\T\\a.txt").attributes, kAttrArchive);
}

}  // namespace
}  // namespace kelvo
