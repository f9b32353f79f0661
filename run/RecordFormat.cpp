// Writing and reading the lines of a change record.
#include "run/RecordFormat.h"

#include <cstdio>
#include <cstdint>
#include <cstdlib>

#include "platform/Cp932Text.h"

namespace kelvo {

namespace {

constexpr char kTab = '\t';
constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kDaysFrom1601To1970 = 134774;
const char* const kNoValue = "-";

// Days since 1970-01-01 of a date in the proleptic Gregorian calendar, and
// back (H. Hinnant's algorithms).
int64_t DaysFromCivil(int64_t year, unsigned month, unsigned day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<int64_t>(dayOfEra) - 719468;
}

void CivilFromDays(int64_t days, int64_t& year, unsigned& month, unsigned& day) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shifted = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * shifted + 2) / 5 + 1;
    month = shifted < 10 ? shifted + 3 : shifted - 9;
    year = static_cast<int64_t>(yearOfEra) + era * 400 + (month <= 2);
}

std::vector<std::string> SplitFields(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find(kTab, start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

bool ParseNumber(const std::string& text, long& value) {
    if (text.empty() || text.size() > 9) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    value = std::strtol(text.c_str(), nullptr, 10);
    return true;
}

std::string WordText(uint32_t word) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(word));
    return text;
}

bool ParseWord(const std::string& text, uint32_t& word) {
    if (text.size() != 10 || text[0] != '0' || text[1] != 'x') return false;
    word = 0;
    for (size_t i = 2; i < text.size(); ++i) {
        const char c = text[i];
        unsigned digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<unsigned>(c - '0');
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<unsigned>(c - 'A' + 10);
        } else {
            return false;
        }
        word = word * 16 + digit;
    }
    return true;
}

// A state's six fields of a changed line: the words, then each time, before and after.
void AppendStates(std::string& line, const std::optional<ItemState>& before, const std::optional<ItemState>& after) {
    auto field = [&line](bool known, const std::string& text) {
        line += kTab;
        line += known ? text : kNoValue;
    };
    field(before.has_value(), before ? WordText(before->attributes) : "");
    field(after.has_value(), after ? WordText(after->attributes) : "");
    FileTime ItemState::*times[3] = {&ItemState::creation, &ItemState::access, &ItemState::modification};
    for (FileTime ItemState::*time : times) {
        field(before.has_value(), before ? TimeText((*before).*time) : "");
        field(after.has_value(), after ? TimeText((*after).*time) : "");
    }
}

bool ParseStates(const std::vector<std::string>& fields, size_t first, ChangedItem& item) {
    bool allNone = true;
    bool noneMissing = true;
    for (size_t i = first; i < first + 8; ++i) {
        if (fields[i] == kNoValue) {
            noneMissing = false;
        } else {
            allNone = false;
        }
    }
    if (allNone) return true;
    if (!noneMissing) return false;
    ItemState before, after;
    if (!ParseWord(fields[first], before.attributes) || !ParseWord(fields[first + 1], after.attributes)) return false;
    FileTime ItemState::*times[3] = {&ItemState::creation, &ItemState::access, &ItemState::modification};
    for (int i = 0; i < 3; ++i) {
        if (!ParseTimeText(fields[first + 2 + 2 * i], before.*times[i]) ||
            !ParseTimeText(fields[first + 3 + 2 * i], after.*times[i])) {
            return false;
        }
    }
    item.before = before;
    item.after = after;
    return true;
}

// A path the program itself writes: full, without "." or ".." or empty
// components, with backslashes. Anything else in a record names an item
// only by guessing, relative to wherever the current directory stands.
bool IsPlainFullPath(const std::string& path) {
    if (!IsFullPath(path) || path.find('/') != std::string::npos) return false;
    const size_t first = path[0] == '\\' ? 2 : 3;  // after "\\" or "C:\"
    size_t start = first;
    while (start <= path.size()) {
        size_t end = start;
        while (end < path.size() && !(path[end] == '\\' && IsCharBoundary(path, end))) end += CharLength(path, end);
        const std::string part = path.substr(start, end - start);
        const bool last = end >= path.size();
        if ((part.empty() && !(last && start == first)) || part == "." || part == "..") return false;
        start = end + 1;
    }
    return true;
}

