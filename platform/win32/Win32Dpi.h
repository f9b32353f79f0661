// The display scaling of windows on Win32. The per-monitor functions exist
// only on newer systems (Windows 10 1607 and 1703, and not all of them under
// Wine), so they are looked up when first needed: the program starts
// without them, and every window then has the system's DPI.
#pragma once
#include <windows.h>

namespace kelvo {

// Dots per inch of the monitor `window` is on, or of the system where the
// system can't tell them per window.
int WindowDpi(HWND window);

// A dialog that comes to a monitor with another scaling keeps the size its
// program gives it; the system still rescales its controls and their font.
// Does nothing where the system doesn't rescale dialogs.
void KeepDialogSizeOnDpiChange(HWND dialog);

}  // namespace kelvo
