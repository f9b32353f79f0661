// What the console program does with its command: the usage text, a run or
// a preview of the job, or the undo of the newest run, each written down in
// the same records as the main window's; and the exit code.
#pragma once
#include <atomic>
#include <string>

#include "console/CommandLine.h"
#include "console/ConsoleSink.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/RecordStore.h"

namespace kelvo {

struct ConsolePlatform {
    FileSystem& files;
    Clock& clock;
    RecordStore& records;
    const std::atomic<bool>& cancelRequested;  // set by Ctrl+C, Ctrl+Break or the console closing
    TextOutput& out;
    TextOutput& err;
    SystemMessage message;
    // The records' folder, which the closing line names with the record.
    std::string recordFolder;
};

// The arguments as given (without the program's name): the usage text or a
// refusal on the standard error, or the work; returns the exit code.
int RunConsoleCommand(const std::vector<std::string>& arguments, ConsolePlatform& platform);

}  // namespace kelvo