const char* KindName(RecordKind kind) {
    switch (kind) {
    case RecordKind::Undo: return "undo";
    case RecordKind::Preview: return "preview";
    case RecordKind::Run: break;
    }
    return "run";
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::string EscapeField(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte == '%' || byte < 0x20 || byte == 0x7F) {
            char code[4];
            std::snprintf(code, sizeof code, "%%%02X", byte);
            escaped += code;
        } else {
            escaped += c;
        }
    }
    return escaped;
}

bool UnescapeField(const std::string& field, std::string& text) {
    text.clear();
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '%') {
            text += field[i];
            continue;
        }
        if (i + 2 >= field.size()) return false;
        const int high = HexValue(field[i + 1]);
        const int low = HexValue(field[i + 2]);
        if (high < 0 || low < 0) return false;
        text += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return true;
}

std::string TimeText(FileTime ticks) {
    const int64_t seconds = static_cast<int64_t>(ticks / kTicksPerSecond);
    const unsigned fraction = static_cast<unsigned>(ticks % kTicksPerSecond);
    const int64_t days = seconds / kSecondsPerDay;
    const unsigned secondOfDay = static_cast<unsigned>(seconds % kSecondsPerDay);
    int64_t year = 0;
    unsigned month = 0, day = 0;
    CivilFromDays(days - kDaysFrom1601To1970, year, month, day);
    char text[40];
    std::snprintf(text, sizeof text, "%04lld-%02u-%02uT%02u:%02u:%02u.%07uZ", static_cast<long long>(year), month, day,
                  secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60, fraction);
    return text;
}

bool ParseTimeText(const std::string& text, FileTime& ticks) {
    // Exactly the form TimeText writes: each digit where it stands, the
    // year in four digits or, past 9999, in five.
    const size_t yearDigits = text.size() == 29 ? 5 : 4;
    const std::string shape = std::string(yearDigits, 'd') + "-dd-ddTdd:dd:dd.dddddddZ";
    if (text.size() != shape.size() || (yearDigits == 5 && text[0] == '0')) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (shape[i] == 'd' ? !digit : text[i] != shape[i]) return false;
    }
    auto number = [&text, yearDigits](size_t at, size_t length) {
        return std::strtoll(text.substr(at + yearDigits - 4, length).c_str(), nullptr, 10);
    };
    const int64_t year = std::strtoll(text.substr(0, yearDigits).c_str(), nullptr, 10);
    const int64_t month = number(5, 2), day = number(8, 2);
    const int64_t hour = number(11, 2), minute = number(14, 2), second = number(17, 2);
    const int64_t fraction = number(20, 7);
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int64_t monthDays[12] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1601 || month < 1 || month > 12 || day < 1 || day > monthDays[month - 1] || hour > 23 ||
        minute > 59 || second > 59) {
        return false;
    }
    const int64_t days = DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
                         kDaysFrom1601To1970;
    const FileTime seconds = static_cast<FileTime>(days * kSecondsPerDay + hour * 3600 + minute * 60 + second);
    // Past the largest time a file can hold the ticks would wrap round.
    if (seconds > (UINT64_MAX - static_cast<FileTime>(fraction)) / kTicksPerSecond) return false;
    ticks = seconds * kTicksPerSecond + static_cast<FileTime>(fraction);
    return true;
}

std::string FormatLine(RecordKind kind) {
    return std::string(kRecordFormatName) + kTab + std::to_string(kRecordFormatVersion) + kTab + KindName(kind);
}

std::string TargetLine(const std::string& typed, const std::string& resolved) {
    return std::string("target") + kTab + EscapeField(typed) + kTab + EscapeField(resolved);
}

std::string ModeLine(bool fileMode) { return std::string("mode") + kTab + (fileMode ? "file" : "folder"); }

std::string StartLine(FileTime start) { return std::string("start") + kTab + TimeText(start); }

std::string UndoesLine(const std::string& recordName) { return std::string("undoes") + kTab + EscapeField(recordName); }

namespace {

std::string ItemLine(const char* key, const ChangedItem& item) {
    std::string line = std::string(key) + kTab + (item.isFolder ? "folder" : "file") + kTab +
                       EscapeField(item.pathBefore) + kTab + EscapeField(item.pathAfter);
    AppendStates(line, item.before, item.after);
    return line;
}

}  // namespace

std::string ChangedLine(const ChangedItem& item) { return ItemLine("changed", item); }

