// What each file of a folder run costs in file-system calls on the
// in-memory platform, for each job the Win32 benchmark times, beside a safe
// loop that makes only the job's own change, one update per file.
#pragma once
#include <cstdio>

namespace kelvo {

// Prints, per job, the calls per file by operation for the program and for
// the safe loop, and the calls the program makes beyond the safe loop's
// other than listing folders and moving the current directory.
void PrintCallsPerFile(std::FILE* out);

}  // namespace kelvo
