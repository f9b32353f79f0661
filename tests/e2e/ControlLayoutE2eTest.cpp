// The main window's 88 controls as the window's design lists them (id,
// class, caption, style and place in dialog units, in template order), kept
// here as data of its own: the program's one statement of its layout is its
// resource script. The template built into Kelvo.exe, which still holds the
// up-downs' own places after they have docked to their edits, is compared
// with it exactly; so is the live window under Wine, places converted to
// pixels by the live dialog. Together they hold the live window to the
// template the program carries.
#include <gtest/gtest.h>
#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

#include <iterator>
#include <string>
#include <vector>

#include "tests/e2e/E2eFiles.h"
#include "tests/e2e/KelvoProcess.h"

namespace kelvo::e2e {
namespace {

constexpr DWORD kHidden = 0x80000000;  // marks a row without WS_VISIBLE; no child has WS_POPUP
constexpr DWORD kSpin = UDS_WRAP | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
constexpr DWORD kDateEdit = ES_NUMBER | ES_RIGHT | ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER;
constexpr DWORD kRuleEdit = ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kThreeState = BS_AUTO3STATE | WS_TABSTOP;
constexpr DWORD kGroup = BS_GROUPBOX | BS_CENTER;
constexpr DWORD kCentred = WS_GROUP | SS_CENTER;
constexpr DWORD kLeft = WS_GROUP | SS_LEFT;

// How far a docked up-down stays inside its buddy's right edge: the edit's
// sunken border.
constexpr LONG kBuddyBorder = 2;

const char* const kButton = "Button";
const char* const kEdit = "Edit";
const char* const kStatic = "Static";
const char* const kUpDown = "msctls_updown32";

const char* const kStatusText =
    "情報を変更したいフォルダorファイルをドラッグ＆ドロップして下さい。\n"
    "指定フォルダ以下、全てのファイルやフォルダの\n"
    "属性の変更や、日時の変更、ファイル名の一括リネームなどをします。\n"
    "ファイル単体も可能です。\n\n\n進行状況ステータス";

struct Row {
    int id;
    const char* windowClass;
    const char* caption;
    DWORD style;  // besides WS_CHILD and WS_VISIBLE
    RECT place;   // x, y, width, height in dialog units
};

const Row kRows[] = {
    {1071, kButton, "常に手前に表示(&Z)", kCheck, {5, 0, 71, 10}},
    {1006, kStatic, "(&I)", kCentred | kHidden, {227, 22, 8, 8}},
    {1004, kEdit, "", kRuleEdit, {5, 10, 229, 12}},
    {1007, kButton, "ｶﾚﾝﾄﾃﾞｨﾚｸﾄﾘ(このﾌﾟﾛｸﾞﾗﾑの場所)にする(&P)", kCheck, {5, 22, 140, 10}},
    {1, kButton, "一括変更開始(&E)", BS_DEFPUSHBUTTON | WS_TABSTOP, {5, 35, 65, 14}},
    {2, kButton, "終了(&X)", BS_PUSHBUTTON | WS_TABSTOP, {190, 35, 45, 14}},
    {1000, kButton, "読み取り専用(&R)", kThreeState, {55, 74, 60, 10}},
    {1001, kButton, "隠しファイル(&D)", kThreeState, {125, 74, 55, 10}},
    {1002, kButton, "アーカイブ(&C)", kThreeState, {55, 89, 50, 10}},
    {1003, kButton, "システム(&S)", kThreeState, {125, 89, 45, 10}},
    {1069, kButton, "フォルダにも適用(&F)", kCheck, {55, 109, 70, 10}},
    {1068, kButton, "オプション", kGroup, {35, 100, 165, 23}},
    {1008, kButton, "属性を選んで下さい", kGroup, {35, 60, 165, 63}},
    {1023, kStatic, "年", kCentred, {95, 143, 8, 8}},
    {1024, kStatic, "月", kCentred, {122, 143, 8, 8}},
    {1025, kStatic, "日", kCentred, {150, 143, 8, 8}},
    {1026, kStatic, ":", kCentred, {182, 142, 8, 8}},
    {1027, kStatic, ":", kCentred, {206, 142, 8, 8}},
    {1028, kStatic, "年", kCentred, {95, 159, 8, 8}},
    {1029, kStatic, "月", kCentred, {122, 159, 8, 8}},
    {1031, kStatic, "日", kCentred, {150, 159, 8, 8}},
    {1032, kStatic, ":", kCentred, {182, 158, 8, 8}},
    {1033, kStatic, ":", kCentred, {206, 158, 8, 8}},
    {1047, kStatic, "年", kCentred, {95, 175, 8, 8}},
    {1048, kStatic, "月", kCentred, {122, 175, 8, 8}},
    {1049, kStatic, "日", kCentred, {150, 175, 8, 8}},
    {1050, kStatic, ":", kCentred, {182, 174, 8, 8}},
    {1051, kStatic, ":", kCentred, {206, 174, 8, 8}},
    {1030, kButton, "作成日時(&N)  :", kCheck, {9, 141, 56, 10}},
    {1011, kEdit, "", kDateEdit, {67, 141, 28, 10}},
    {1013, kUpDown, "", kSpin, {94, 151, 9, 6}},
    {1012, kEdit, "", kDateEdit, {102, 141, 20, 10}},
    {1014, kUpDown, "", kSpin, {122, 151, 9, 6}},
    {1015, kEdit, "", kDateEdit, {130, 141, 20, 10}},
    {1020, kUpDown, "", kSpin, {149, 151, 9, 6}},
    {1017, kEdit, "", kDateEdit, {164, 141, 20, 10}},
    {1016, kUpDown, "", kSpin, {182, 150, 9, 6}},
    {1019, kEdit, "", kDateEdit, {188, 141, 20, 10}},
    {1018, kUpDown, "", kSpin, {206, 151, 9, 6}},
    {1021, kEdit, "", kDateEdit, {212, 141, 20, 10}},
    {1022, kUpDown, "", kSpin, {225, 151, 9, 6}},
    {1034, kButton, "更新日時(&M)  :", kCheck, {9, 157, 56, 10}},
    {1035, kEdit, "", kDateEdit, {67, 157, 28, 10}},
    {1036, kUpDown, "", kSpin, {94, 167, 9, 6}},
    {1037, kEdit, "", kDateEdit, {102, 157, 20, 10}},
    {1038, kUpDown, "", kSpin, {122, 168, 9, 6}},
    {1039, kEdit, "", kDateEdit, {130, 157, 20, 10}},
    {1040, kUpDown, "", kSpin, {149, 167, 9, 6}},
    {1041, kEdit, "", kDateEdit, {164, 157, 20, 10}},
    {1042, kUpDown, "", kSpin, {182, 167, 9, 6}},
    {1043, kEdit, "", kDateEdit, {188, 157, 20, 10}},
    {1044, kUpDown, "", kSpin, {206, 167, 9, 6}},
    {1045, kEdit, "", kDateEdit, {212, 157, 20, 10}},
    {1046, kUpDown, "", kSpin, {225, 167, 9, 6}},
    {1052, kButton, "アクセス日(&A) :", kCheck, {9, 173, 57, 10}},
    {1053, kEdit, "", kDateEdit, {67, 173, 28, 10}},
    {1054, kUpDown, "", kSpin, {94, 182, 9, 6}},
    {1055, kEdit, "", kDateEdit, {102, 173, 20, 10}},
    {1056, kUpDown, "", kSpin, {122, 183, 9, 6}},
    {1057, kEdit, "", kDateEdit, {130, 173, 20, 10}},
    {1058, kUpDown, "", kSpin, {149, 183, 9, 6}},
    {1059, kEdit, "", kDateEdit, {164, 173, 20, 10}},
    {1060, kUpDown, "", kSpin, {182, 183, 9, 6}},
    {1061, kEdit, "", kDateEdit, {188, 173, 20, 10}},
    {1062, kUpDown, "", kSpin, {206, 183, 9, 6}},
    {1063, kEdit, "", kDateEdit, {212, 173, 20, 10}},
    {1064, kUpDown, "", kSpin, {225, 182, 9, 6}},
    {1072, kButton, "リセット(&T)", BS_PUSHBUTTON | WS_TABSTOP, {193, 185, 39, 14}},
    {1065, kButton, "日時を選んで下さい", kGroup, {5, 129, 230, 71}},
    {1089, kStatic, "+ * +", kLeft, {68, 227, 16, 8}},
    {1091, kStatic, "+ . +", kLeft, {125, 227, 14, 8}},
    {1090, kStatic, "+ * +", kLeft, {164, 227, 16, 8}},
    {1096, kStatic, "置換 :", kLeft, {8, 242, 20, 10}},
    {1092, kStatic, "  * >>", kLeft, {69, 242, 18, 8}},
    {1093, kStatic, "  * >>", kLeft, {165, 242, 18, 8}},
    {1077, kButton, "無効(&H)", kCheck, {6, 213, 39, 10}},
    {1078, kButton, "追加", kCheck | BS_PUSHLIKE | BS_FLAT | BS_BOTTOM | BS_LEFT, {6, 224, 22, 13}},
    {1073, kEdit, "", kRuleEdit | ES_RIGHT, {29, 225, 35, 11}},
    {1074, kEdit, "", kRuleEdit, {86, 225, 35, 11}},
    {1075, kEdit, "", kRuleEdit | ES_RIGHT, {140, 225, 20, 11}},
    {1076, kEdit, "", kRuleEdit, {182, 225, 20, 11}},
    {1084, kEdit, "", kRuleEdit, {29, 240, 35, 11}},
    {1085, kEdit, "", kRuleEdit, {86, 240, 35, 11}},
    {1086, kEdit, "", kRuleEdit, {140, 240, 20, 11}},
    {1087, kEdit, "", kRuleEdit, {182, 240, 20, 11}},
    {1095, kButton, "設定保存", BS_PUSHBUTTON | WS_TABSTOP, {204, 243, 30, 13}},
    {1088, kButton, "ファイル名(*.*)を一括リネーム", kGroup, {5, 207, 230, 50}},
    {1010, kStatic, kStatusText, WS_GROUP | SS_LEFTNOWORDWRAP | SS_SUNKEN, {5, 265, 230, 58}},
};

// The whole style word a row's control is created with.
DWORD CreatedStyle(const Row& row) { return WS_CHILD | (row.style & kHidden ? 0 : WS_VISIBLE) | (row.style & ~kHidden); }

// The bits that hold a kind rather than flags: a button's type, a label's
// type, an edit's alignment. These must match exactly.
DWORD KindMask(const Row& row) {
    if (row.windowClass == kButton) return BS_TYPEMASK;
    if (row.windowClass == kStatic) return SS_TYPEMASK;
    if (row.windowClass == kEdit) return ES_LEFT | ES_CENTER | ES_RIGHT;
    return 0;
}

std::string Cp932(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int size = WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size, nullptr, nullptr);
    return bytes;
}

// One control of an extended dialog template.
struct TemplateItem {
    int id = 0;
    std::string windowClass;
    std::string caption;
    DWORD style = 0;
    RECT place{};
};

// A text or an ordinal (0xFFFF and a number); returns what follows it.
const WORD* ReadTextOrOrdinal(const WORD* p, std::wstring& text, WORD& ordinal) {
    text.clear();
    ordinal = 0;
    if (*p == 0xFFFF) {
        ordinal = p[1];
        return p + 2;
    }
    while (*p != 0) text += static_cast<wchar_t>(*p++);
    return p + 1;
}

// Kelvo.exe's main window template, read from the file as data.
class MainTemplate {
public:
    MainTemplate() : module_(LoadLibraryExW(Wide(ExePath()).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
        const LPCWSTR dialogType = MAKEINTRESOURCEW(5);  // RT_DIALOG
        HRSRC resource = module_ != nullptr ? FindResourceW(module_, MAKEINTRESOURCEW(102), dialogType) : nullptr;
        HGLOBAL loaded = resource != nullptr ? LoadResource(module_, resource) : nullptr;
        base_ = loaded != nullptr ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
        // Only the extended form (DLGTEMPLATEEX) is read.
        if (base_ != nullptr && *reinterpret_cast<const WORD*>(base_ + 2) != 0xFFFF) base_ = nullptr;
    }
    ~MainTemplate() {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    MainTemplate(const MainTemplate&) = delete;
    MainTemplate& operator=(const MainTemplate&) = delete;

    bool Loaded() const { return base_ != nullptr; }

    // The controls (DLGITEMTEMPLATEEX) in template order.
    std::vector<TemplateItem> Items() const {
        std::vector<TemplateItem> items;
        const DWORD dialogStyle = *reinterpret_cast<const DWORD*>(base_ + 12);
        const WORD count = *reinterpret_cast<const WORD*>(base_ + 16);
        std::wstring text;
        WORD ordinal = 0;
        const WORD* p = reinterpret_cast<const WORD*>(base_ + 26);
        for (int skip = 0; skip < 3; ++skip) p = ReadTextOrOrdinal(p, text, ordinal);  // menu, class, caption
        if (dialogStyle & DS_SETFONT) p = ReadTextOrOrdinal(p + 3, text, ordinal);    // size, weight, italic, face
        for (WORD i = 0; i < count; ++i) {
            const BYTE* item = base_ + ((reinterpret_cast<const BYTE*>(p) - base_ + 3) & ~size_t{3});
            TemplateItem read;
            read.style = *reinterpret_cast<const DWORD*>(item + 8);
            const short* place = reinterpret_cast<const short*>(item + 12);
            read.place = RECT{place[0], place[1], place[2], place[3]};
            read.id = static_cast<int>(*reinterpret_cast<const DWORD*>(item + 20));
            p = ReadTextOrOrdinal(reinterpret_cast<const WORD*>(item + 24), text, ordinal);
            const char* const predefined[] = {"Button", "Edit", "Static"};
            read.windowClass = ordinal >= 0x80 && ordinal <= 0x82 ? predefined[ordinal - 0x80] : Cp932(text);
            p = ReadTextOrOrdinal(p, text, ordinal);
            read.caption = Cp932(text);
            p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(p + 1) + *p);  // creation data
            items.push_back(read);
        }
        return items;
    }

    // Dialog units to pixels (x, y, width, height) with MapDialogRect. A
    // dialog of another process can't be asked, so a twin made here from the
    // same template, font and all, converts them; `client` is its client size.
    std::vector<RECT> ToPixels(const std::vector<RECT>& places, SIZE& client) const {
        std::vector<RECT> pixels;
        InitCommonControls();
        HWND twin = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(base_),
                                               nullptr, &TwinProcedure, 0);
        if (twin == nullptr) return pixels;
        for (RECT place : places) {
            MapDialogRect(twin, &place);
            pixels.push_back(place);
        }
        RECT area;
        GetClientRect(twin, &area);
        client = SIZE{area.right, area.bottom};
        DestroyWindow(twin);
        return pixels;
    }

private:
    static INT_PTR CALLBACK TwinProcedure(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

    HMODULE module_;
    const BYTE* base_ = nullptr;
};

std::string ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return Narrow(name);
}

// A control's rectangle in the dialog's client area.
RECT PlaceOf(HWND dialog, HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string Describe(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " - " + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

TEST(ControlLayoutE2eTest, TemplateBuiltIntoTheProgramHoldsEveryRow) {
    ASSERT_FALSE(ExePath().empty()) << "KELVO_EXE is not set";
    const MainTemplate main;
    ASSERT_TRUE(main.Loaded());
    const std::vector<TemplateItem> items = main.Items();
    ASSERT_EQ(items.size(), std::size(kRows));
    for (size_t i = 0; i < items.size(); ++i) {
        const Row& row = kRows[i];
        const TemplateItem& item = items[i];
        SCOPED_TRACE("row " + std::to_string(i + 1) + ", id " + std::to_string(row.id));
        EXPECT_EQ(item.id, row.id);
        EXPECT_EQ(lstrcmpiA(item.windowClass.c_str(), row.windowClass), 0) << item.windowClass;
        EXPECT_EQ(item.caption, row.caption);
        EXPECT_EQ(item.style, CreatedStyle(row)) << std::hex << item.style;
        EXPECT_EQ(Describe(item.place), Describe(row.place));
    }
}

TEST(ControlLayoutE2eTest, LiveWindowHoldsEveryRowInPlace) {
    ASSERT_FALSE(ExePath().empty()) << "KELVO_EXE is not set";
    const MainTemplate main;
    ASSERT_TRUE(main.Loaded());
    std::vector<RECT> places = {RECT{0, 0, 239, 329}};  // the window's own size, then each row
    for (const Row& row : kRows) places.push_back(row.place);
    SIZE twinClient{};
    const std::vector<RECT> pixels = main.ToPixels(places, twinClient);
    ASSERT_EQ(pixels.size(), places.size());

    KelvoProcess kelvo(MakeFolder("layout-target"));
    const HWND dialog = kelvo.Window();
    ASSERT_NE(dialog, nullptr);
    RECT client;
    GetClientRect(dialog, &client);
    // The twin converts as the live dialog does: both are the template's size in pixels.
    ASSERT_EQ(Describe(client), Describe(RECT{0, 0, pixels[0].right, pixels[0].bottom}));
    ASSERT_EQ(Describe(client), Describe(RECT{0, 0, twinClient.cx, twinClient.cy}));

    HWND child = GetWindow(dialog, GW_CHILD);
    HWND buddy = nullptr;  // the edit just before an up-down
    RECT buddyPlace{};
    for (size_t i = 0; i < std::size(kRows); ++i) {
        const Row& row = kRows[i];
        SCOPED_TRACE("id " + std::to_string(row.id));
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(GetDlgCtrlID(child), row.id);
        EXPECT_EQ(lstrcmpiA(ClassOf(child).c_str(), row.windowClass), 0) << ClassOf(child);
        DWORD style = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
        // The dialog manager draws an edit's border as a sunken client edge.
        if (GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) style |= WS_BORDER;
        const DWORD expected = CreatedStyle(row);
        const DWORD kind = KindMask(row);
        EXPECT_EQ(style & kind, expected & kind) << std::hex << style;
        // Run-time states (read-only, disabled) may add flags; none may be missing.
        EXPECT_EQ(style & expected & ~kind, expected & ~kind) << std::hex << style;
        EXPECT_EQ(style & WS_VISIBLE, expected & WS_VISIBLE);
        // The rename panel writes 1078's caption at start; labels and other buttons keep theirs.
        if (row.windowClass != kEdit && row.windowClass != kUpDown && row.id != 1078) {
            EXPECT_EQ(kelvo.Text(row.id), row.caption);
        }
        const RECT& place = pixels[i + 1];  // x, y, width, height in pixels
        const RECT expectedRect{place.left, place.top, place.left + place.right, place.top + place.bottom};
        const RECT live = PlaceOf(dialog, child);
        if (row.windowClass == kUpDown) {
            // An up-down docks at its buddy's right edge, as high as the buddy,
            // and takes its width from the buddy; it keeps clear of the edit's
            // sunken border on the right.
            ASSERT_NE(buddy, nullptr);
            // Its buddy is the control just before it: the number edit.
            EXPECT_EQ(GetWindow(child, GW_HWNDPREV), buddy);
            EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(child, UDM_GETBUDDY, 0, 0)), buddy);
            const RECT edit = PlaceOf(dialog, buddy);
            EXPECT_EQ(Describe(RECT{edit.left, edit.top, live.right + kBuddyBorder, edit.bottom}), Describe(buddyPlace))
                << "edit " << Describe(edit) << ", up-down " << Describe(live);
            EXPECT_EQ(live.top, edit.top);
            EXPECT_EQ(live.bottom, edit.bottom);
            EXPECT_LE(live.left, edit.right);
        } else if (row.windowClass == kEdit && (row.style & ES_NUMBER) != 0) {
            buddy = child;  // checked with its up-down
            buddyPlace = expectedRect;
        } else {
            EXPECT_EQ(Describe(live), Describe(expectedRect));
        }
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr) << "more children than the table has";
}

}  // namespace
}  // namespace kelvo::e2e
