// The per-item entry of a run: the time change (files only) and then the
// attribute change of one file or folder, with their status reports.
#pragma once

#include "items/ItemContext.h"
#include "items/ItemRecord.h"

namespace kelvo {

// True when a time row or an attribute bit was written. An item that a
// refused call kept from being changed, or one of whose time rows was left
// out, counts once in context.failures. The item's status comes from its
// listing entry where the record holds one, and is read otherwise.
bool ChangeItem(ItemContext& context, const ItemRecord& item, const ItemJob& job);

}  // namespace kelvo
