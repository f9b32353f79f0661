// Where a window goes when it is centred on an area and kept inside a
// monitor's work area.
#pragma once
#include "platform/Window.h"

namespace kelvo {

// The window's rectangle moved so that it is centred on `area`, then pushed
// back inside `workArea` on the right and bottom and, last, onto its left and
// top edges when it starts before them. The size never changes.
Rect CentredRect(const Rect& window, const Rect& area, const Rect& workArea);

}  // namespace kelvo
