// The attribute half of an item change: the four attribute choices applied
// to the status read at the start of the change, one report line per
// attribute changed, the write and the item report.
#pragma once
#include <cstdint>
#include <string>

#include "items/DateTimeFields.h"
#include "items/ItemStatus.h"
#include "items/RenameRules.h"

namespace kelvo {

enum class AttributeChangeResult {
    NothingToChange,  // the item already is as asked: nothing written or shown
    Changed,
    Refused,          // a write was refused: no report, the item is as it was
};

// One attribute in the order of the choices and of the report lines.
struct AttributeLine {
    uint8_t bit;
    const char* clearedLine;
    const char* setLine;
};

// Read-only, hidden, archive, system.
extern const AttributeLine kAttributeLines[4];

// The new attribute byte and the report lines for it; false when no bit changes.
bool ApplyAttributeChoices(uint8_t attributes, const AttributeChoices& choices, uint8_t& newAttributes,
                           std::string& report);

// The attribute half on the item `item` names, from the status read at the
// start of the item change. `current` is the item's attribute word where it
// is known without a read.
AttributeChangeResult ChangeAttributes(ItemContext& context, bool isFolder, const ItemRef& item,
                                       const ItemStatus& status, const AttributeChoices& choices,
                                       KnownWord current = std::nullopt);

}  // namespace kelvo
