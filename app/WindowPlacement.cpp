#include "app/WindowPlacement.h"

namespace kelvo {

Rect CentredRect(const Rect& window, const Rect& area, const Rect& workArea) {
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    int left = (area.left + area.right) / 2 - width / 2;
    int top = (area.top + area.bottom) / 2 - height / 2;
    if (left + width > workArea.right) left = workArea.right - width;
    if (top + height > workArea.bottom) top = workArea.bottom - height;
    // A window larger than the work area keeps its top-left corner visible.
    if (left < workArea.left) left = workArea.left;
    if (top < workArea.top) top = workArea.top;
    return Rect{left, top, left + width, top + height};
}

Rect CentredOnOwner(const Rect& box, const Rect& owner, bool ownerMinimised, const Rect& workArea) {
    // A minimised window's rectangle is parked off the screen: centred on
    // it, the box would be pushed into the work area's corner.
    return CentredRect(box, ownerMinimised ? workArea : owner, workArea);
}

}  // namespace kelvo
