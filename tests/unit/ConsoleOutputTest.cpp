// The console program's streams and signals: which encoding each kind of
// stream gets for each option, where a byte-order mark goes, and what each
// console signal does to the work.
#include <gtest/gtest.h>

#include <atomic>

#include "console/ControlEvents.h"
#include "console/OutputChoice.h"

namespace kelvo {
namespace {

TEST(ConsoleOutputTest, EachStreamGetsItsEncodingAndAMarkOnlyAtAFilesStart) {
    struct Case {
        StreamKind kind;
        OutputOption option;
        bool atFileStart;
        StreamEncoding encoding;
        bool mark;
    };
    const Case cases[] = {
        // A console shows UTF-16 through the console itself, whatever was asked.
        {StreamKind::Console, OutputOption::Default, false, StreamEncoding::Console, false},
        {StreamKind::Console, OutputOption::Utf16, true, StreamEncoding::Console, false},
        {StreamKind::Console, OutputOption::Oem, false, StreamEncoding::Console, false},
        {StreamKind::File, OutputOption::Default, true, StreamEncoding::Utf8, false},
        {StreamKind::Pipe, OutputOption::Default, false, StreamEncoding::Utf8, false},
        {StreamKind::File, OutputOption::Utf16, true, StreamEncoding::Utf16, true},
        {StreamKind::File, OutputOption::Utf16, false, StreamEncoding::Utf16, false},  // appended to (>>)
        {StreamKind::Pipe, OutputOption::Utf16, false, StreamEncoding::Utf16, false},
        {StreamKind::Pipe, OutputOption::Oem, false, StreamEncoding::Oem, false},
        {StreamKind::File, OutputOption::Oem, true, StreamEncoding::Oem, false},
    };
    for (const Case& c : cases) {
        const OutputChoice choice = ChooseOutput(c.kind, c.option, c.atFileStart);
        const int row = static_cast<int>(&c - cases);
        EXPECT_EQ(choice.encoding, c.encoding) << row;
        EXPECT_EQ(choice.byteOrderMark, c.mark) << row;
    }
}

TEST(ConsoleOutputTest, SignalsCancelTheWorkAndAClosingConsoleWaitsForItsEnd) {
    for (ControlEvent event : {ControlEvent::CtrlC, ControlEvent::CtrlBreak, ControlEvent::Close,
                               ControlEvent::Logoff, ControlEvent::Shutdown}) {
        std::atomic<bool> cancel{false};
        ControlEvents events(cancel);
        const ControlAnswer answer = events.On(event);
        EXPECT_TRUE(cancel.load());
        EXPECT_TRUE(answer.handled);
        // The system ends the process once the handler returns from these.
        const bool ending = event != ControlEvent::CtrlC && event != ControlEvent::CtrlBreak;
        EXPECT_EQ(answer.waitForEnd, ending);
        // After the work has ended the signal is the system's again.
        events.WorkEnded();
        cancel = false;
        EXPECT_FALSE(events.On(event).handled);
        EXPECT_FALSE(cancel.load());
    }
}

}  // namespace
}  // namespace kelvo
