// Giving a folder back the times the run's renames in it moved. The record
// names the folder's state before the first of them and after the last;
// the undo looks at the folder before it takes the renames back (they move
// its time again) and, where it is still as the run left it, puts its
// creation and modification times back once they are (a listing moves its
// access time anyway).
#pragma once
#include <string>

#include "platform/FileSystem.h"
#include "run/UndoItem.h"

namespace kelvo {

// The folder's creation and modification times are those of `after`.
bool FolderAsLeft(FileSystem& files, const std::string& folder, const ItemState& after);

// Writes `before`'s creation and modification times to the folder, reached
// as itself. Restored where it wrote, AlreadyBefore where they are back.
UndoResult RestoreFolderTimes(FileSystem& files, const std::string& folder, const ItemState& before);

}  // namespace kelvo
