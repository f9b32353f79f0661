// The change records on Win32, in %LOCALAPPDATA%\Kelvo\records: the folder
// is found and reached in UTF-16 only, so a user name without a code page
// 932 form works too. Record names must be plain ASCII file names (no path
// separator, no "..", no name the system reads as another item); anything
// else is refused before the system sees it. The store holds nothing but
// the folder's path, so the window's and the worker's thread may use it at
// once, each on its own record.
#pragma once
#include <string>

#include "platform/RecordStore.h"

namespace kelvo {

class Win32RecordStore : public RecordStore {
public:
    // The records in `folder`, or, when it is empty, in the user's own
    // %LOCALAPPDATA%\Kelvo\records (the known folder, else the environment's
    // LOCALAPPDATA; where neither is found every call fails).
    explicit Win32RecordStore(std::wstring folder = std::wstring());

    const std::wstring& Folder() const { return folder_; }

    // The file is made new (never over another) and starts with the UTF-8
    // byte-order mark; "Kelvo" and "records" are made first when missing.
    // The writer's handle shares nothing, so another store on the same
    // folder (another instance) can neither read nor delete the record.
    std::unique_ptr<RecordWriter> Create(const std::string& name) override;
    // The "*.txt" files of the folder with record names, in byte order.
    std::vector<std::string> Names() override;
    // The reader shares reading and writing but not deleting: a writer's
    // record refuses it (a sharing violation, InUse), and while it is open
    // AppendLine still works and Delete fails.
    std::unique_ptr<RecordReader> Read(const std::string& name, bool fromTheEnd,
                                       RecordAccess* access = nullptr) override;
    // The line goes on a line of its own, after a line break added first
    // when the record's last line has none.
    bool AppendLine(const std::string& name, const std::string& line) override;
    // Fails where the record is open (a reader or a writer holds it).
    bool Delete(const std::string& name) override;
    // ShellExecuteW's "open" (for a record, where ".txt" is tied to no
    // program, that of the system's class of text files); false for a
    // record that is not there. The folder is made first when it is the
    // one asked for.
    bool Show(const std::string& name) override;

private:
    // The record's full path; false for a name that is not a record's.
    bool PathOf(const std::string& name, std::wstring& path) const;

    const std::wstring folder_;
};

}  // namespace kelvo