std::string ChangingLine(const ChangedItem& item) { return ItemLine("changing", item); }

std::string FolderLine(bool after, const std::string& path, const ItemState& state) {
    return std::string("folder") + kTab + (after ? "after" : "before") + kTab + EscapeField(path) + kTab +
           WordText(state.attributes) + kTab + TimeText(state.creation) + kTab + TimeText(state.access) + kTab +
           TimeText(state.modification);
}

std::string LeftLine(const std::string& path, uint32_t code) {
    return std::string("left") + kTab + EscapeField(path) + kTab + std::to_string(code);
}

std::string EndLine(bool finished, long changed, long left) {
    return std::string("end") + kTab + (finished ? "finished" : "cancelled") + kTab + std::to_string(changed) + kTab +
           std::to_string(left);
}

std::string UndoneLine(const std::string& undoRecordName) {
    return std::string("undone") + kTab + EscapeField(undoRecordName);
}

bool ParseRecordLine(const std::string& line, RecordLine& parsed) {
    parsed = RecordLine();
    const std::vector<std::string> fields = SplitFields(line);
    const std::string& key = fields[0];
    const size_t count = fields.size();
    using Kind = RecordLine::Kind;
    if (key == kRecordFormatName && count == 3) {
        parsed.kind = Kind::Format;
        long version = 0;
        if (!ParseNumber(fields[1], version)) return false;
        parsed.version = static_cast<int>(version);
        if (fields[2] == "run") {
            parsed.recordKind = RecordKind::Run;
        } else if (fields[2] == "undo") {
            parsed.recordKind = RecordKind::Undo;
        } else if (fields[2] == "preview") {
            parsed.recordKind = RecordKind::Preview;
        } else {
            return false;
        }
        return true;
    }
    if (key == "target" && count == 3) {
        parsed.kind = Kind::Target;
        return UnescapeField(fields[1], parsed.text) && UnescapeField(fields[2], parsed.resolved);
    }
    if (key == "mode" && count == 2 && (fields[1] == "folder" || fields[1] == "file")) {
        parsed.kind = Kind::Mode;
        parsed.fileMode = fields[1] == "file";
        return true;
    }
    if (key == "start" && count == 2) {
        parsed.kind = Kind::Start;
        return ParseTimeText(fields[1], parsed.start);
    }
    if ((key == "undoes" || key == "undone") && count == 2) {
        parsed.kind = key == "undoes" ? Kind::Undoes : Kind::Undone;
        return UnescapeField(fields[1], parsed.text);
    }
    if (key == "attributes" || key == "creation" || key == "modification" || key == "access" || key == "rename" ||
        key == "note" || key == "patterns") {
        parsed.kind = Kind::Job;
        return true;
    }
    if ((key == "changed" || key == "changing") && count == 12 && (fields[1] == "file" || fields[1] == "folder")) {
        parsed.kind = key == "changed" ? Kind::Changed : Kind::Changing;
        ChangedItem& item = parsed.changed;
        item.isFolder = fields[1] == "folder";
        return UnescapeField(fields[2], item.pathBefore) && UnescapeField(fields[3], item.pathAfter) &&
               IsPlainFullPath(item.pathBefore) && IsPlainFullPath(item.pathAfter) && ParseStates(fields, 4, item);
    }
    if (key == "folder" && count == 7 && (fields[1] == "before" || fields[1] == "after")) {
        parsed.kind = Kind::Folder;
        parsed.folderAfter = fields[1] == "after";
        ItemState& state = parsed.folderState;
        return UnescapeField(fields[2], parsed.text) && IsPlainFullPath(parsed.text) &&
               ParseWord(fields[3], state.attributes) && ParseTimeText(fields[4], state.creation) &&
               ParseTimeText(fields[5], state.access) && ParseTimeText(fields[6], state.modification);
    }
    if (key == "left" && count >= 3) {
        parsed.kind = Kind::Left;
        long code = 0;
        return UnescapeField(fields[1], parsed.text) && ParseNumber(fields[2], code);
    }
    if (key == "end" && count == 4 && (fields[1] == "finished" || fields[1] == "cancelled")) {
        parsed.kind = Kind::End;
        parsed.finished = fields[1] == "finished";
        return ParseNumber(fields[2], parsed.changedCount) && ParseNumber(fields[3], parsed.leftCount);
    }
    return false;
}

}  // namespace kelvo
