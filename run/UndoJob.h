// Taking a whole run back, as a run of its own on the worker thread: the
// record's changed items in reverse order, each restored, passed over or
// left (see UndoItem), with a record of the undo written as it goes. A
// finished undo marks the run's record undone; a cancelled one leaves it to
// be undone again.
#pragma once
#include <atomic>
#include <string>

#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/RecordStore.h"
#include "platform/Window.h"
#include "run/RunJob.h"
#include "run/RunSink.h"
#include "run/UndoableRecord.h"

namespace kelvo {

// What an undo works with, whoever started it.
struct UndoServices {
    FileSystem& files;
    Clock& clock;
    const std::atomic<int>& fullView;
    const std::atomic<bool>& cancelRequested;  // polled before each item
    RecordStore& records;
    // Where there is one, the name of the undo's own record is put here.
    std::string* recordName = nullptr;
};

struct UndoEnvironment {
    FileSystem& files;
    Clock& clock;
    Window& window;
    const std::atomic<int>& fullView;
    const std::atomic<bool>& cancelRequested;  // polled before each item
    RecordStore& records;
    // Where there is one, the name of the undo's own record is put here.
    std::string* recordName = nullptr;
};

// `askFirst`: the record's items are not counted yet (a run cut short); the
// worker counts them and asks the sink before it changes anything.
RunEnd UndoJob(RunSink& sink, const UndoServices& services, const UndoableRecord& record, bool askFirst = false);

// The main window's undo, reporting to the window.
RunEnd UndoJob(UndoEnvironment& environment, const UndoableRecord& record, bool askFirst = false);

}  // namespace kelvo
