// The settings file's format: ten lines in fixed positions, read leniently
// (CR LF or LF, lines of any length, missing lines empty) and validated by
// the two flag lines; stored so that a failed write never damages the file
// that was there before.
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

// Clears read-only so that the store can open the file, and gives the
// attribute bits the file is to keep; a missing file is left for the open
// to create and gives kInvalidAttributes.
uint32_t MakeWritable(FileSystem& files, const std::string& path) {
    ItemStatus status;
    if (!ReadItemStatus(files, path, status)) return kInvalidAttributes;
    if ((status.attributes & kAttrReadOnly) != 0) {
        status.attributes = static_cast<uint8_t>(status.attributes & ~kAttrReadOnly);
        SetItemStatus(files, path, status, kWriteNoTimes);
    }
    return status.attributes;
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

bool WriteNewFile(FileSystem& files, const std::string& path, const std::string& text) {
    std::unique_ptr<WritableFile> file = files.OpenForWriting(path, true);
    if (!file) return false;
    bool written = file->Write(text);
    return file->Close() && written;
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
    const uint32_t kept = MakeWritable(files, path);
    const bool missing = KnownMissing(files, path);
    // Opening the real file exclusively, without emptying it, tells whether it
    // may be written at all (not locked by another copy, folder writable).
    std::unique_ptr<WritableFile> target = files.OpenForWriting(path, false);
    if (!target) return false;
    if (refresh) refresh(lines);
    // The lines go to a file beside it first, which then takes the real
    // file's place: an error while writing leaves the old file as it was.
    const std::string temporary = TemporaryPathFor(path);
    bool written = WriteNewFile(files, temporary, JoinLines(lines));
    bool released = target->Close();
    target.reset();
    if (!written || !released || !files.Replace(temporary, path)) {
        files.Delete(temporary);
        // The open created the file; left empty, it would stand at the next
        // start for a settings file that holds nothing valid.
        if (missing) files.Delete(path);
        return false;
    }
    // The file that took the old one's place has the temporary file's
    // attributes; a hidden settings file stays hidden.
    if (kept != kInvalidAttributes && (kept & ~kAttrArchive) != 0) files.SetAttributes(path, kept);
    return true;
}

}  // namespace kelvo
