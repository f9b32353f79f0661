// The per-item entry of a run: the time change (files only) and then the
// attribute change of one file or folder, with their status reports.
#pragma once
#include <string>

#include "items/DateTimeFields.h"
#include "items/ItemContext.h"

namespace kelvo {

// True when a time row or an attribute bit was written. An item that a
// refused call kept from being changed, or one of whose time rows was left
// out, counts once in context.failures.
bool ChangeItem(ItemContext& context, bool isFolder, const std::string& path, const std::string& dirText,
                const std::string& nameText, const AttributeChoices& attributeChoices,
                const TimeEnables& timeEnables, const DateTimeFields& creationFields,
                const DateTimeFields& modificationFields, const DateTimeFields& accessFields);

}  // namespace kelvo
