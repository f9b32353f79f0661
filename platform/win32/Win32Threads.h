// Worker threads on Win32: CreateThread, not waited for; the thread's
// handle is closed at once and the thread ends when its body returns.
#pragma once
#include "platform/Threads.h"

namespace kelvo {

class Win32Threads : public Threads {
public:
    bool Start(std::function<void()> body) override;
};

}  // namespace kelvo
