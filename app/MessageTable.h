// A dialog's message table: constant rows of message, notification code,
// control ids and what handles them. A message is decoded once into
// `Message`; the first row that matches it gets it. A row hands the message
// to a handler or, when all that is to happen is one operation of the
// dialog, names that operation and answers "handled" itself.
#pragma once
#include <climits>
#include <cstddef>
#include <cstdint>

#include "platform/WindowMessages.h"

namespace kelvo {

struct Message {
    unsigned message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    int id = 0;    // the control of WM_COMMAND and WM_NOTIFY
    int code = 0;  // their notification code
};

// What the dialog procedure returns: `handled` false leaves the message to
// the platform's default handling.
struct Reply {
    bool handled = false;
    std::intptr_t value = 0;
};

inline constexpr int kAnyCode = INT_MIN;
inline constexpr std::size_t kMaxRowIds = 8;
// The reply of a row that runs an operation.
inline constexpr Reply kHandled{true, 1};

template <class Dialog>
struct MessageRow {
    using Handler = Reply (Dialog::*)(const Message&);
    using Operation = void (Dialog::*)();
    unsigned message;
    int code;               // kAnyCode: the message has none
    int ids[kMaxRowIds];    // zero-terminated; no ids: any control
    Handler handler;        // null when the row runs `operation`
    Operation operation = nullptr;

    bool Matches(const Message& m) const {
        if (m.message != message) return false;
        if (code != kAnyCode && m.code != code) return false;
        if (ids[0] == 0) return true;
        for (int id : ids) {
            if (id == 0) break;
            if (id == m.id) return true;
        }
        return false;
    }

    Reply Dispatch(Dialog& dialog, const Message& m) const {
        if (handler != nullptr) return (dialog.*handler)(m);
        (dialog.*operation)();
        return kHandled;
    }
};

// A row for `message` that only runs `operation`.
template <class Dialog>
constexpr MessageRow<Dialog> MessageRuns(unsigned message, void (Dialog::*operation)()) {
    return MessageRow<Dialog>{message, kAnyCode, {}, nullptr, operation};
}

// A row for a click of control `id` (BN_CLICKED) that only runs `operation`.
template <class Dialog>
constexpr MessageRow<Dialog> ClickRuns(int id, void (Dialog::*operation)()) {
    return MessageRow<Dialog>{kWmCommand, kBnClicked, {id}, nullptr, operation};
}

// The rows of a table and their count, taken from the table's definition.
template <class Dialog>
struct MessageTable {
    const MessageRow<Dialog>* rows;
    std::size_t count;

    const MessageRow<Dialog>* begin() const { return rows; }
    const MessageRow<Dialog>* end() const { return rows + count; }

    // The first row that matches; null when none does.
    const MessageRow<Dialog>* Find(const Message& m) const {
        for (const MessageRow<Dialog>& row : *this) {
            if (row.Matches(m)) return &row;
        }
        return nullptr;
    }
};

// WM_COMMAND carries the control id in the low word of wParam and the
// notification code in the high word.
inline Message CommandMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    Message m;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    m.id = static_cast<int>(wParam & 0xFFFF);
    m.code = static_cast<int>((wParam >> 16) & 0xFFFF);
    return m;
}

}  // namespace kelvo
