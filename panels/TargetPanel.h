// The target panel: the path edit, the box that locks it on the program's
// folder, dropped files and folders, and the start states of the attribute
// boxes.
#pragma once
#include <string>

#include "platform/Shell.h"
#include "platform/Window.h"

namespace kelvo {

inline constexpr const char* kDropRefusedText = "\"カレントディレクトリにする\"のチェックマークを外して下さい。";
inline constexpr const char* kDropRefusedCaption = "エラー <カレントディレクトリに設定されてます>";
inline constexpr const char* kDropNotExactText = "このパスには、このプログラムで扱えない文字が含まれています。";
inline constexpr const char* kDropNotExactCaption = "エラー";

class TargetPanel {
public:
    // `programFolder` is the main window's own member.
    TargetPanel(Window& window, Shell& shell, const std::string& programFolder);

    // BN_CLICKED of IDC_CURRENT_DIR, and once at start-up after it was unticked.
    void ApplyCurrentDirChoice();
    // WM_DROPFILES: the first dropped item becomes the path, unless IDC_CURRENT_DIR is
    // ticked or the path has characters the program can't hold.
    void TakeDroppedTarget(DropHandle drop);
    // Tells the user that a path given to the program has characters it
    // can't hold, so it was not taken.
    void ReportPathNotExact();
    // Attribute boxes indeterminate (leave), folders box unticked.
    void SetAttributeStartStates();

    const std::string& SavedTargetText() const { return savedTargetText_; }

private:
    Window& window_;
    Shell& shell_;
    const std::string& programFolder_;
    std::string savedTargetText_;
    bool firstCall_ = true;
};

}  // namespace kelvo
