// The text rules of a rename as pure functions on code page 932 texts: the
// replacement inside a title or extension, the head and tail deletions, and
// the new title and extension that a set of rules gives. Every result is
// valid code page 932 text when its input is: no rule cuts a double-byte
// character in two.
#pragma once
#include <cstddef>
#include <string>

#include "items/RenameRules.h"

namespace kelvo {

// A renamed file's full path must stay below the platform's path limit of
// 260 bytes (its terminator included), and its name may hold at most 256.
inline constexpr size_t kRenamePathLimit = 260;
inline constexpr size_t kRenameNameLimit = 256;

// True when directory + separator + newName keeps both limits.
bool NameFits(const std::string& directory, const std::string& separator, const std::string& newName);

// Replaces every occurrence of `what` in `text` by `with`, scanning from the
// start; occurrences begin only on character boundaries, do not overlap, and
// the scan goes on after the inserted text. An empty `what` changes nothing.
std::string ReplaceText(const std::string& text, const std::string& what, const std::string& with);

// Removes `head` from the start of `text` when the text begins with it, and
// `tail` from its end when it ends with it; both are matched on the text as
// given, so a head and a tail that overlap leave nothing. Neither match may
// split a double-byte character; an empty head or tail removes nothing.
std::string DeleteHeadAndTail(const std::string& text, const std::string& head, const std::string& tail);

// The title and extension after the rules: in add mode the replacement
// comes first and the texts are added around its result; in delete mode the
// deletions come first and the replacement acts on what is left.
void ApplyRenameRules(const RenameRules& rules, std::string& title, std::string& extension);

// The file name of a title and an extension; an empty extension gets no dot.
std::string JoinName(const std::string& title, const std::string& extension);

}  // namespace kelvo
