// The text rules of a rename: replacement, head and tail deletion, and the
// order in which the two modes apply them.
#include "items/RenameText.h"

#include "platform/Cp932Text.h"

namespace kelvo {

std::string ReplaceText(const std::string& text, const std::string& what, const std::string& with) {
    if (what.empty()) return text;
    std::string result;
    size_t copied = 0;
    // Searching the original text and copying the replacement out of it means
    // an inserted text can never be matched again. FindText only matches whole
    // characters, so no trail byte (which can be a backslash) is left alone.
    for (size_t found = FindText(text, what); found != std::string::npos;
         found = FindText(text, what, copied)) {
        result.append(text, copied, found - copied);
        result += with;
        copied = found + what.size();
    }
    result.append(text, copied, std::string::npos);
    return result;
}

namespace {

bool StartsWithWhole(const std::string& text, const std::string& head) {
    return !head.empty() && head.size() <= text.size() && text.compare(0, head.size(), head) == 0 &&
           IsCharBoundary(text, head.size());
}

bool EndsWithWhole(const std::string& text, const std::string& tail) {
    if (tail.empty() || tail.size() > text.size()) return false;
    size_t start = text.size() - tail.size();
    return text.compare(start, tail.size(), tail) == 0 && IsCharBoundary(text, start);
}

}  // namespace

std::string DeleteHeadAndTail(const std::string& text, const std::string& head, const std::string& tail) {
    // Both ends are matched on the text as given. Where the two matches share
    // bytes the deletions meet: nothing is left, and no byte is removed twice.
    const size_t keepFrom = StartsWithWhole(text, head) ? head.size() : 0;
    const size_t keepTo = EndsWithWhole(text, tail) ? text.size() - tail.size() : text.size();
    return keepFrom < keepTo ? text.substr(keepFrom, keepTo - keepFrom) : std::string();
}

void ApplyRenameRules(const RenameRules& rules, std::string& title, std::string& extension) {
    if (rules.mode == 0) {
        title = rules.titleHead + ReplaceText(title, rules.titleWhat, rules.titleWith) + rules.titleTail;
        extension = rules.extHead + ReplaceText(extension, rules.extWhat, rules.extWith) + rules.extTail;
        return;
    }
    title = ReplaceText(DeleteHeadAndTail(title, rules.titleHead, rules.titleTail), rules.titleWhat,
                        rules.titleWith);
    extension =
        ReplaceText(DeleteHeadAndTail(extension, rules.extHead, rules.extTail), rules.extWhat, rules.extWith);
}

bool NameFits(const std::string& directory, const std::string& separator, const std::string& newName) {
    return directory.size() + separator.size() + newName.size() < kRenamePathLimit &&
           newName.size() <= kRenameNameLimit;
}

std::string JoinName(const std::string& title, const std::string& extension) {
    return extension.empty() ? title : title + "." + extension;
}

}  // namespace kelvo
