// The OK and Cancel commands of the main window in every state of a run,
// and the controls a run disables and gives back.
#include "tests/unit/MainDialogTestFixture.h"

#include <map>
#include <set>

namespace kelvo {
namespace {

// Button 1 between runs and during one.
const char* const kStartText = "一括変更開始(&E)";
const char* const kCancelText = "キャンセル(&E)";

// The job controls a run disables, in every row of the window.
std::set<int> JobControls() {
    std::set<int> ids = {IDC_PATH, IDC_CURRENT_DIR, IDC_FOLDERS_TOO, IDC_RESET_DATES, IDC_RENAME_ON,
                         IDC_RENAME_MODE, IDC_SAVE_RENAME};
    for (int box : kAttributeBoxes) ids.insert(box);
    for (const DateRowIds& row : kDateRows) {
        ids.insert(row.box);
        for (int edit : row.edits) ids.insert(edit);
        for (int spin : row.spins) ids.insert(spin);
    }
    for (int edit : kRenameEdits) ids.insert(edit);
    return ids;
}

class MainDialogRunTest : public MainDialogTest {
protected:
    void StartHeldRun() {
        threads.SetMode(MemoryThreads::Mode::RealThread);
        holdJob = true;
        dialog->StartOrCancel();
        for (int i = 0; i < 5000 && jobRuns.load() == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ASSERT_EQ(jobRuns.load(), 1);
    }
    void ExpectIdle() {
        EXPECT_FALSE(dialog->Worker().Running());
        EXPECT_FALSE(dialog->Worker().CancelRequested());
        EXPECT_EQ(window.GetText(IDC_START), kStartText);
        EXPECT_TRUE(window.ControlState(IDC_PATH).enabled);
    }
};

TEST_F(MainDialogRunTest, IdleOkRunsTheJobOnceAndComesBackIdle) {
    Open();
    dialog->StartOrCancel();
    EXPECT_EQ(jobRuns.load(), 1);
    EXPECT_FALSE(jobSawStartEnabled.load());  // controls were disabled before the job read them
    EXPECT_EQ(window.ControlState(IDC_START).texts.back(), kStartText);
    const std::vector<std::string> texts = window.ControlState(IDC_START).texts;
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[texts.size() - 2], kCancelText);
    ExpectIdle();
    EXPECT_EQ(shell.EndedWith(), -1);
}

TEST_F(MainDialogRunTest, IdleCancelClosesTheWindow) {
    Open();
    dialog->CancelOrClose();
    EXPECT_EQ(shell.EndedWith(), kIdCancel);
    EXPECT_EQ(jobRuns.load(), 0);
}

TEST_F(MainDialogRunTest, RunningShowsTheCancelCaptionAndDisablesJobControls) {
    Open();
    StartHeldRun();
    EXPECT_TRUE(dialog->Worker().Running());
    EXPECT_EQ(window.GetText(IDC_START), kCancelText);
    for (int id : JobControls()) EXPECT_FALSE(window.ControlState(id).enabled) << id;
    dialog->StartOrCancel();
    WaitForIdle();
    ExpectIdle();
}

// Every command in "running" and in "cancel asked" only asks to cancel.
struct CommandCase {
    const char* name;
    bool firstIsOk;
    bool secondIsOk;
};

class MainDialogCommandTest : public MainDialogRunTest, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(MainDialogCommandTest, CommandsDuringARunCancelItAndKeepTheWindowOpen) {
    Open();
    StartHeldRun();
    auto command = [this](bool ok) { ok ? dialog->StartOrCancel() : dialog->CancelOrClose(); };
    command(GetParam().firstIsOk);
    command(GetParam().secondIsOk);
    WaitForIdle();
    EXPECT_EQ(shell.EndedWith(), -1);
    EXPECT_EQ(threads.Started(), 1);
    ExpectIdle();
    dialog->CancelOrClose();
    EXPECT_EQ(shell.EndedWith(), kIdCancel);
}

INSTANTIATE_TEST_SUITE_P(States, MainDialogCommandTest,
                         ::testing::Values(CommandCase{"OkThenOk", true, true}, CommandCase{"OkThenCancel", true, false},
                                           CommandCase{"CancelThenOk", false, true},
                                           CommandCase{"CancelThenCancel", false, false}),
                         [](const ::testing::TestParamInfo<CommandCase>& info) { return info.param.name; });

TEST_F(MainDialogRunTest, RefusedThreadGivesTheIdleWindowBack) {
    Open();
    threads.SetMode(MemoryThreads::Mode::Refuse);
    dialog->StartOrCancel();
    EXPECT_EQ(jobRuns.load(), 0);
    ExpectIdle();
    for (int id : {IDC_CURRENT_DIR, IDC_READ_ONLY, IDC_CREATION_BOX, IDC_RESET_DATES, IDC_RENAME_ON}) {
        EXPECT_TRUE(window.ControlState(id).enabled) << id;
    }
    // The next Cancel closes: no run is left behind.
    dialog->CancelOrClose();
    EXPECT_EQ(shell.EndedWith(), kIdCancel);
}

TEST_F(MainDialogRunTest, AfterARunEachDateRowIsEditableExactlyWhenTicked) {
    Open();
    window.Click(IDC_MODIFIED_BOX);
    dialog->StartOrCancel();
    for (int row = 0; row < 3; ++row) {
        const bool ticked = row == 1;
        EXPECT_EQ(window.ControlState(kDateRows[row].edits[kYear]).readOnly, !ticked) << row;
        EXPECT_EQ(window.ControlState(kDateRows[row].spins[kYear]).enabled, ticked) << row;
        EXPECT_TRUE(window.ControlState(kDateRows[row].edits[kYear]).enabled) << row;
    }
}

TEST_F(MainDialogRunTest, RenameToggleAndSaveFollowTheRenameSwitchAfterARun) {
    Open();
    dialog->StartOrCancel();
    EXPECT_FALSE(window.ControlState(IDC_RENAME_MODE).enabled);
    EXPECT_FALSE(window.ControlState(IDC_SAVE_RENAME).enabled);
    EXPECT_TRUE(window.ControlState(IDC_TITLE_HEAD).readOnly);
    window.Click(IDC_RENAME_ON);
    dialog->StartOrCancel();
    EXPECT_TRUE(window.ControlState(IDC_RENAME_MODE).enabled);
    EXPECT_TRUE(window.ControlState(IDC_SAVE_RENAME).enabled);
    EXPECT_FALSE(window.ControlState(IDC_TITLE_HEAD).readOnly);
}

// Buttons 1 and 2, always-on-top, the labels and the frames stay as they are.
TEST_F(MainDialogRunTest, ARunEnablesAndDisablesNothingButTheJobControls) {
    Open();
    std::map<int, int> callsBefore;
    for (int id : window.ControlIds()) callsBefore[id] = window.ControlState(id).enableCalls;
    StartHeldRun();
    dialog->CancelOrClose();
    WaitForIdle();
    const std::set<int> jobControls = JobControls();
    for (int id : window.ControlIds()) {
        if (window.ControlState(id).enableCalls != callsBefore[id]) {
            EXPECT_EQ(jobControls.count(id), 1u) << id;
        }
    }
}

TEST_F(MainDialogRunTest, TheJobSeesFullViewAsAlwaysOnTopLeftIt) {
    Open();
    window.Click(IDC_ALWAYS_ON_TOP);
    dialog->StartOrCancel();
    EXPECT_EQ(jobSawFullView.load(), 0);
}

// The end of a run restores the window on the window's own thread (this
// test's thread), the worker waiting until that thread takes it.
class RunEndTest : public MainDialogRunTest {};

TEST_F(RunEndTest, TheWorkerWaitsForTheWindowsThreadToRestoreIt) {
    Open();
    window.Click(IDC_MODIFIED_BOX);
    StartHeldRun();
    dialog->StartOrCancel();
    ASSERT_TRUE(window.WaitForSentWork(5000));
    // Nothing is restored until this thread takes the work.
    EXPECT_TRUE(dialog->Worker().Running());
    EXPECT_EQ(window.GetText(IDC_START), kCancelText);
    EXPECT_FALSE(window.ControlState(IDC_PATH).enabled);
    EXPECT_EQ(window.HandleSentWork(), 1);
    // Done in one step, flags included: the start caption starts the next run at once.
    ExpectIdle();
    EXPECT_FALSE(window.ControlState(IDC_MODIFIED_YEAR).readOnly);
    holdJob = false;
    dialog->StartOrCancel();
    WaitForIdle();
    EXPECT_EQ(jobRuns.load(), 2);
}

// Under the thread sanitizer: a tip, which reads the month lengths the end
// of a run writes, asked for on the window's thread while runs end.
TEST_F(RunEndTest, TipsAnsweredWhileRunsEndReadNothingTheWorkerWrites) {
    Open();
    window.Click(IDC_MODIFIED_BOX);
    const std::string dayTip = dialog->TipText(IDC_MODIFIED_DAY);
    threads.SetMode(MemoryThreads::Mode::RealThread);
    for (int run = 1; run <= 20; ++run) {
        dialog->StartOrCancel();
        while (dialog->Worker().Running()) {
            EXPECT_EQ(dialog->TipText(IDC_MODIFIED_DAY), dayTip);
            window.HandleSentWork();
        }
        threads.JoinAll();
    }
    EXPECT_EQ(jobRuns.load(), 20);
}

}  // namespace
}  // namespace kelvo
