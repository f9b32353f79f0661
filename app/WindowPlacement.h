// Where a window goes when it is centred on an area and kept inside a
// monitor's work area.
#pragma once
#include "platform/Window.h"

namespace kelvo {

// The window's rectangle moved so that it is centred on `area`, then pushed
// back inside `workArea` on the right and bottom and, last, onto its left and
// top edges when it starts before them. The size never changes.
Rect CentredRect(const Rect& window, const Rect& area, const Rect& workArea);

// A box centred on its owner, or on the work area while the owner is
// minimised, and kept inside the work area of the owner's monitor.
Rect CentredOnOwner(const Rect& box, const Rect& owner, bool ownerMinimised, const Rect& workArea);

}  // namespace kelvo
