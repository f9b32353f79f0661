// Sets TZ for the length of one test and puts the previous value back. The
// Windows C runtime knows only zones in the "JST-9" form.
#pragma once
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace kelvo {

inline void PutTimeZone(const char* zone) {
#ifdef _WIN32
    _putenv_s("TZ", zone);
    _tzset();
#else
    if (zone[0] == '\0') {
        unsetenv("TZ");
    } else {
        setenv("TZ", zone, 1);
    }
    tzset();
#endif
}

class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone) {
        if (const char* old = std::getenv("TZ")) previous_ = old;
        PutTimeZone(zone);
    }
    ~ScopedTimeZone() { PutTimeZone(previous_ ? previous_->c_str() : ""); }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    std::optional<std::string> previous_;
};

}  // namespace kelvo
