// The console program's arguments: a run or a preview of a job on a
// target, the undo of the newest run, or the usage text. Options start
// with "/" or "-" (attributes with "+" or "-"), match as whole tokens in
// any case, and come after the target in any order.
#pragma once
#include <string>
#include <vector>

#include "run/JobSettings.h"

namespace kelvo {

enum class OutputOption { Default, Utf16, Oem };

struct Command {
    enum class Kind { Run, Undo, Help };
    Kind kind = Kind::Run;
    JobSettings job;
    bool preview = false;
    bool quiet = false;
    OutputOption output = OutputOption::Default;
};

enum class ParseOutcome {
    Ready,    // `command` holds the work
    Usage,    // no work asked for: the usage text, and the exit code of bad arguments
    Refused,  // `error` names the argument and why
};

// `arguments` without the program's own name, in code page 932.
ParseOutcome ParseCommandLine(const std::vector<std::string>& arguments, Command& command, std::string& error);

}  // namespace kelvo
