// The settings file's format: ten lines in fixed positions, read leniently
// (CR LF or LF, lines of any length, missing lines empty) and validated by
// the two flag lines; stored through a file beside it, so that a failed
// write never damages the file that was there before, and in place where
// no file can be made beside it.
#include "app/SettingsFile.h"

#include "items/ItemStatus.h"
#include "platform/Cp932Text.h"
#include "platform/FileLimits.h"

namespace kelvo {

namespace {

// Splits the file's bytes into the ten lines. A line ends at a line feed;
// a carriage return just before it belongs to the terminator.
SettingsLines SplitLines(const std::string& bytes) {
    SettingsLines lines;
    size_t pos = 0;
    for (std::string& line : lines) {
        if (pos >= bytes.size()) break;
        size_t end = bytes.find('\n', pos);
        if (end == std::string::npos) end = bytes.size();
        line = bytes.substr(pos, end - pos);
        if (end < bytes.size() && !line.empty() && line.back() == '\r') line.pop_back();
        pos = end + 1;
    }
    return lines;
}

bool IsFlag(const std::string& line) { return line == "0" || line == "1"; }

std::string JoinLines(const SettingsLines& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

// Clears read-only so that the store can open the file; a missing file is
// left for the open to create.
void MakeWritable(FileSystem& files, const std::string& path) {
    ItemStatus status;
    if (!ReadItemStatus(files, path, status) || (status.attributes & kAttrReadOnly) == 0) return;
    status.attributes = static_cast<uint8_t>(status.attributes & ~kAttrReadOnly);
    SetItemStatus(files, path, status, kWriteNoTimes);
}

// The file the lines are written to first: beside the settings file, with
// its last character changed, so its path is never longer than the
// settings file's own and exists wherever that one can (a path of 256 to
// 259 bytes leaves no room for an added suffix).
std::string TemporaryPathFor(const std::string& path) {
    size_t last = 0;
    for (size_t i = 0; i < path.size(); i += CharLength(path, i)) last = i;
    return path.substr(0, last) + (path.compare(last, std::string::npos, "~") == 0 ? "_" : "~");
}

// True only when the file is known not to exist: a look-up that fails for
// another reason says nothing, and a file that may exist is never removed.
bool KnownMissing(FileSystem& files, const std::string& path) {
    FindEntry entry;
    if (files.FindOne(path, entry)) return false;
    const uint32_t error = files.LastError();
    return error == kErrorFileNotFound || error == kErrorPathNotFound;
}

// Writes the file that is open for writing over from its start. It stays
// the same file, so it keeps all its own properties; an error on the way
// leaves it damaged, which is why this is only the way out.
bool WriteInPlace(WritableFile& file, const std::string& text) {
    bool written = file.Truncate() && file.Write(text);
    return file.Close() && written;
}

// A store that failed: the open created the file, and left empty it would
// stand at the next start for a settings file that holds nothing valid.
// Always false.
bool Forget(FileSystem& files, const std::string& path, bool missing) {
    if (missing) files.Delete(path);
    return false;
}

}  // namespace

SettingsLines SettingsFile::Defaults() {
    SettingsLines lines;
    lines[0] = "0";
    lines[1] = "0";
    return lines;
}

SettingsLines SettingsFile::Load(FileSystem& files, const std::string& path) {
    std::string bytes;
    if (!files.ReadWholeFile(path, bytes)) return Defaults();
    SettingsLines lines = SplitLines(bytes);
    // A file whose flags can't be trusted isn't trusted for its texts either.
    if (!IsFlag(lines[0]) || !IsFlag(lines[1])) return Defaults();
    return lines;
}

bool SettingsFile::Store(FileSystem& files, const std::string& path, SettingsLines& lines,
                         const std::function<void(SettingsLines&)>& refresh) {
    MakeWritable(files, path);
    const bool missing = KnownMissing(files, path);
    // Opening the real file exclusively, without emptying it, tells whether it
    // may be written at all (not locked by another copy, folder writable).
    std::unique_ptr<WritableFile> target = files.OpenForWriting(path, false);
    if (!target) return false;
    if (refresh) refresh(lines);
    const std::string text = JoinLines(lines);
    // The lines go to a file beside it first, which then takes the real
    // file's place keeping the real file's attributes and creation time: an
    // error while writing leaves the old file as it was.
    const std::string temporary = TemporaryPathFor(path);
    std::unique_ptr<WritableFile> beside = files.OpenForWriting(temporary, true);
    // Where no file can be made beside it, the file itself is rewritten.
    if (!beside) return WriteInPlace(*target, text) || Forget(files, path, missing);
    const bool written = beside->Write(text);
    const bool closed = beside->Close();
    beside.reset();
    const bool released = target->Close();
    target.reset();
    if (!written || !closed || !released) {
        files.Delete(temporary);
        return Forget(files, path, missing);
    }
    if (files.Replace(temporary, path)) return true;
    // Refused the exchange (or, with the old file already gone, its last
    // step), the file is rewritten where it is, or made anew.
    files.Delete(temporary);
    target = files.OpenForWriting(path, false);
    return (target && WriteInPlace(*target, text)) || Forget(files, path, missing);
}

}  // namespace kelvo
