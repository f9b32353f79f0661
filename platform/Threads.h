// Starting the run's worker thread.
#pragma once
#include <functional>

namespace kelvo {

class Threads {
public:
    virtual ~Threads() = default;
    // Starts `body` on a new thread at once. False when the thread can't be created.
    virtual bool Start(std::function<void()> body) = 0;
};

}  // namespace kelvo
