// Tip requests reaching the main window: each answer follows the state of the
// window at the moment of the request, and the tip window itself gets none.
#include "tests/unit/MainDialogTestFixture.h"

namespace kelvo {
namespace {

class MainDialogTipsTest : public MainDialogTest {
protected:
    // A TTN_NEEDTEXTW request for `id`, as the Win32 host decodes it; the
    // text the dialog put into the request.
    std::string Tip(int id) {
        Message m;
        m.message = kWmNotify;
        m.code = kTtnNeedTextW;
        m.id = id;
        m.lParam = 77;
        const Reply reply = dialog->HandleMessage(m);
        EXPECT_TRUE(reply.handled) << id;
        return shell.LastTipText();
    }
};

TEST_F(MainDialogTipsTest, AttributeTipFollowsEachClick) {
    Open();
    EXPECT_EQ(Tip(IDC_READ_ONLY), "読み取り専用属性は変更しません");
    window.Click(IDC_READ_ONLY, true);
    EXPECT_EQ(Tip(IDC_READ_ONLY), "読み取り専用属性ではなくします");
    window.Click(IDC_READ_ONLY, true);
    EXPECT_EQ(Tip(IDC_READ_ONLY), "読み取り専用属性にします");
    EXPECT_EQ(Tip(IDC_FOLDERS_TOO), "選択した属性をフォルダには適用しません");
}

TEST_F(MainDialogTipsTest, RenameTipsFollowTheSwitchAndTheMode) {
    Open();
    EXPECT_EQ(Tip(IDC_RENAME_ON), "リネーム項目を有効にします");
    EXPECT_EQ(Tip(IDC_TITLE_HEAD), "ファイルタイトル名の先頭に追加する文字列");
    window.Click(IDC_RENAME_ON);
    window.Click(IDC_RENAME_MODE);
    EXPECT_EQ(Tip(IDC_RENAME_ON), "リネーム項目を無効にします");
    EXPECT_EQ(Tip(IDC_RENAME_MODE), "追加モードに切り替える");
    EXPECT_EQ(Tip(IDC_TITLE_HEAD), "ファイルタイトル名の先頭から削除する文字列");
    EXPECT_EQ(Tip(IDC_EXT_TAIL), "拡張子名の末尾から削除する文字列");
}

TEST_F(MainDialogTipsTest, DayTipCarriesTheMonthLengthOfItsRow) {
    Open();
    window.Click(IDC_MODIFIED_BOX);
    ASSERT_TRUE(window.Type(IDC_MODIFIED_YEAR, "2024"));
    ASSERT_TRUE(window.Type(IDC_MODIFIED_MONTH, "2"));
    EXPECT_EQ(Tip(IDC_MODIFIED_DAY), "日を設定します(1-29)");
    EXPECT_EQ(Tip(IDC_MODIFIED_DAY_SPIN), "日を設定します(1-29)");
    ASSERT_TRUE(window.Type(IDC_MODIFIED_MONTH, "4"));
    EXPECT_EQ(Tip(IDC_MODIFIED_DAY), "日を設定します(1-30)");
}

TEST_F(MainDialogTipsTest, StartButtonTipFollowsTheRun) {
    Open();
    EXPECT_EQ(Tip(IDC_START), "この設定に従い変更します");
    threads.SetMode(MemoryThreads::Mode::RealThread);
    holdJob = true;
    dialog->StartOrCancel();
    for (int i = 0; i < 5000 && jobRuns.load() == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_EQ(jobRuns.load(), 1);
    EXPECT_EQ(Tip(IDC_START), "キャンセルします");
    dialog->StartOrCancel();
    WaitForIdle();
    EXPECT_EQ(Tip(IDC_START), "この設定に従い変更します");
}

TEST_F(MainDialogTipsTest, StatusTextAndGroupsAreAnsweredWithoutText) {
    Open();
    EXPECT_EQ(Tip(IDC_PATH), "このフォルダ以下の全てのファイル＆フォルダが処理対象です");
    EXPECT_EQ(Tip(IDC_STATUS), "");
    EXPECT_EQ(Tip(IDC_RENAME_GROUP), "");
    EXPECT_EQ(Tip(IDC_CREATION_YEAR_LABEL), "");
}

}  // namespace
}  // namespace kelvo
