// The main window's 88 controls in template order, with the style words the
// resource script gives them.
#include "app/ControlTable.h"

#include "app/ControlStyles.h"

namespace kelvo {
namespace {

constexpr uint32_t kShown = kWsChild | kWsVisible;
constexpr uint32_t kCheck = kShown | kWsTabStop | kBsAutoCheckBox;
constexpr uint32_t kThreeState = kShown | kWsTabStop | kBsAuto3State;
constexpr uint32_t kGroupBox = kShown | kBsGroupBox | kBsCenter;
constexpr uint32_t kCentredLabel = kShown | kWsGroup | kSsCenter;
constexpr uint32_t kLeftLabel = kShown | kWsGroup | kSsLeft;
constexpr uint32_t kEdit = kShown | kWsTabStop | kWsBorder | kEsAutoHScroll;
constexpr uint32_t kDateEdit = kEdit | kEsNumber | kEsRight;
constexpr uint32_t kSpin =
    kShown | kUdsWrap | kUdsSetBuddyInt | kUdsAlignRight | kUdsAutoBuddy | kUdsArrowKeys | kUdsNoThousands;

constexpr ControlClass B = ControlClass::Button;
constexpr ControlClass E = ControlClass::Edit;
constexpr ControlClass S = ControlClass::Static;
constexpr ControlClass U = ControlClass::UpDown;

}  // namespace

const ControlRow kMainControls[kMainControlCount] = {
    {1071, B, "常に手前に表示(&Z)", kCheck, 5, 0, 71, 10},
    {1006, S, "(&I)", kWsChild | kWsGroup | kSsCenter, 227, 22, 8, 8},
    {1004, E, "", kEdit, 5, 10, 229, 12},
    {1007, B, "ｶﾚﾝﾄﾃﾞｨﾚｸﾄﾘ(このﾌﾟﾛｸﾞﾗﾑの場所)にする(&P)", kCheck, 5, 22, 140, 10},
    {1, B, "一括変更開始(&E)", kShown | kWsTabStop | kBsDefPushButton, 5, 35, 65, 14},
    {2, B, "終了(&X)", kShown | kWsTabStop | kBsPushButton, 190, 35, 45, 14},
    {1000, B, "読み取り専用(&R)", kThreeState, 55, 74, 60, 10},
    {1001, B, "隠しファイル(&D)", kThreeState, 125, 74, 55, 10},
    {1002, B, "アーカイブ(&C)", kThreeState, 55, 89, 50, 10},
    {1003, B, "システム(&S)", kThreeState, 125, 89, 45, 10},
    {1069, B, "フォルダにも適用(&F)", kCheck, 55, 109, 70, 10},
    {1068, B, "オプション", kGroupBox, 35, 100, 165, 23},
    {1008, B, "属性を選んで下さい", kGroupBox, 35, 60, 165, 63},
    {1023, S, "年", kCentredLabel, 95, 143, 8, 8},
    {1024, S, "月", kCentredLabel, 122, 143, 8, 8},
    {1025, S, "日", kCentredLabel, 150, 143, 8, 8},
    {1026, S, ":", kCentredLabel, 182, 142, 8, 8},
    {1027, S, ":", kCentredLabel, 206, 142, 8, 8},
    {1028, S, "年", kCentredLabel, 95, 159, 8, 8},
    {1029, S, "月", kCentredLabel, 122, 159, 8, 8},
    {1031, S, "日", kCentredLabel, 150, 159, 8, 8},
    {1032, S, ":", kCentredLabel, 182, 158, 8, 8},
    {1033, S, ":", kCentredLabel, 206, 158, 8, 8},
    {1047, S, "年", kCentredLabel, 95, 175, 8, 8},
    {1048, S, "月", kCentredLabel, 122, 175, 8, 8},
    {1049, S, "日", kCentredLabel, 150, 175, 8, 8},
    {1050, S, ":", kCentredLabel, 182, 174, 8, 8},
    {1051, S, ":", kCentredLabel, 206, 174, 8, 8},
    {1030, B, "作成日時(&N)  :", kCheck, 9, 141, 56, 10},
    {1011, E, "", kDateEdit, 67, 141, 28, 10},
    {1013, U, "", kSpin, 94, 151, 9, 6},
    {1012, E, "", kDateEdit, 102, 141, 20, 10},
    {1014, U, "", kSpin, 122, 151, 9, 6},
    {1015, E, "", kDateEdit, 130, 141, 20, 10},
    {1020, U, "", kSpin, 149, 151, 9, 6},
    {1017, E, "", kDateEdit, 164, 141, 20, 10},
    {1016, U, "", kSpin, 182, 150, 9, 6},
    {1019, E, "", kDateEdit, 188, 141, 20, 10},
    {1018, U, "", kSpin, 206, 151, 9, 6},
    {1021, E, "", kDateEdit, 212, 141, 20, 10},
    {1022, U, "", kSpin, 225, 151, 9, 6},
    {1034, B, "更新日時(&M)  :", kCheck, 9, 157, 56, 10},
    {1035, E, "", kDateEdit, 67, 157, 28, 10},
    {1036, U, "", kSpin, 94, 167, 9, 6},
    {1037, E, "", kDateEdit, 102, 157, 20, 10},
    {1038, U, "", kSpin, 122, 168, 9, 6},
    {1039, E, "", kDateEdit, 130, 157, 20, 10},
    {1040, U, "", kSpin, 149, 167, 9, 6},
    {1041, E, "", kDateEdit, 164, 157, 20, 10},
    {1042, U, "", kSpin, 182, 167, 9, 6},
    {1043, E, "", kDateEdit, 188, 157, 20, 10},
    {1044, U, "", kSpin, 206, 167, 9, 6},
    {1045, E, "", kDateEdit, 212, 157, 20, 10},
    {1046, U, "", kSpin, 225, 167, 9, 6},
    {1052, B, "アクセス日(&A) :", kCheck, 9, 173, 57, 10},
    {1053, E, "", kDateEdit, 67, 173, 28, 10},
    {1054, U, "", kSpin, 94, 182, 9, 6},
    {1055, E, "", kDateEdit, 102, 173, 20, 10},
    {1056, U, "", kSpin, 122, 183, 9, 6},
    {1057, E, "", kDateEdit, 130, 173, 20, 10},
    {1058, U, "", kSpin, 149, 183, 9, 6},
    {1059, E, "", kDateEdit, 164, 173, 20, 10},
    {1060, U, "", kSpin, 182, 183, 9, 6},
    {1061, E, "", kDateEdit, 188, 173, 20, 10},
    {1062, U, "", kSpin, 206, 183, 9, 6},
    {1063, E, "", kDateEdit, 212, 173, 20, 10},
    {1064, U, "", kSpin, 225, 182, 9, 6},
    {1072, B, "リセット(&T)", kShown | kWsTabStop | kBsPushButton, 193, 185, 39, 14},
    {1065, B, "日時を選んで下さい", kGroupBox, 5, 129, 230, 71},
    {1089, S, "+ * +", kLeftLabel, 68, 227, 16, 8},
    {1091, S, "+ . +", kLeftLabel, 125, 227, 14, 8},
    {1090, S, "+ * +", kLeftLabel, 164, 227, 16, 8},
    {1096, S, "置換 :", kLeftLabel, 8, 242, 20, 10},
    {1092, S, "  * >>", kLeftLabel, 69, 242, 18, 8},
    {1093, S, "  * >>", kLeftLabel, 165, 242, 18, 8},
    {1077, B, "無効(&H)", kCheck, 6, 213, 39, 10},
    {1078, B, "追加", kCheck | kBsPushLike | kBsFlat | kBsBottom | kBsLeft, 6, 224, 22, 13},
    {1073, E, "", kEdit | kEsRight, 29, 225, 35, 11},
    {1074, E, "", kEdit, 86, 225, 35, 11},
    {1075, E, "", kEdit | kEsRight, 140, 225, 20, 11},
    {1076, E, "", kEdit, 182, 225, 20, 11},
    {1084, E, "", kEdit, 29, 240, 35, 11},
    {1085, E, "", kEdit, 86, 240, 35, 11},
    {1086, E, "", kEdit, 140, 240, 20, 11},
    {1087, E, "", kEdit, 182, 240, 20, 11},
    {1095, B, "設定保存", kShown | kWsTabStop | kBsPushButton, 204, 243, 30, 13},
    {1088, B, "ファイル名(*.*)を一括リネーム", kGroupBox, 5, 207, 230, 50},
    {1010, S,
     "情報を変更したいフォルダorファイルをドラッグ＆ドロップして下さい。\n"
     "指定フォルダ以下、全てのファイルやフォルダの\n"
     "属性の変更や、日時の変更、ファイル名の一括リネームなどをします。\n"
     "ファイル単体も可能です。\n\n\n進行状況ステータス",
     kShown | kWsGroup | kSsLeftNoWordWrap | kSsSunken, 5, 265, 230, 58},
};

const ControlRow* FindControl(int id) {
    for (const ControlRow& row : kMainControls) {
        if (row.id == id) return &row;
    }
    return nullptr;
}

const char* ClassName(ControlClass windowClass) {
    switch (windowClass) {
    case ControlClass::Button: return "Button";
    case ControlClass::Edit: return "Edit";
    case ControlClass::Static: return "Static";
    case ControlClass::UpDown: return "msctls_updown32";
    }
    return "";
}

bool IsEdit(int id) {
    const ControlRow* row = FindControl(id);
    return row != nullptr && row->windowClass == ControlClass::Edit;
}

}  // namespace kelvo
