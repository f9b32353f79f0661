// The console's runs, previews and undos.
#include "console/ConsoleJob.h"

#include "app/RecordMenu.h"
#include "console/UsageText.h"
#include "run/RunJob.h"
#include "run/UndoJob.h"
#include "run/UndoableRecord.h"

namespace kelvo {

namespace {

const char* const kNothingToUndo = "元に戻す一括変更がありません。";

std::string RecordPath(const ConsolePlatform& platform, const std::string& name) {
    if (name.empty()) return std::string();
    if (platform.recordFolder.empty()) return name;
    return platform.recordFolder + "\\" + name;
}

int RunJobCommand(const Command& command, ConsolePlatform& platform) {
    ConsoleSink sink(platform.out, platform.err, command.quiet, platform.message);
    // The closing texts are composed as the window's full view composes them.
    const std::atomic<int> composeTexts{1};
    std::string recordName;
    const RunServices services{platform.files, platform.clock, composeTexts, platform.cancelRequested,
                               &platform.records, command.preview, &recordName};
    const RunEnd end = RunJobWith(command.job, sink, services);
    sink.Summary(RecordPath(platform, recordName));
    return sink.ExitCodeOf(end);
}

int UndoCommand(const Command& command, ConsolePlatform& platform) {
    ConsoleSink sink(platform.out, platform.err, command.quiet, platform.message);
    UndoableRecord record;
    switch (FindUndoableRecord(platform.records, record)) {
    case UndoableFound::None:
        platform.err.Write(WithCrLf(kNothingToUndo) + "\r\n");
        return kExitNothingToUndo;
    case UndoableFound::Unreadable:
        platform.err.Write(WithCrLf(kRecordUnreadableText) + "\r\n");
        return kExitRefused;
    case UndoableFound::InUse:
        platform.err.Write(WithCrLf(kRecordInUseText) + "\r\n");
        return kExitRefused;
    case UndoableFound::Found: break;
    }
    const std::atomic<int> composeTexts{1};
    std::string recordName;
    const UndoServices services{platform.files, platform.clock, composeTexts, platform.cancelRequested,
                                platform.records, &recordName};
    // Asked for on the command line: no question, and a run cut short is
    // counted through first as the window's undo does.
    const RunEnd end = UndoJob(sink, services, record, record.changedCount < 0);
    sink.Summary(RecordPath(platform, recordName));
    return sink.ExitCodeOf(end);
}

}  // namespace

int RunConsoleCommand(const std::vector<std::string>& arguments, ConsolePlatform& platform) {
    Command command;
    std::string error;
    switch (ParseCommandLine(arguments, command, error)) {
    case ParseOutcome::Usage:
        platform.err.Write(WithCrLf(kUsageText));
        return kExitRefused;
    case ParseOutcome::Refused:
        platform.err.Write(WithCrLf(error) + "\r\n");
        return kExitRefused;
    case ParseOutcome::Ready: break;
    }
    switch (command.kind) {
    case Command::Kind::Help:
        platform.out.Write(WithCrLf(kUsageText));
        return kExitDone;
    case Command::Kind::Undo: return UndoCommand(command, platform);
    case Command::Kind::Run: break;
    }
    return RunJobCommand(command, platform);
}

}  // namespace kelvo
