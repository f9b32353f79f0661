// The controls of the main window's template as data: id, window class,
// caption, full style word and position in dialog units, in template order.
// The resource script must match it; tests compare the two, and the
// end-to-end tests compare the live window with it.
#pragma once
#include <cstddef>
#include <cstdint>

namespace kelvo {

enum class ControlClass { Button, Edit, Static, UpDown };

struct ControlRow {
    int id;
    ControlClass windowClass;
    const char* caption;  // code page 932; empty for edits and up-downs
    uint32_t style;       // WS_CHILD, WS_VISIBLE and the rest, as created
    int x, y, width, height;
};

inline constexpr std::size_t kMainControlCount = 88;
extern const ControlRow kMainControls[kMainControlCount];

// The row of a control id; null when the template has no such control.
const ControlRow* FindControl(int id);
// The class name the platform registers for a kind of control.
const char* ClassName(ControlClass windowClass);
bool IsEdit(int id);

// Main window template: size in dialog units and window styles.
inline constexpr int kMainDialogWidth = 239;
inline constexpr int kMainDialogHeight = 329;

}  // namespace kelvo
