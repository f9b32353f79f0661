// The console program's usage text, shown for /? and when no work is asked for.
#pragma once

namespace kelvo {

extern const char* const kUsageText;

}  // namespace kelvo
