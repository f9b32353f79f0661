// Groups of control ids that several parts of the program walk in a fixed
// order: the three date rows, the attribute boxes and the rename edits.
#pragma once
#include "items/DateTimeFields.h"
#include "resources/ResourceIds.h"

namespace kelvo {

struct DateRowIds {
    int box;
    int edits[kDateFieldCount];  // year, month, day, hour, minute, second
    int spins[kDateFieldCount];
};

// Row 0 creation, 1 modification, 2 access.
inline constexpr DateRowIds kDateRows[3] = {
    {IDC_CREATION_BOX,
     {IDC_CREATION_YEAR, IDC_CREATION_MONTH, IDC_CREATION_DAY, IDC_CREATION_HOUR, IDC_CREATION_MINUTE,
      IDC_CREATION_SECOND},
     {IDC_CREATION_YEAR_SPIN, IDC_CREATION_MONTH_SPIN, IDC_CREATION_DAY_SPIN, IDC_CREATION_HOUR_SPIN,
      IDC_CREATION_MINUTE_SPIN, IDC_CREATION_SECOND_SPIN}},
    {IDC_MODIFIED_BOX,
     {IDC_MODIFIED_YEAR, IDC_MODIFIED_MONTH, IDC_MODIFIED_DAY, IDC_MODIFIED_HOUR, IDC_MODIFIED_MINUTE,
      IDC_MODIFIED_SECOND},
     {IDC_MODIFIED_YEAR_SPIN, IDC_MODIFIED_MONTH_SPIN, IDC_MODIFIED_DAY_SPIN, IDC_MODIFIED_HOUR_SPIN,
      IDC_MODIFIED_MINUTE_SPIN, IDC_MODIFIED_SECOND_SPIN}},
    {IDC_ACCESS_BOX,
     {IDC_ACCESS_YEAR, IDC_ACCESS_MONTH, IDC_ACCESS_DAY, IDC_ACCESS_HOUR, IDC_ACCESS_MINUTE, IDC_ACCESS_SECOND},
     {IDC_ACCESS_YEAR_SPIN, IDC_ACCESS_MONTH_SPIN, IDC_ACCESS_DAY_SPIN, IDC_ACCESS_HOUR_SPIN,
      IDC_ACCESS_MINUTE_SPIN, IDC_ACCESS_SECOND_SPIN}},
};

// Read-only, hidden, archive, system: the order of the choices and of their report lines.
inline constexpr int kAttributeBoxes[4] = {IDC_READ_ONLY, IDC_HIDDEN, IDC_ARCHIVE, IDC_SYSTEM};

// The eight rule texts in the order of the settings file (lines 3 to 10).
inline constexpr int kRenameEdits[8] = {IDC_TITLE_HEAD, IDC_TITLE_TAIL, IDC_EXT_HEAD, IDC_EXT_TAIL,
                                        IDC_TITLE_WHAT, IDC_TITLE_WITH, IDC_EXT_WHAT, IDC_EXT_WITH};

}  // namespace kelvo
