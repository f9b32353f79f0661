// What the item operations and the walk work with during one run: the file
// system, the clock, the status area, the full-view flag,
// how the items' writes reach them, and the items that could not be
// changed.
#pragma once
#include <atomic>
#include <string>
#include <vector>

#include "items/ChangeJournal.h"
#include "items/ItemFailure.h"
#include "items/StatusSink.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"

namespace kelvo {

struct ItemContext {
    FileSystem& files;
    Clock& clock;
    StatusSink& status;
    // 1 while the window shows its full size; progress texts are composed only then.
    const std::atomic<int>& fullView;
    // How writes reach an item that is a link: the items of a walk are met
    // in listings and changed as themselves; a file the user named is
    // reached as named.
    Reach reach = Reach::Itself;
    // Items (files or folders) that a refused call kept from being changed;
    // the count shown is their number.
    std::vector<ItemFailure> failures = {};
    // Told of each change before it is made, where the run keeps a record.
    ChangeJournal* journal = nullptr;
    // Set once the journal refused a change: nothing more is changed.
    bool stopped = false;

    bool FullView() const { return fullView.load(std::memory_order_relaxed) == 1; }
    // Replaces the whole text of the status area with a progress text: the
    // sink may skip it when the next one follows soon enough.
    void ShowStatus(const std::string& text) { status.ShowProgress(text); }
    // The last text of a run (finished, cancelled): shown before this returns.
    void ShowFinalStatus(const std::string& text) { status.ShowFinal(text); }
};

}  // namespace kelvo
