#include "platform/win32/Win32Threads.h"

#include <windows.h>

namespace kelvo {
namespace {

DWORD WINAPI ThreadProcedure(LPVOID parameter) {
    std::function<void()>* body = static_cast<std::function<void()>*>(parameter);
    (*body)();
    delete body;
    return 0;
}

}  // namespace

bool Win32Threads::Start(std::function<void()> body) {
    auto* owned = new std::function<void()>(std::move(body));
    HANDLE thread = CreateThread(nullptr, 0, &ThreadProcedure, owned, 0, nullptr);
    if (thread == nullptr) {
        delete owned;
        return false;
    }
    CloseHandle(thread);
    return true;
}

}  // namespace kelvo
