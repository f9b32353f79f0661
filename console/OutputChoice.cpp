// The choice of encoding per stream.
#include "console/OutputChoice.h"

namespace kelvo {

OutputChoice ChooseOutput(StreamKind kind, OutputOption option, bool atFileStart) {
    OutputChoice choice;
    if (kind == StreamKind::Console) {
        choice.encoding = StreamEncoding::Console;
        return choice;
    }
    switch (option) {
    case OutputOption::Default: choice.encoding = StreamEncoding::Utf8; break;
    case OutputOption::Utf16:
        choice.encoding = StreamEncoding::Utf16;
        // A reader of a pipe takes the bytes as they come; a mark in the
        // middle of a file would be a character of its text.
        choice.byteOrderMark = kind == StreamKind::File && atFileStart;
        break;
    case OutputOption::Oem: choice.encoding = StreamEncoding::Oem; break;
    }
    return choice;
}

}  // namespace kelvo
