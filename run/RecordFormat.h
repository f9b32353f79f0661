// The lines of a change record: what each says and how it is written and
// read back. Fields are separated by tabs. Texts (paths, rule texts, date
// fields) are written as they are, except that '%' and the control
// characters, which no field may hold as they are, stand as %XX (two hex
// digits): neither is ever the trail byte of a double-byte character. An
// attribute word is 0x and eight hex digits; a time is UTC in ISO 8601 with
// seven fractional digits (2026-12-09T06:30:00.1234567Z; the year has five
// digits past 9999), so every time a file can hold comes back to the
// 100 ns; "-" stands for what the run did not read.
//
//   Kelvo change record <TAB> 1 <TAB> run | undo | preview
//   note <TAB> what a preview could not know (previews only)
//   target <TAB> the target as typed <TAB> as resolved
//   mode <TAB> folder | file
//   start <TAB> the start time
//   undoes <TAB> the record an undo takes back (undo records only)
//   attributes <TAB> read-only <TAB> hidden <TAB> archive <TAB> system <TAB> folders too | files only
//   creation | modification | access <TAB> off, or on and the six field texts
//   rename <TAB> off, or add | delete and the eight rule texts
//   patterns <TAB> include <TAB> each pattern <TAB> exclude <TAB> each pattern
//           (only where the job takes files by their names)
//   changing <TAB> the fields of a changed line, the "after" ones as the run means to leave the item:
//           written before the item is changed, so that a run cut short at
//           any moment leaves the old state of every item it changed
//   changed <TAB> file | folder <TAB> path before <TAB> path after <TAB> word before <TAB> word after
//           <TAB> creation before <TAB> after <TAB> access before <TAB> after <TAB> modification before <TAB> after
//   folder <TAB> before | after <TAB> path <TAB> word <TAB> creation <TAB> access <TAB> modification:
//           a folder's state before the first rename in it, and after the
//           last, since renames move the folder's modification time
//   left <TAB> path <TAB> error code <TAB> the system's message, or why
//   end <TAB> finished | cancelled <TAB> items changed <TAB> items left
//   undone <TAB> the name of the undo's record
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/FileSystem.h"

namespace kelvo {

inline constexpr const char* kRecordFormatName = "Kelvo change record";
inline constexpr int kRecordFormatVersion = 1;

enum class RecordKind { Run, Undo, Preview };

// An item a run changed: where it was and is, and its state before and
// after where the run read it (a rename alone doesn't).
struct ChangedItem {
    bool isFolder = false;
    std::string pathBefore;
    std::string pathAfter;
    std::optional<ItemState> before;
    std::optional<ItemState> after;
};

// One line of a record, as read back.
struct RecordLine {
    enum class Kind { Format, Target, Mode, Start, Undoes, Job, Changing, Changed, Folder, Left, End, Undone };
    Kind kind = Kind::Job;
    // Format: the version and the record's kind.
    int version = 0;
    RecordKind recordKind = RecordKind::Run;
    // Target: as typed and as resolved; Mode: "folder" or "file" in `text`;
    // Undoes and Undone: a record's name; Left and Folder: the path.
    std::string text;
    std::string resolved;
    bool fileMode = false;
    FileTime start = 0;
    // Changing and Changed.
    ChangedItem changed;
    // Folder: after the renames in it (or before them), and its state.
    bool folderAfter = false;
    ItemState folderState;
    // End: how the run ended and its counts.
    bool finished = false;
    long changedCount = 0;
    long leftCount = 0;
};

std::string EscapeField(const std::string& text);
// False when a %XX is not two hex digits.
bool UnescapeField(const std::string& field, std::string& text);

std::string TimeText(FileTime ticks);
bool ParseTimeText(const std::string& text, FileTime& ticks);

std::string FormatLine(RecordKind kind);
std::string TargetLine(const std::string& typed, const std::string& resolved);
std::string ModeLine(bool fileMode);
std::string StartLine(FileTime start);
std::string UndoesLine(const std::string& recordName);
std::string ChangedLine(const ChangedItem& item);
// The line written before an item is changed: `item.after` is the state the
// run means to leave it in.
std::string ChangingLine(const ChangedItem& item);
std::string FolderLine(bool after, const std::string& path, const ItemState& state);
// The line of an item left, up to its code: the store adds the system's
// message, or the caller a reason of its own.
std::string LeftLine(const std::string& path, uint32_t code);
std::string EndLine(bool finished, long changed, long left);
std::string UndoneLine(const std::string& undoRecordName);

// False for a line that says nothing this format knows, or says it wrongly:
// such a line is never guessed at. The job's own lines parse as Kind::Job.
bool ParseRecordLine(const std::string& line, RecordLine& parsed);

}  // namespace kelvo
