// The rename panel on the in-memory window, wired as the dialog wires it:
// clicks on 1077 and 1078 reach their handlers and every change of a rule
// edit reaches the rule-text handler.
#include <gtest/gtest.h>

#include "panels/RenamePanel.h"
#include "platform/memory/MemoryWindow.h"
#include "resources/ControlGroups.h"

namespace kelvo {
namespace {

TEST(StripNameChars, RemovesForbiddenCharactersOnly) {
    struct Case {
        const char* shows;
        std::string text, expected;
        int removed;
    } cases[] = {
        {"all eight", "\\/:*?\"<>", "", 8},
        {"colon between letters", "a:b", "ab", 1},
        {"pasted text", "a<b>c?d", "abcd", 3},
        {"repeated", "::a::", "a", 4},
        {"bar stays", "a|b", "a|b", 0},
        {"nothing to remove", "photo_01", "photo_01", 0},
        {"empty", "", "", 0},
        {"trail byte 0x5C survives", "表ソ", "表ソ", 0},
        {"backslash after a 0x5C trail byte", "表\\", "表", 1},
        {"dot and blank stay", " a.b ", " a.b ", 0},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(StripNameChars(text), c.removed) << c.shows;
        EXPECT_EQ(text, c.expected) << c.shows;
    }
}

class RenamePanelTest : public ::testing::Test {
protected:
    RenamePanelTest() : panel(window) {
        for (int id : kRenameEdits) window.MarkEdit(id);
        window.SetCommandHandler([this](int id, int code) {
            if (code == kEnUpdate && RenamePanel::IsRuleEdit(id)) panel.OnRuleTextChanged(id);
            if (code == kBnClicked && id == IDC_RENAME_ON) panel.ApplyRenameEnable();
            if (code == kBnClicked && id == IDC_RENAME_MODE) panel.ApplyRenameMode();
        });
        window.SetText(IDC_DOT_PICTURE, "+ . +");
    }

    // The start-up order: rules off, the stored mode and texts, then the on/off state.
    void StartUp(int mode, const std::string& titleWhat, const std::string& extWhat) {
        window.SetCheck(IDC_RENAME_ON, kUnchecked);
        window.SetCheck(IDC_RENAME_MODE, mode);
        window.SetText(IDC_TITLE_WHAT, titleWhat);
        window.SetText(IDC_EXT_WHAT, extWhat);
        panel.ApplyRenameEnable();
    }

    bool ReadOnly(int id) { return window.ControlState(id).readOnly; }
    bool Enabled(int id) { return window.ControlState(id).enabled; }

    MemoryWindow window;
    RenamePanel panel;
};

TEST_F(RenamePanelTest, TypedAndPastedTextIsStrippedAtOnce) {
    StartUp(0, "", "");
    window.Click(IDC_RENAME_ON);
    ASSERT_TRUE(window.Type(IDC_TITLE_TAIL, "a:b"));
    EXPECT_EQ(window.GetText(IDC_TITLE_TAIL), "ab");
    ASSERT_TRUE(window.Type(IDC_EXT_HEAD, "x<y>z?"));
    EXPECT_EQ(window.GetText(IDC_EXT_HEAD), "xyz");
    // The stripped text is put back once, as a whole.
    std::vector<std::string> texts = window.ControlState(IDC_EXT_HEAD).texts;
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1], "xyz");
}

TEST_F(RenamePanelTest, CleanTextIsNotPutBack) {
    StartUp(0, "", "");
    window.Click(IDC_RENAME_ON);
    ASSERT_TRUE(window.Type(IDC_TITLE_HEAD, "a|b"));
    EXPECT_EQ(window.GetText(IDC_TITLE_HEAD), "a|b");
    ASSERT_TRUE(window.Type(IDC_TITLE_HEAD, "表ソ"));
    EXPECT_EQ(window.GetText(IDC_TITLE_HEAD), "表ソ");
    EXPECT_EQ(window.ControlState(IDC_TITLE_HEAD).texts.size(), 2u);
}

TEST_F(RenamePanelTest, LoadedTextsAreStrippedLikeTypedOnes) {
    window.SetText(IDC_EXT_WITH, "b*a\"k");
    EXPECT_EQ(window.GetText(IDC_EXT_WITH), "bak");
}

TEST_F(RenamePanelTest, StartsOffWithEverythingLocked) {
    StartUp(1, "a", "b");
    EXPECT_EQ(window.GetText(IDC_RENAME_ON), "無効(&H)");
    for (int id : kRenameEdits) {
        EXPECT_TRUE(ReadOnly(id)) << id;
        EXPECT_TRUE(Enabled(id)) << id;
    }
    EXPECT_FALSE(Enabled(IDC_RENAME_MODE));
    EXPECT_FALSE(Enabled(IDC_REPLACE_LABEL));
    EXPECT_FALSE(Enabled(IDC_SAVE_RENAME));
    EXPECT_EQ(window.GetText(IDC_RENAME_MODE), "削除 :");
    EXPECT_EQ(window.GetText(IDC_TITLE_PICTURE), "- * -");
}

