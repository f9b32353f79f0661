// Which files a job takes by their names: those matching one of the
// patterns to include (all, where there are none) and none of those to
// exclude. A pattern is a wildcard over the whole long name: "*" stands for
// any run of characters, "?" for one character; letters A to Z match either
// case, and a double-byte character only itself.
#pragma once
#include <string>
#include <vector>

namespace kelvo {

struct NamePatterns {
    std::vector<std::string> include;
    std::vector<std::string> exclude;

    bool Any() const { return !include.empty() || !exclude.empty(); }
    bool Admits(const std::string& name) const;
};

bool MatchesPattern(const std::string& pattern, const std::string& name);

// The patterns of a ";"-separated list, empty ones dropped.
std::vector<std::string> SplitPatterns(const std::string& list);

}  // namespace kelvo
