// The date and time panel: three rows (creation, modification, access) of an
// enable box and six fields with their spins, kept sound while the user types.
#pragma once
#include <array>
#include <string>

#include "platform/Clock.h"
#include "platform/Window.h"

namespace kelvo {

struct DateRowCheck;

class DateTimePanel {
public:
    // `initialised` and `monthLengthTexts` are the main window's own members.
    DateTimePanel(Window& window, Clock& clock, const int& initialised,
                  std::array<std::string, 3>& monthLengthTexts);

    // Text limits and spin ranges of all eighteen fields, creation row first.
    void SetLimitsAndRanges();
    // Corrects one row's fields in place (EN_UPDATE of any of its edits).
    void ValidateDateRow(int row);
    // Fields writable and spins enabled when state is 1; read-only and disabled otherwise.
    void SetDateRowEditable(int state, int row);
    // BN_CLICKED of a row's enable box.
    void OnRowBoxClicked(int row);
    // Puts the current local date and time into all eighteen fields.
    void ResetDatesToNow();

    // The row an edit or enable box belongs to; -1 for any other control.
    static int RowOfEdit(int id);
    static int RowOfBox(int id);

private:
    // Read-only states, day spin range and month length of one pass, set
    // before any correction is written back.
    void ApplyFieldStates(int row, const DateRowCheck& check);

    Window& window_;
    Clock& clock_;
    const int& initialised_;
    std::array<std::string, 3>& monthLengthTexts_;
};

}  // namespace kelvo