TEST_F(RenamePanelTest, SwitchingOnUnlocksAllButEmptyReplacements) {
    StartUp(0, "", "");
    window.Click(IDC_RENAME_ON);
    EXPECT_EQ(window.GetText(IDC_RENAME_ON), "有効(&H)");
    for (int id : {IDC_TITLE_HEAD, IDC_TITLE_TAIL, IDC_EXT_HEAD, IDC_EXT_TAIL, IDC_TITLE_WHAT, IDC_EXT_WHAT}) {
        EXPECT_FALSE(ReadOnly(id)) << id;
    }
    EXPECT_TRUE(ReadOnly(IDC_TITLE_WITH));
    EXPECT_TRUE(ReadOnly(IDC_EXT_WITH));
    EXPECT_TRUE(Enabled(IDC_RENAME_MODE));
    EXPECT_TRUE(Enabled(IDC_REPLACE_LABEL));
    EXPECT_TRUE(Enabled(IDC_SAVE_RENAME));
}

TEST_F(RenamePanelTest, ReplacementsWithSearchTextStayWritable) {
    StartUp(0, "a", "b");
    window.Click(IDC_RENAME_ON);
    EXPECT_FALSE(ReadOnly(IDC_TITLE_WITH));
    EXPECT_FALSE(ReadOnly(IDC_EXT_WITH));
}

TEST_F(RenamePanelTest, SearchTextLocksItsReplacement) {
    StartUp(0, "", "");
    window.Click(IDC_RENAME_ON);
    struct Pair {
        int what, with;
    } pairs[] = {{IDC_TITLE_WHAT, IDC_TITLE_WITH}, {IDC_EXT_WHAT, IDC_EXT_WITH}};
    for (const Pair& p : pairs) {
        ASSERT_TRUE(window.Type(p.what, "x"));
        EXPECT_FALSE(ReadOnly(p.with)) << p.what;
        ASSERT_TRUE(window.Type(p.with, "y"));
        ASSERT_TRUE(window.Type(p.what, ""));
        EXPECT_TRUE(ReadOnly(p.with)) << p.what;
        EXPECT_EQ(window.GetText(p.with), "y") << "the locked text stays";
        EXPECT_FALSE(window.Type(p.with, "z"));
        // A search text made only of forbidden characters ends up empty.
        ASSERT_TRUE(window.Type(p.what, "x"));
        ASSERT_TRUE(window.Type(p.what, "::"));
        EXPECT_TRUE(ReadOnly(p.with)) << p.what;
    }
}

TEST_F(RenamePanelTest, OffAndOnAgainRelocksEmptyReplacements) {
    StartUp(0, "", "");
    window.Click(IDC_RENAME_ON);
    ASSERT_TRUE(window.Type(IDC_EXT_WHAT, "x"));
    window.Click(IDC_RENAME_ON);
    EXPECT_TRUE(ReadOnly(IDC_TITLE_WITH));
    EXPECT_TRUE(ReadOnly(IDC_EXT_WITH));
    window.Click(IDC_RENAME_ON);
    EXPECT_TRUE(ReadOnly(IDC_TITLE_WITH));
    EXPECT_FALSE(ReadOnly(IDC_EXT_WITH));
}

TEST_F(RenamePanelTest, ModeCaptionsFollowTheToggle) {
    StartUp(0, "", "");
    window.Click(IDC_RENAME_ON);
    EXPECT_EQ(window.GetText(IDC_RENAME_MODE), "追加 :");
    EXPECT_EQ(window.GetText(IDC_TITLE_PICTURE), "+ * +");
    EXPECT_EQ(window.GetText(IDC_EXT_PICTURE), "+ * +");
    window.Click(IDC_RENAME_MODE);
    EXPECT_EQ(window.GetText(IDC_RENAME_MODE), "削除 :");
    EXPECT_EQ(window.GetText(IDC_TITLE_PICTURE), "- * -");
    EXPECT_EQ(window.GetText(IDC_EXT_PICTURE), "- * -");
    EXPECT_EQ(window.GetText(IDC_DOT_PICTURE), "+ . +");
    window.Click(IDC_RENAME_MODE);
    EXPECT_EQ(window.GetText(IDC_RENAME_MODE), "追加 :");
    EXPECT_EQ(window.GetText(IDC_EXT_PICTURE), "+ * +");
}

}  // namespace
}  // namespace kelvo
