// How the console program writes to one of its two streams: to a console
// in UTF-16 through the console itself, so that every name shows whatever
// the system's language is; to a file or a pipe in UTF-8, or as asked in
// UTF-16 (a byte-order mark only at the start of a file) or in the
// console's OEM code page (what cmd's "for /f" reads).
#pragma once
#include "console/CommandLine.h"

namespace kelvo {

enum class StreamKind { Console, File, Pipe };
enum class StreamEncoding { Console, Utf8, Utf16, Oem };

struct OutputChoice {
    StreamEncoding encoding = StreamEncoding::Utf8;
    bool byteOrderMark = false;
};

// `atFileStart`: a file stream stands at its very start (not appended to).
OutputChoice ChooseOutput(StreamKind kind, OutputOption option, bool atFileStart);

}  // namespace kelvo
