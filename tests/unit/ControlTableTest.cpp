// The control table in code against the resource script: same controls in
// the same order, with the same ids, classes, captions, styles and positions.
#include "app/ControlTable.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/ControlStyles.h"

#ifndef _WIN32
#include <iconv.h>
#endif

namespace kelvo {
namespace {

struct RcControl {
    std::string caption;  // UTF-8 as in the script
    int id = 0;
    std::string windowClass;
    uint32_t style = 0;
    int x = 0, y = 0, width = 0, height = 0;
};

std::string ScriptPath() {
    std::string here = __FILE__;
    return here.substr(0, here.rfind("tests/unit/")) + "resources/Kelvo.rc";
}

// Style names the script uses, with their values.
const std::map<std::string, uint32_t>& StyleNames() {
    static const std::map<std::string, uint32_t> names = {
        {"WS_TABSTOP", kWsTabStop}, {"WS_GROUP", kWsGroup}, {"WS_BORDER", kWsBorder},
        {"WS_VISIBLE", kWsVisible}, {"BS_AUTOCHECKBOX", kBsAutoCheckBox}, {"BS_AUTO3STATE", kBsAuto3State},
        {"BS_GROUPBOX", kBsGroupBox}, {"BS_CENTER", kBsCenter}, {"BS_LEFT", kBsLeft}, {"BS_BOTTOM", kBsBottom},
        {"BS_PUSHLIKE", kBsPushLike}, {"BS_FLAT", kBsFlat}, {"BS_PUSHBUTTON", kBsPushButton},
        {"BS_DEFPUSHBUTTON", kBsDefPushButton}, {"ES_RIGHT", kEsRight}, {"ES_AUTOHSCROLL", kEsAutoHScroll},
        {"ES_NUMBER", kEsNumber}, {"SS_LEFT", kSsLeft}, {"SS_CENTER", kSsCenter},
        {"SS_LEFTNOWORDWRAP", kSsLeftNoWordWrap}, {"SS_SUNKEN", kSsSunken}, {"UDS_WRAP", kUdsWrap},
        {"UDS_SETBUDDYINT", kUdsSetBuddyInt}, {"UDS_ALIGNRIGHT", kUdsAlignRight}, {"UDS_AUTOBUDDY", kUdsAutoBuddy},
        {"UDS_ARROWKEYS", kUdsArrowKeys}, {"UDS_NOTHOUSANDS", kUdsNoThousands}};
    return names;
}

std::string Trim(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t");
    const size_t b = s.find_last_not_of(" \t\r");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

// "CONTROL "caption", id, "class", style, x, y, w, h"; a CONTROL without
// WS_CHILD and WS_VISIBLE gets both, and NOT takes a bit away.
RcControl ParseControl(const std::string& line) {
    RcControl c;
    size_t pos = line.find('"') + 1;
    while (true) {
        const size_t quote = line.find('"', pos);
        if (line.compare(quote, 2, "\"\"") == 0) {
            c.caption += line.substr(pos, quote - pos) + "\"";
            pos = quote + 2;
            continue;
        }
        c.caption += line.substr(pos, quote - pos);
        pos = quote + 1;
        break;
    }
    std::vector<std::string> fields;
    std::stringstream rest(line.substr(pos));
    std::string field;
    while (std::getline(rest, field, ',')) fields.push_back(Trim(field));
    // fields[0] is empty (the comma after the caption)
    c.id = std::stoi(fields.at(1));
    c.windowClass = fields.at(2).substr(1, fields.at(2).size() - 2);
    c.style = kWsChild | kWsVisible;
    std::stringstream words(fields.at(3));
    std::string word;
    bool negate = false;
    while (words >> word) {
        if (word == "|") continue;
        if (word == "NOT") {
            negate = true;
            continue;
        }
        const uint32_t bits = StyleNames().at(word);
        c.style = negate ? (c.style & ~bits) : (c.style | bits);
        negate = false;
    }
    c.x = std::stoi(fields.at(4));
    c.y = std::stoi(fields.at(5));
    c.width = std::stoi(fields.at(6));
    c.height = std::stoi(fields.at(7));
    return c;
}

std::vector<RcControl> MainTemplateControls() {
    std::ifstream script(ScriptPath());
    std::vector<RcControl> controls;
    std::string line;
    bool inMain = false;
    while (std::getline(script, line)) {
        if (line.rfind("IDD_MAIN DIALOGEX", 0) == 0) inMain = true;
        if (!inMain) continue;
        if (Trim(line) == "END") break;
        if (Trim(line).rfind("CONTROL", 0) == 0) controls.push_back(ParseControl(line));
    }
    return controls;
}

// The code's captions are code page 932; the script is UTF-8 with \n escapes.
std::string ScriptCaptionAsCp932(const std::string& utf8) {
    std::string unescaped;
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\\' && i + 1 < utf8.size() && utf8[i + 1] == 'n') {
            unescaped += '\n';
            ++i;
        } else {
            unescaped += utf8[i];
        }
    }
#ifdef _WIN32
    return unescaped;
#else
    iconv_t convert = iconv_open("CP932", "UTF-8");
    std::string out(unescaped.size() * 2 + 1, '\0');
    char* in = unescaped.data();
    size_t inLeft = unescaped.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    iconv(convert, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(convert);
    out.resize(out.size() - outLeft);
    return out;
#endif
}

TEST(ControlTableTest, ScriptHasEveryControlOfTheTableInOrder) {
#ifdef _WIN32
    GTEST_SKIP() << "the script is read by the native build";
#endif
    const std::vector<RcControl> script = MainTemplateControls();
    ASSERT_EQ(script.size(), kMainControlCount);
    for (size_t i = 0; i < kMainControlCount; ++i) {
        const ControlRow& row = kMainControls[i];
        const RcControl& rc = script[i];
        SCOPED_TRACE("row " + std::to_string(i + 1) + " id " + std::to_string(row.id));
        EXPECT_EQ(rc.id, row.id);
        EXPECT_EQ(rc.windowClass, ClassName(row.windowClass));
        EXPECT_EQ(ScriptCaptionAsCp932(rc.caption), row.caption);
        EXPECT_EQ(rc.style, row.style);
        EXPECT_EQ(rc.x, row.x);
        EXPECT_EQ(rc.y, row.y);
        EXPECT_EQ(rc.width, row.width);
        EXPECT_EQ(rc.height, row.height);
    }
}

TEST(ControlTableTest, IdsAreUniqueAndFourAreGroupBoxes) {
    std::set<int> ids;
    int groupBoxes = 0;
    for (const ControlRow& row : kMainControls) {
        EXPECT_TRUE(ids.insert(row.id).second) << row.id;
        if (row.windowClass == ControlClass::Button && (row.style & 0xF) == kBsGroupBox) ++groupBoxes;
    }
    EXPECT_EQ(groupBoxes, 4);
}

TEST(ControlTableTest, EveryUpDownFollowsItsBuddyEdit) {
    for (size_t i = 0; i < kMainControlCount; ++i) {
        if (kMainControls[i].windowClass != ControlClass::UpDown) continue;
        ASSERT_GT(i, 0u);
        EXPECT_EQ(kMainControls[i - 1].windowClass, ControlClass::Edit) << kMainControls[i].id;
    }
}

TEST(ControlTableTest, TabStopsAndGroupsFollowTheKinds) {
    for (const ControlRow& row : kMainControls) {
        const bool tabStop = (row.style & kWsTabStop) != 0;
        switch (row.windowClass) {
        case ControlClass::Edit:
            EXPECT_TRUE(tabStop && (row.style & kWsBorder)) << row.id;
            break;
        case ControlClass::Static:
            EXPECT_FALSE(tabStop) << row.id;
            EXPECT_TRUE(row.style & kWsGroup) << row.id;
            break;
        case ControlClass::UpDown:
            EXPECT_FALSE(tabStop) << row.id;
            break;
        case ControlClass::Button:
            EXPECT_EQ(tabStop, (row.style & 0xF) != kBsGroupBox) << row.id;
            break;
        }
        // Only label 1006 is hidden.
        EXPECT_EQ((row.style & kWsVisible) == 0, row.id == 1006) << row.id;
    }
}

TEST(ControlTableTest, FindControlAndIsEdit) {
    ASSERT_NE(FindControl(1010), nullptr);
    EXPECT_EQ(FindControl(1010)->windowClass, ControlClass::Static);
    EXPECT_EQ(FindControl(1005), nullptr);
    EXPECT_TRUE(IsEdit(1073));
    EXPECT_FALSE(IsEdit(1013));
}

}  // namespace
}  // namespace kelvo
