// The number a finished or cancelled run's status text gives on its line
// "変更できなかった項目: N件"; 0 where the text has no such line.
#pragma once
#include <regex>
#include <string>

namespace kelvo {

inline int CountLine(const std::string& status) {
    std::smatch match;
    static const std::regex line("\n変更できなかった項目: ([0-9]+)件$");
    return std::regex_search(status, match, line) ? std::stoi(match[1]) : 0;
}

}  // namespace kelvo
