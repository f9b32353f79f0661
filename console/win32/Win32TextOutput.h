// One of the console program's standard streams on Win32, written as
// ChooseOutput decides: WriteConsoleW to a console, else the bytes of
// UTF-8, UTF-16 or the console's OEM code page.
#pragma once
#include <windows.h>

#include <string>

#include "console/ConsoleSink.h"
#include "console/OutputChoice.h"

namespace kelvo {

class Win32TextOutput final : public TextOutput {
public:
    // `which`: STD_OUTPUT_HANDLE or STD_ERROR_HANDLE.
    Win32TextOutput(DWORD which, OutputOption option);

    void Write(const std::string& text) override;

private:
    void WriteBytes(const void* bytes, DWORD size);

    HANDLE handle_;
    OutputChoice choice_;
    UINT oemCodePage_;
};

}  // namespace kelvo
