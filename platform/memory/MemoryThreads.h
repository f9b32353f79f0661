// Worker threads for tests: either a real thread that the test joins, or
// the body run at once on the caller's thread, or a refusal to start.
#pragma once
#include <thread>
#include <vector>

#include "platform/Threads.h"

namespace kelvo {

class MemoryThreads : public Threads {
public:
    enum class Mode { Inline, RealThread, Refuse };
    explicit MemoryThreads(Mode mode = Mode::Inline) : mode_(mode) {}
    ~MemoryThreads() override { JoinAll(); }

    void SetMode(Mode mode) { mode_ = mode; }
    int Started() const { return started_; }
    void JoinAll() {
        for (std::thread& t : threads_) {
            if (t.joinable()) t.join();
        }
        threads_.clear();
    }

    bool Start(std::function<void()> body) override {
        if (mode_ == Mode::Refuse) return false;
        ++started_;
        if (mode_ == Mode::Inline) {
            body();
        } else {
            threads_.emplace_back(std::move(body));
        }
        return true;
    }

private:
    Mode mode_;
    int started_ = 0;
    std::vector<std::thread> threads_;
};

}  // namespace kelvo
