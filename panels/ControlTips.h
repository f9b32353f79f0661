// The tip text of each control of the main window, decided from the states
// the tips describe: the attribute boxes, the folders box, the two rename
// switches, whether a run is going, and the month length of each date row.
// Pure: the caller reads the states, this file only words them.
#pragma once
#include <array>
#include <string>

#include "platform/Window.h"

namespace kelvo {

// The platform's tip notification carries its own text buffer of this many
// bytes, terminator included; every text below fits it.
inline constexpr int kTipTextBufferSize = 80;

struct TipState {
    int attributeChecks[4] = {kIndeterminate, kIndeterminate, kIndeterminate, kIndeterminate};  // kAttributeBoxes
    int foldersCheck = kUnchecked;     // IDC_FOLDERS_TOO
    int renameOnCheck = kUnchecked;    // IDC_RENAME_ON
    int renameModeCheck = kUnchecked;  // IDC_RENAME_MODE: pushed is delete mode
    bool running = false;
    std::array<std::string, 3> monthLengthTexts;  // creation, modification, access
};

struct TipText {
    bool applies = false;  // false: the control shows no tip
    std::string text;
};

// The tip for control `id` in `state`. Controls without a tip (labels, group
// boxes, the status text, id 0 and any id not in the window) give none.
TipText ControlTip(int id, const TipState& state);

// Reads the check states from the window; `running` and the month lengths
// live in the main window's own members.
TipState ReadTipState(Window& window, bool running, const std::array<std::string, 3>& monthLengthTexts);

}  // namespace kelvo
