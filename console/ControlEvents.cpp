// The answer to each console signal.
#include "console/ControlEvents.h"

namespace kelvo {

ControlAnswer ControlEvents::On(ControlEvent event) {
    ControlAnswer answer;
    if (ended_.load()) return answer;
    cancelRequested_.store(true);
    answer.handled = true;
    answer.waitForEnd = event == ControlEvent::Close || event == ControlEvent::Logoff ||
                        event == ControlEvent::Shutdown;
    return answer;
}

}  // namespace kelvo
