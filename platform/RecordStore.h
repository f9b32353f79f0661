// The change records of the runs, kept in a folder of the user's own (on
// Windows %LOCALAPPDATA%\Kelvo\records, reached in UTF-16 whatever the
// user's name holds). A record is named by its start time in ASCII
// and a sequence number ahead of it (run/RecordNames.h), which orders them.
// Its lines are code page 932 text on this side, like every text of the
// program; the file holds them as UTF-8 after a byte-order mark, one line
// each, readable in Notepad and by a script. Nothing here throws.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kelvo {

// A record being written. Lines are held until Flush hands them all to the
// file in one write (the system has them then; nothing forces them to the
// disk); destroying the writer flushes what is left and closes the file.
// While a writer lives its record is held: no one else can read or delete it.
class RecordWriter {
public:
    virtual ~RecordWriter() = default;
    // One line, without its line break.
    virtual void Append(const std::string& line) = 0;
    // `line`, a tab and the system's own message for the error `code`, in
    // the system's own words and language (they need no code page 932 form),
    // escaped as every text field is: '%' and control characters as %XX.
    virtual void AppendWithMessage(const std::string& line, uint32_t code) = 0;
    // As AppendWithMessage, with `systemName` (UTF-8, escaped as a field)
    // between `head` and `tail`: an item named by its own name, which has
    // no code page 932 form.
    virtual void AppendNamedWithMessage(const std::string& head, const std::string& systemName,
                                        const std::string& tail, uint32_t code) = 0;
    // False when the file refused what was held; it is dropped then, and
    // the writer stays failed: every later Flush is false too, so that a
    // record with a hole in it never looks whole.
    virtual bool Flush() = 0;
};

// The lines of a record, from its first or from its last. A line without an
// exact code page 932 form (a record edited by hand, a system message) is
// given as not exact, with its text cut to its first field where that is
// plain ASCII (the field that names the line's kind), and empty otherwise.
class RecordReader {
public:
    virtual ~RecordReader() = default;
    // False at the end (or where the file can't be read on).
    virtual bool Next(std::string& line, bool& exact) = 0;
};

// How an attempt to read a record went.
enum class RecordAccess {
    Opened,
    Missing,  // no record of that name
    InUse,    // a writer (of this program or another instance) holds it
    Failed,   // anything else the system refused
};

class RecordStore {
public:
    virtual ~RecordStore() = default;
    // A new, empty record of that name, its folder made first when missing;
    // null when either can't be made or the name is taken.
    virtual std::unique_ptr<RecordWriter> Create(const std::string& name) = 0;
    // The names of the records in byte order; RecordsOldestFirst
    // (run/RecordNames.h) gives the order of the runs.
    virtual std::vector<std::string> Names() = 0;
    // Null when the record can't be opened, `access` (where given) telling
    // why. A reader holds its record while it lives: it can't be deleted.
    virtual std::unique_ptr<RecordReader> Read(const std::string& name, bool fromTheEnd,
                                               RecordAccess* access = nullptr) = 0;
    // Adds one line at the end of a record.
    virtual bool AppendLine(const std::string& name, const std::string& line) = 0;
    // False also where a reader or a writer holds the record.
    virtual bool Delete(const std::string& name) = 0;
    // Opens a record with the shell's default program for text files, or,
    // for an empty name, the records' folder.
    virtual bool Show(const std::string& name) = 0;
};

}  // namespace kelvo
