// The settings loader on arbitrary file contents: it always gives ten
// lines, the file's own lines exactly when both flag lines are "0" or "1"
// and the defaults otherwise, and a store of what it loaded loads back the
// same. Lines are recomputed here by a model that reads the bytes one at a
// time, as a text-mode reader would.
#include <cstdint>
#include <string>

#include "app/SettingsFile.h"
#include "fuzz/FuzzCheck.h"
#include "platform/memory/MemoryFileSystem.h"

namespace {

const std::string kPath = "C:\\Kelvo\\Kelvo.ini";

// Text mode: a CR LF pair becomes a line feed, a line feed ends a line, and
// lines past the end of the file read as empty texts.
kelvo::SettingsLines ModelLines(const std::string& bytes) {
    kelvo::SettingsLines lines;
    size_t line = 0;
    for (size_t i = 0; i < bytes.size() && line < lines.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        if (c == '\n') {
            ++line;
            continue;
        }
        lines[line].push_back(c);
    }
    return lines;
}

bool IsFlag(const std::string& line) { return line == "0" || line == "1"; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    kelvo::MemoryFileSystem files;
    files.AddFolder("C:\\Kelvo");
    files.AddFile(kPath, kelvo::kAttrArchive, 0, bytes);

    const kelvo::SettingsLines loaded = kelvo::SettingsFile::Load(files, kPath);
    const kelvo::SettingsLines model = ModelLines(bytes);
    const bool trusted = IsFlag(model[0]) && IsFlag(model[1]);
    KELVO_FUZZ_CHECK(loaded == (trusted ? model : kelvo::SettingsFile::Defaults()));
    for (const std::string& line : loaded) {
        KELVO_FUZZ_CHECK(line.find('\n') == std::string::npos);
    }
    // The file itself is only read.
    KELVO_FUZZ_CHECK(files.Find(kPath)->content == bytes);

    // What was loaded survives a store and a load unchanged.
    kelvo::SettingsLines stored = loaded;
    KELVO_FUZZ_CHECK(kelvo::SettingsFile::Store(files, kPath, stored, nullptr));
    KELVO_FUZZ_CHECK(kelvo::SettingsFile::Load(files, kPath) == loaded);

    // A file held open by another program gives the defaults and is not written.
    kelvo::MemoryFileSystem::Node* node = files.Find(kPath);
    const std::string before = node->content;
    node->locked = true;
    KELVO_FUZZ_CHECK(kelvo::SettingsFile::Load(files, kPath) == kelvo::SettingsFile::Defaults());
    KELVO_FUZZ_CHECK(!kelvo::SettingsFile::Store(files, kPath, stored, nullptr));
    KELVO_FUZZ_CHECK(files.Find(kPath)->content == before);
    return 0;
}
