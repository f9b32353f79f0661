// The attribute half of an item change: the four attribute choices applied
// to the attribute byte an item's update read, with one report line per
// attribute changed.
#pragma once
#include <cstdint>
#include <string>

#include "items/DateTimeFields.h"
#include "items/RenameRules.h"

namespace kelvo {

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

}  // namespace kelvo
