// The first command-line argument as the program holds it: whether one was
// given at all, and its text, which a given argument without an exact code
// page 932 form can't have (any stand-in would name another item).
#pragma once
#include <string>
#include <utility>

namespace kelvo {

struct FirstArgument {
    // No argument.
    FirstArgument() = default;
    // An argument the program holds; an empty one counts as none.
    FirstArgument(std::string held) : given(!held.empty()), text(std::move(held)) {}
    // An argument the program can't hold: given, with no text.
    static FirstArgument NotExact() {
        FirstArgument argument;
        argument.given = true;
        return argument;
    }

    bool given = false;
    std::string text;
};

}  // namespace kelvo
