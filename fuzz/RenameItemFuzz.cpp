// One file renamed by arbitrary rules. Input: a control text (mode, how deep
// and long the folder is, whether the would-be new name is already taken,
// whether the rule texts keep their raw bytes), the file name and the eight
// rule texts. The rename never crashes; a new name holds at most 256 bytes
// in a path of at most 259, holds none of the characters a file name can't
// have, and is valid code page 932 text whenever the name and the rules
// are; eight empty rule texts rename nothing (a name ending in a dot
// aside); in add mode the head text stands at the head, and without
// replace texts the new name is the texts put around the title and the
// extension, while deletions alone shorten it; the file system shows
// exactly the outcome RenameItem reports.
#include <atomic>
#include <cstdint>
#include <string>

#include "fuzz/Cp932Check.h"
#include "fuzz/FuzzCheck.h"
#include "platform/SystemNames.h"
#include "fuzz/FuzzInput.h"
#include "items/RenameRules.h"
#include "items/RenameText.h"
#include "panels/RenamePanel.h"
#include "platform/Cp932Text.h"
#include "platform/memory/MemoryClock.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemoryWindow.h"
#include "run/WindowStatus.h"

namespace {

using kelvo::fuzz::HasSingleByteCharOf;
using kelvo::fuzz::IsValidCp932;
using kelvo::fuzz::MakeValidCp932;

const std::string kNameChars = "\\/:*?\"<>";

unsigned char ControlByte(const std::string& control, size_t index) {
    return index < control.size() ? static_cast<unsigned char>(control[index]) : 0;
}

// As the file system hands names out: valid text without the characters a
// name can't hold, never "." or "..".
std::string FileName(const std::string& bytes) {
    std::string name = MakeValidCp932(bytes);
    kelvo::StripNameChars(name);
    if (name.empty() || name == "." || name == "..") name = "x" + name;
    return name;
}

// As the rename panel leaves a rule text: stripped, and valid text too
// unless the input asks for raw bytes.
std::string RuleText(const std::string& bytes, bool raw) {
    std::string text = raw ? bytes : MakeValidCp932(bytes);
    kelvo::StripNameChars(text);
    return text;
}

// What add mode makes of a name when nothing is to be replaced, worked out
// from the rules' own words: the texts are put around the title and the
// extension, and the two are joined by a dot unless the extension is empty.
std::string AddedName(const kelvo::RenameRules& rules, const std::string& title, const std::string& extension) {
    const std::string newExtension = rules.extHead + extension + rules.extTail;
    const std::string newTitle = rules.titleHead + title + rules.titleTail;
    return newExtension.empty() ? newTitle : newTitle + "." + newExtension;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::string> texts = kelvo::fuzz::SplitTexts(data, size, 10);
    const std::string& control = texts[0];
    const unsigned char flags = ControlByte(control, 0);
    const bool raw = (flags & 0x04) != 0;
    const bool takeNewName = (flags & 0x02) != 0;

    kelvo::RenameRules rules;
    rules.mode = flags & 0x01;
    std::string* const ruleTexts[8] = {&rules.titleHead, &rules.titleTail, &rules.extHead,   &rules.extTail,
                                       &rules.titleWhat, &rules.titleWith, &rules.extWhat, &rules.extWith};
    for (int i = 0; i < 8; ++i) *ruleTexts[i] = RuleText(texts[2 + i], raw);

    // The drive root or a folder whose path is up to 248 bytes long, so that
    // names reach the limits.
    const size_t padding = ControlByte(control, 1) % 246;
    const std::string directory = padding == 0 ? "C:\\" : "C:\\" + std::string(padding, 'd');
    const std::string name = FileName(texts[1]);

    kelvo::MemoryFileSystem files;
    files.AddFolder(directory);
    kelvo::ItemPath item;
    item.directory = directory;
    item.separator = kelvo::SeparatorAfter(directory);
    item.name = name;
    item.fullPath = directory + item.separator + name;
    kelvo::SplitName(name, item.title, item.extension);
    if (item.fullPath.size() > 259) return 0;  // no such file can exist
    files.AddFile(item.fullPath, kelvo::kAttrArchive, 0, "contents");

    // Another file that already has the name the rules give.
    std::string wouldBe;
    {
        std::string title = item.title, extension = item.extension;
        kelvo::ApplyRenameRules(rules, title, extension);
        wouldBe = kelvo::JoinName(title, extension);
    }
    const bool taken = takeNewName && !wouldBe.empty() && !kelvo::EqualsIgnoreCase(wouldBe, name) &&
                       !HasSingleByteCharOf(wouldBe, kNameChars) &&
                       item.directory.size() + item.separator.size() + wouldBe.size() <= 259;
    if (taken) files.AddFile(item.directory + item.separator + wouldBe, kelvo::kAttrArchive, 0, "other");

    kelvo::MemoryClock clock;
    kelvo::MemoryWindow window;
    std::atomic<int> fullView{flags & 0x08 ? 0 : 1};
    kelvo::WindowStatus statusArea(window);
    kelvo::ItemContext context{files, clock, statusArea, fullView};
    kelvo::ItemRef ref;
    const bool renamed = kelvo::RenameItem(context, item, rules, ref);
    // Nothing refuses a rename here but a new name that is a device's.
    KELVO_FUZZ_CHECK(context.failures.empty() ||
                     (context.failures.size() == 1 && context.failures[0].error == kelvo::kErrorInvalidName &&
                      kelvo::IsDeviceName(wouldBe) && !renamed));
    // Empty rule texts keep title and extension, and so the name; only a
    // name ending in a dot loses it, as an empty extension is joined without one.
    bool allEmpty = true;
    for (const std::string* text : ruleTexts) allEmpty = allEmpty && text->empty();
    if (allEmpty && name.back() != '.') KELVO_FUZZ_CHECK(!renamed);

    if (!renamed) {
        KELVO_FUZZ_CHECK(ref.path == item.fullPath && ref.nameText == name);
        kelvo::MemoryFileSystem::Node* node = files.Find(item.fullPath);
        KELVO_FUZZ_CHECK(node != nullptr && node->content == "contents");
        return 0;
    }
    const std::string& newName = ref.nameText;
    KELVO_FUZZ_CHECK(!taken);
    // A name the system would read as another item is never given.
    KELVO_FUZZ_CHECK(!kelvo::NameReadsAsAnother(newName));
    // The rename gives the name the rules give; the rules themselves are
    // held to the properties below.
    KELVO_FUZZ_CHECK(newName == wouldBe);
    KELVO_FUZZ_CHECK(!newName.empty() && newName != name);
    KELVO_FUZZ_CHECK(newName.size() <= 256);
    KELVO_FUZZ_CHECK(ref.path == item.directory + item.separator + newName);
    KELVO_FUZZ_CHECK(ref.path.size() <= 259);
    if (rules.mode == 0) {
        KELVO_FUZZ_CHECK(newName.compare(0, rules.titleHead.size(), rules.titleHead) == 0);
        if (rules.titleWhat.empty() && rules.extWhat.empty()) {
            KELVO_FUZZ_CHECK(newName == AddedName(rules, item.title, item.extension));
        }
    } else if (rules.titleWhat.empty() && rules.extWhat.empty()) {
        // Deletions alone only ever take bytes away.
        KELVO_FUZZ_CHECK(newName.size() < name.size());
    }
    KELVO_FUZZ_CHECK(!HasSingleByteCharOf(newName, kNameChars));
    KELVO_FUZZ_CHECK(!kelvo::fuzz::EndsInLoneLeadByte(newName));
    if (!raw) KELVO_FUZZ_CHECK(IsValidCp932(newName));
    // The file is there under its new name with its contents, and nothing
    // is left under the old one unless only the letter case changed.
    kelvo::MemoryFileSystem::Node* node = files.Find(ref.path);
    KELVO_FUZZ_CHECK(node != nullptr && node->name == newName && node->content == "contents");
    if (!kelvo::EqualsIgnoreCase(newName, name)) KELVO_FUZZ_CHECK(files.Find(item.fullPath) == nullptr);
    return 0;
}
