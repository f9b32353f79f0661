#include "items/RenameRules.h"

namespace kelvo {

// Renaming is built with the rename panel; until then every file keeps its name.
bool RenameItem(ItemContext&, const ItemPath& item, const RenameRules&, ItemRef& result) {
    result = {item.fullPath, item.directory, item.name};
    return false;
}

}  // namespace kelvo
