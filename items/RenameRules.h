// The rename rules of a run and the rename of one file by them.
#pragma once
#include <string>

#include "items/ItemContext.h"

namespace kelvo {

struct RenameRules {
    int mode = 0;  // 0 add, anything else delete
    std::string titleHead, titleTail, extHead, extTail;
    std::string titleWhat, titleWith, extWhat, extWith;
};

// The six texts that describe one file.
struct ItemPath {
    std::string fullPath, directory, name, title, extension, separator;
};

// The path to work on after a rename, and the texts for the status reports.
struct ItemRef {
    std::string path, dirText, nameText;
};

// Renames one file by the rules. True when the file got a new name. A rename
// refused because the new name is taken, or that would end the name in a
// dot or a space, keeps the old name silently; one refused for any other
// reason (a device name among them) keeps it too and counts in
// context.failures.
// Where the context has a journal and `states` are given, the journal is
// told before the file is moved; where it refuses, nothing is moved and
// context.stopped is set.
struct RenameStates {
    ItemState listed;   // the file as its listing gave it
    ItemState planned;  // as the run means to leave it
};
bool RenameItem(ItemContext& context, const ItemPath& item, const RenameRules& rules, ItemRef& result,
                const RenameStates* states = nullptr);

}  // namespace kelvo
