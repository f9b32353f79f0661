// Renaming one file by the rules: the new name, the reasons not to rename,
// the rename itself and its report.
#include "items/ItemReport.h"
#include "items/RenameRules.h"
#include "items/RenameText.h"
#include "platform/Cp932Text.h"
#include "platform/FileLimits.h"
#include "platform/SystemNames.h"

namespace kelvo {

namespace {

// Characters no file name can hold.
const std::string kNameChars = "\\/:*?\"<>";

// False for a name that isn't one name: a dot or two dots alone, a character
// it can't hold, or a lone lead byte at its end. Rule texts ending in a lone
// lead byte can make such a name: the lead byte takes the next byte as its
// trail byte and can free a trail byte 0x5C to stand alone as a backslash.
bool IsWholeName(const std::string& name) {
    // "." and ".." name the folder itself and its parent.
    if (name == "." || name == "..") return false;
    for (size_t i = 0; i < name.size(); i += CharLength(name, i)) {
        if (CharLength(name, i) != 1) continue;
        if (IsLeadByte(static_cast<unsigned char>(name[i])) || kNameChars.find(name[i]) != std::string::npos) {
            return false;
        }
    }
    return true;
}

// True when newName can be given to the file as far as the name itself
// tells. Every reason against it is silent: the file then simply keeps its
// name. Whether the name is taken is for the rename itself to tell.
bool MayRename(const ItemPath& item, const std::string& newName) {
    if (newName == item.name) return false;
    if (!IsWholeName(newName)) return false;
    // The system drops a trailing dot or space: the file would be renamed
    // onto itself, or onto another item.
    if (EndsInDotOrSpace(newName)) return false;
    return NameFits(item.directory, item.separator, newName);
}

// How MoveFile refuses a name that is already taken: it never replaces an item.
bool NameTaken(uint32_t error) { return error == kErrorAlreadyExists || error == kErrorFileExists; }

}  // namespace

bool RenameItem(ItemContext& context, const ItemPath& item, const RenameRules& rules, ItemRef& result,
                const RenameStates* states) {
    result = {item.fullPath, item.directory, item.name};
    if (context.stopped) return false;
    std::string title = item.title;
    std::string extension = item.extension;
    ApplyRenameRules(rules, title, extension);
    if (title.empty()) return false;
    std::string newName = JoinName(title, extension);
    if (!MayRename(item, newName)) return false;
    // A device name names the device in every folder: no file can take it.
    if (IsDeviceName(newName)) {
        context.failures.push_back({item.fullPath, kErrorInvalidName, {}});
        return false;
    }

    // A new name that differs only in letter case names the file itself,
    // which the rename allows; any other item of that name refuses it.
    std::string folder = item.directory + item.separator;
    if (context.journal != nullptr && states != nullptr &&
        !context.journal->BeforeRename(folder + item.name, folder + newName, states->listed, states->planned)) {
        context.stopped = true;
        return false;
    }
    if (!context.files.Move(folder + item.name, folder + newName)) {
        // A name taken is a silent reason to keep the name. A file in use or
        // out of reach keeps its name too and still gets its time and
        // attribute changes, but the run counts it as not changed.
        const uint32_t error = context.files.LastError();
        if (!NameTaken(error)) context.failures.push_back({item.fullPath, error, {}});
        return false;
    }
    if (context.FullView()) context.ShowStatus(BuildItemReport(item.directory, item.name, newName));
    result = {folder + newName, item.directory, newName};
    return true;
}

}  // namespace kelvo
