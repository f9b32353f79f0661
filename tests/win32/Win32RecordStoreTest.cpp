// The change records on disk: code page 932 lines written as UTF-8 after a
// byte-order mark and read back from either end in chunks, lines without an
// exact form told as such, the system's messages escaped, the names the
// store takes and lists, lines added to a record later, the holds of
// writers and readers as another instance sees them, and numbered names.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/RecordText.h"
#include "platform/win32/Win32RecordReader.h"
#include "platform/win32/Win32RecordStore.h"
#include "platform/win32/Win32RecordWriter.h"
#include "run/RecordNames.h"
#include "tests/win32/TempFolder.h"

namespace kelvo {
namespace {

using Lines = std::vector<std::pair<std::string, bool>>;  // text, exact

const std::string kMark = "\xEF\xBB\xBF";
// 表 (U+8868) and ソ (U+30BD), whose code page 932 forms end in 0x5C, and
// the half-width katakana ｱ (U+FF71), in UTF-8.
const std::string kTableUtf8 = "\xE8\xA1\xA8";
const std::string kSoUtf8 = "\xE3\x82\xBD";
const std::string kHalfWidthAUtf8 = "\xEF\xBD\xB1";
// U+FFFD, the replacement character.
const std::string kReplacementUtf8 = "\xEF\xBF\xBD";

class Win32RecordStoreTest : public ::testing::Test {
protected:
    // Neither "Kelvo" nor "records" exists yet.
    std::wstring Folder() const { return temp / std::wstring(L"Kelvo\\records"); }
    std::wstring PathOf(const std::string& name) const { return Folder() + L"\\" + TempFolder::Wide(name); }

    Lines ReadAll(const std::string& name, bool fromTheEnd) {
        Lines lines;
        auto reader = store.Read(name, fromTheEnd);
        if (reader == nullptr) return lines;
        std::string line;
        bool exact = false;
        while (reader->Next(line, exact)) lines.emplace_back(line, exact);
        return lines;
    }

    // Both ways round: the lines in order, and in reverse order from the end.
    void ExpectLines(const std::string& name, const Lines& expected) {
        EXPECT_EQ(ReadAll(name, false), expected) << "from the first line";
        Lines reversed(expected.rbegin(), expected.rend());
        EXPECT_EQ(ReadAll(name, true), reversed) << "from the last line";
    }

    static std::string FileBytes(const std::wstring& path) {
        std::string bytes;
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return bytes;
        char chunk[4096];
        DWORD got = 0;
        while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
        CloseHandle(file);
        return bytes;
    }

    // A record of these exact bytes, made without the store.
    bool MakeRecord(const std::string& name, const std::string& bytes) {
        TempFolder::MakeFolder(temp / std::wstring(L"Kelvo"));
        TempFolder::MakeFolder(Folder());
        return TempFolder::MakeFile(PathOf(name), bytes);
    }

    // The size the folder lists for a file, which needs no open of it.
    static uint64_t ListedSize(const std::wstring& path) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return UINT64_MAX;
        return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }

    TempFolder temp;
    Win32RecordStore store{Folder()};
};

TEST_F(Win32RecordStoreTest, LinesComeBackInOrderAndFromTheEnd) {
    std::string longJapanese;  // past two chunks, its characters cut at chunk edges
    while (longJapanese.size() <= 2 * Win32RecordReader::kChunkBytes) longJapanese += "あ表";
    Lines lines = {{"20261209\tC:\\表\\ソフト.txt", true}, {"", true}, {"ｶﾀｶﾅ ﾃｽﾄ", true}, {longJapanese, true}};
    for (int i = 0; i < 5000; ++i) lines.emplace_back("item " + std::to_string(i) + "\t表示\tソース", true);
    lines.emplace_back("", true);
    {
        auto writer = store.Create("20261209-153000-123.txt");
        ASSERT_NE(nullptr, writer);
        for (const auto& line : lines) writer->Append(line.first);
        EXPECT_TRUE(writer->Flush());
    }
    ExpectLines("20261209-153000-123.txt", lines);
}

TEST_F(Win32RecordStoreTest, TheFileIsUtf8AfterItsMarkWithCrLf) {
    {
        auto writer = store.Create("a.txt");
        ASSERT_NE(nullptr, writer);
        writer->Append("表ソｱ");
        writer->Append("x");
    }  // flushed by the destructor
    EXPECT_EQ(FileBytes(PathOf("a.txt")), kMark + kTableUtf8 + kSoUtf8 + kHalfWidthAUtf8 + "\r\nx\r\n");
}

// The writer's record can't be opened while it is written, so its size is
// read from the folder.
TEST_F(Win32RecordStoreTest, HeldLinesReachTheFileAllAtOnceAtFlush) {
    auto writer = store.Create("held.txt");
    ASSERT_NE(nullptr, writer);
    writer->Append("first");
    EXPECT_EQ(ListedSize(PathOf("held.txt")), 3u) << "the mark alone";
    ASSERT_TRUE(writer->Flush());
    EXPECT_EQ(ListedSize(PathOf("held.txt")), 3u + 7u);

    // Far more than any buffer: still nothing written until the flush.
    const std::string line(1000, 'h');
    for (int i = 0; i < 200; ++i) writer->Append(line);
    EXPECT_EQ(ListedSize(PathOf("held.txt")), 3u + 7u) << "still held";
    EXPECT_TRUE(writer->Flush());
    EXPECT_EQ(ListedSize(PathOf("held.txt")), 3u + 7u + 200u * 1002u);
    writer.reset();
    EXPECT_EQ(FileBytes(PathOf("held.txt")).size(), 3u + 7u + 200u * 1002u);
}

// A write the system refuses (here: the handle can't write) fails the
// flush, and every flush after it, writing nothing more.
TEST_F(Win32RecordStoreTest, AFlushRefusedLeavesTheWriterFailed) {
    ASSERT_TRUE(MakeRecord("refused.txt", kMark));
    HANDLE readOnly = CreateFileW(PathOf("refused.txt").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(readOnly, INVALID_HANDLE_VALUE);
    {
        Win32RecordWriter writer(readOnly);
        writer.Append("lost");
        EXPECT_FALSE(writer.Flush());
        writer.Append("later");
        EXPECT_FALSE(writer.Flush());
        EXPECT_FALSE(writer.Flush()) << "nothing held, still failed";
    }
    EXPECT_EQ(FileBytes(PathOf("refused.txt")), kMark);
}

// A line that is not valid code page 932, or holds a line break, is written
// with U+FFFD in place of what can't be written, on one line of its own,
// and reads back as not exact, cut to its first field where that is ASCII.
TEST_F(Win32RecordStoreTest, LinesWithoutAnExactFormAreWrittenOnTheirOwnAndReadAsNotExact) {
    const struct {
        const char* what;
        std::string line;
        std::string utf8;
        std::string readBack;
    } cases[] = {
        {"lone lead byte at the end", "a\x81", "a" + kReplacementUtf8, ""},
        {"lead byte before a space", "\x81 z", kReplacementUtf8 + "z", ""},
        {"line feed", "a\nb", "a" + kReplacementUtf8 + "b", ""},
        {"carriage return", "a\rb", "a" + kReplacementUtf8 + "b", ""},
        {"in a later field", "left\tC:\\x\t5\t\x81", "left\tC:\\x\t5\t" + kReplacementUtf8, "left"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        {
            auto writer = store.Create("bad.txt");
            ASSERT_NE(nullptr, writer);
            writer->Append("表");
            writer->Append(c.line);
            writer->Append("end");
        }
        EXPECT_EQ(FileBytes(PathOf("bad.txt")), kMark + kTableUtf8 + "\r\n" + c.utf8 + "\r\nend\r\n");
        ExpectLines("bad.txt", {{"表", true}, {c.readBack, false}, {"end", true}});
        ASSERT_TRUE(store.Delete("bad.txt"));
    }
}

TEST_F(Win32RecordStoreTest, FilesAreReadAsFarAsTheirLinesGo) {
    const struct {
        const char* what;
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"empty file", "", {}},
        {"mark alone", kMark, {}},
        {"mark and one line break", kMark + "\r\n", {{"", true}}},
        {"no mark, last line without a break", "no mark\r\nlast", {{"no mark", true}, {"last", true}}},
        {"line feeds alone", kMark + "a\n\nb\n", {{"a", true}, {"", true}, {"b", true}}},
        {"empty last line", kMark + "a\r\n\r\n", {{"a", true}, {"", true}}},
        {"invalid UTF-8", kMark + "ok\r\n\xFF\xFE?\r\n" + kSoUtf8, {{"ok", true}, {"", false}, {"ソ", true}}},
        {"a character code page 932 lacks", kMark + "caf\xC3\xA9\r\nx", {{"", false}, {"x", true}}},
        {"a mark inside", kMark + "a\r\n" + kMark + "b", {{"a", true}, {"", false}}},
        {"a line cut inside a character", kMark + "a" + kTableUtf8.substr(0, 2), {{"", false}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(MakeRecord("r.txt", c.bytes));
        ExpectLines("r.txt", c.lines);
        ASSERT_TRUE(store.Delete("r.txt"));
    }
}

TEST_F(Win32RecordStoreTest, ALineIsHeldUpToTheLongestLine) {
    const size_t longest = Win32RecordReader::kLongestLineBytes;
    for (const char* lineBreak : {"\r\n", "\n"}) {
        for (size_t length : {longest, longest + 1}) {
            SCOPED_TRACE(std::to_string(length) + (lineBreak[0] == '\r' ? " with CR LF" : " with LF"));
            const std::string line(length, 'L');
            ASSERT_TRUE(MakeRecord("long.txt", kMark + "before" + lineBreak + line + lineBreak + "after" + lineBreak));
            const bool held = length <= longest;
            ExpectLines("long.txt", {{"before", true}, {held ? line : "", held}, {"after", true}});
            ASSERT_TRUE(store.Delete("long.txt"));
        }
    }
}

// The system's message, in UTF-8 as FormatMessageW gives it, without the
// line break that ends it.
std::string SystemText(uint32_t code) {
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring wide = length > 0 ? std::wstring(text, length) : std::wstring();
    LocalFree(text);
    if (wide.size() >= 2 && wide.substr(wide.size() - 2) == L"\r\n") wide.resize(wide.size() - 2);
    std::string utf8(wide.size() * 4, '\0');
    utf8.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                                        &utf8[0], static_cast<int>(utf8.size()), nullptr, nullptr)));
    return utf8;
}

// %XX back to its byte; false for a '%' without two upper-case hex digits
// or a control character left as it is.
bool Unescaped(const std::string& field, std::string& text) {
    const std::string hex = "0123456789ABCDEF";
    text.clear();
    for (size_t i = 0; i < field.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(field[i]);
        if (c < 0x20 || c == 0x7F) return false;
        if (c != '%') {
            text += field[i];
            continue;
        }
        if (i + 2 >= field.size() + 0 || hex.find(field[i + 1]) == std::string::npos ||
            hex.find(field[i + 2]) == std::string::npos) {
            return false;
        }
        text += static_cast<char>(hex.find(field[i + 1]) * 16 + hex.find(field[i + 2]));
        i += 2;
    }
    return true;
}

TEST_F(Win32RecordStoreTest, ALineWithTheSystemMessageKeepsItEscapedOnOneLine) {
    const struct {
        const char* what;
        uint32_t code;
        std::string tail;  // empty: the system's own text
    } cases[] = {
        {"access denied", ERROR_ACCESS_DENIED, ""},
        {"file not found", ERROR_FILE_NOT_FOUND, ""},
        {"a sharing violation", ERROR_SHARING_VIOLATION, ""},
        {"a message with an insert", ERROR_MR_MID_NOT_FOUND, ""},
        {"a customer code the system has no text for", 0x20001234, "error 536875572"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        {
            auto writer = store.Create("m.txt");
            ASSERT_NE(nullptr, writer);
            writer->AppendWithMessage("表\t" + std::to_string(c.code), c.code);
        }
        const std::string bytes = FileBytes(PathOf("m.txt"));
        const std::string head = kMark + kTableUtf8 + "\t" + std::to_string(c.code) + "\t";
        ASSERT_EQ(bytes.compare(0, head.size(), head), 0) << bytes;
        ASSERT_GE(bytes.size(), head.size() + 2);
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
        const std::string tail = bytes.substr(head.size(), bytes.size() - head.size() - 2);
        if (c.tail.empty()) {
            const std::string expected = SystemText(c.code);
            ASSERT_FALSE(expected.empty());
            std::string text;
            EXPECT_TRUE(Unescaped(tail, text)) << tail;
            EXPECT_EQ(text, expected);
            EXPECT_EQ(tail.find('\t'), std::string::npos) << tail;
        } else {
            EXPECT_EQ(tail, c.tail);
        }
        ASSERT_TRUE(store.Delete("m.txt"));
    }
}

TEST_F(Win32RecordStoreTest, NamesAreTheRecordsInOrder) {
    EXPECT_TRUE(store.Names().empty()) << "no folder yet";
    // In byte order, whatever order the system lists them in.
    for (const char* name :
         {"b.txt", "20261209-153000-123.txt", "_.txt", "20251231-235959-999.txt", "A.txt", "20261209-153000-122.txt"}) {
        ASSERT_NE(nullptr, store.Create(name)) << name;
    }
    ASSERT_TRUE(TempFolder::MakeFile(Folder() + L"\\notes.log"));
    ASSERT_TRUE(TempFolder::MakeFile(Folder() + L"\\old.txt1"));
    ASSERT_TRUE(TempFolder::MakeFile(Folder() + L"\\\u8868.txt"));
    ASSERT_TRUE(TempFolder::MakeFile(Folder() + L"\\caf\u00E9.txt"));
    ASSERT_TRUE(TempFolder::MakeFolder(Folder() + L"\\folder.txt"));
    EXPECT_EQ(store.Names(), (std::vector<std::string>{"20251231-235959-999.txt", "20261209-153000-122.txt",
                                                       "20261209-153000-123.txt", "A.txt", "_.txt", "b.txt"}));
}

TEST_F(Win32RecordStoreTest, OnlyRecordNamesAreTaken) {
    const char* refused[] = {"",        ".",        "..",     "..\\escaped.txt", "a\\b.txt", "a/b.txt",
                             "a:b.txt", "a*.txt",   "表.txt", "x\x7F.txt",       "CON.txt",  "trailing.txt.",
                             "a..txt",  "tab\t.txt"};
    ASSERT_TRUE(MakeRecord("kept.txt", kMark + "kept\r\n"));
    for (const char* name : refused) {
        SCOPED_TRACE(name);
        EXPECT_EQ(nullptr, store.Create(name));
        EXPECT_EQ(nullptr, store.Read(name, false));
        EXPECT_FALSE(store.AppendLine(name, "x"));
        EXPECT_FALSE(store.Delete(name));
        // The empty name stands for the folder.
        if (*name != '\0') {
            EXPECT_FALSE(store.Show(name));
        }
    }
    EXPECT_EQ(TempFolder::Attributes(temp / std::wstring(L"Kelvo\\escaped.txt")), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(store.Names(), std::vector<std::string>{"kept.txt"});

    EXPECT_EQ(nullptr, store.Create("kept.txt")) << "a taken name";
    EXPECT_EQ(FileBytes(PathOf("kept.txt")), kMark + "kept\r\n");
    EXPECT_FALSE(store.Show("missing.txt"));
}

TEST_F(Win32RecordStoreTest, AnAddedLineStandsOnItsOwn) {
    const std::string added = kTableUtf8 + "\tundone\r\n";
    const struct {
        const char* what;
        std::string before;
        std::string after;
    } cases[] = {
        {"after a line break", kMark + "a\r\n", kMark + "a\r\n" + added},
        {"after a line feed", kMark + "a\n", kMark + "a\n" + added},
        {"after a last line without a break", kMark + "a", kMark + "a\r\n" + added},
        {"after the mark alone", kMark, kMark + added},
        {"in an empty file", "", kMark + added},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(MakeRecord("r.txt", c.before));
        EXPECT_TRUE(store.AppendLine("r.txt", "表\tundone"));
        EXPECT_EQ(FileBytes(PathOf("r.txt")), c.after);
        ASSERT_TRUE(store.Delete("r.txt"));
    }
    EXPECT_FALSE(store.AppendLine("missing.txt", "x"));
    EXPECT_EQ(TempFolder::Attributes(PathOf("missing.txt")), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Win32RecordStoreTest, DeleteRemovesTheRecord) {
    ASSERT_NE(nullptr, store.Create("gone.txt"));
    ASSERT_NE(nullptr, store.Create("stays.txt"));
    EXPECT_TRUE(store.Delete("gone.txt"));
    EXPECT_EQ(TempFolder::Attributes(PathOf("gone.txt")), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(store.Names(), std::vector<std::string>{"stays.txt"});
    EXPECT_FALSE(store.Delete("gone.txt"));
    EXPECT_EQ(nullptr, store.Read("gone.txt", true));
}

TEST(RecordTextTest, UtfEightFieldsAreEscapedLikeEveryTextField) {
    const struct {
        std::string text;
        std::string escaped;
    } cases[] = {
        {"plain", "plain"},
        {"100%", "100%25"},
        {"a\tb", "a%09b"},
        {"line\r\nnext", "line%0D%0Anext"},
        {std::string("nul\0x", 5), "nul%00x"},
        {"del\x7F", "del%7F"},
        {kTableUtf8 + "%" + kSoUtf8, kTableUtf8 + "%25" + kSoUtf8},
        {"\xC3\xA9", "\xC3\xA9"},
    };
    for (const auto& c : cases) EXPECT_EQ(EscapeUtf8Field(c.text), c.escaped) << c.text;
}

// Two stores on one folder, as two instances of the program have: a
// record being written is neither read nor deleted nor added to by the
// other; one being read can't be deleted, but can still be marked.
TEST_F(Win32RecordStoreTest, HoldsAreSeenByAnotherStoreOnTheSameFolder) {
    Win32RecordStore other{Folder()};
    auto writer = store.Create("00000001-20261209-153000-123.txt");
    ASSERT_NE(nullptr, writer);
    writer->Append("Kelvo change record\t1\trun");
    ASSERT_TRUE(writer->Flush());
    for (RecordStore* either : {static_cast<RecordStore*>(&store), static_cast<RecordStore*>(&other)}) {
        for (bool fromTheEnd : {false, true}) {
            RecordAccess access = RecordAccess::Opened;
            EXPECT_EQ(nullptr, either->Read("00000001-20261209-153000-123.txt", fromTheEnd, &access));
            EXPECT_EQ(access, RecordAccess::InUse);
        }
        EXPECT_FALSE(either->Delete("00000001-20261209-153000-123.txt"));
        EXPECT_FALSE(either->AppendLine("00000001-20261209-153000-123.txt", "undone\tx.txt"));
    }
    EXPECT_EQ(other.Names(), std::vector<std::string>{"00000001-20261209-153000-123.txt"}) << "still listed";
    writer.reset();

    RecordAccess access = RecordAccess::Failed;
    auto reader = other.Read("00000001-20261209-153000-123.txt", true, &access);
    ASSERT_NE(nullptr, reader);
    EXPECT_EQ(access, RecordAccess::Opened);
    auto second = store.Read("00000001-20261209-153000-123.txt", false);
    EXPECT_NE(nullptr, second) << "readers share";
    second.reset();
    EXPECT_FALSE(store.Delete("00000001-20261209-153000-123.txt"));
    EXPECT_FALSE(other.Delete("00000001-20261209-153000-123.txt"));
    EXPECT_TRUE(store.AppendLine("00000001-20261209-153000-123.txt", "undone\tx.txt"));
    std::string line;
    bool exact = false;
    ASSERT_TRUE(reader->Next(line, exact));
    EXPECT_EQ(line, "Kelvo change record\t1\trun") << "the end as it was when opened";
    reader.reset();
    EXPECT_TRUE(store.Delete("00000001-20261209-153000-123.txt"));

    access = RecordAccess::Opened;
    EXPECT_EQ(nullptr, other.Read("00000001-20261209-153000-123.txt", false, &access));
    EXPECT_EQ(access, RecordAccess::Missing);
}

// Numbered names on disk: a second store on the folder takes the number
// after the one a writer of the first still holds, and old names come first.
TEST_F(Win32RecordStoreTest, RecordsAreNumberedAcrossStoresAndOrderedByNumber) {
    Win32RecordStore other{Folder()};
    ASSERT_TRUE(MakeRecord("20991231-235959-999.txt", kMark));
    std::string first;
    auto held = CreateNumberedRecord(store, "20261209-153000-123", first);
    ASSERT_NE(nullptr, held);
    EXPECT_EQ(first, "00000001-20261209-153000-123.txt");
    std::string second;
    EXPECT_NE(nullptr, CreateNumberedRecord(other, "20261209-153000-123", second));
    EXPECT_EQ(second, "00000002-20261209-153000-123.txt");
    held.reset();
    std::string third;
    // The clock set back: the number still goes on.
    EXPECT_NE(nullptr, CreateNumberedRecord(store, "20200101-000000-000", third));
    EXPECT_EQ(third, "00000003-20200101-000000-000.txt");
    EXPECT_EQ(RecordsOldestFirst(other),
              (std::vector<std::string>{"20991231-235959-999.txt", "00000001-20261209-153000-123.txt",
                                        "00000002-20261209-153000-123.txt", "00000003-20200101-000000-000.txt"}));
}

TEST(Win32RecordStoreFolderTest, TheRecordsLiveInTheUsersLocalApplicationData) {
    wchar_t localAppData[MAX_PATH + 1] = {};
    const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", localAppData, MAX_PATH + 1);
    ASSERT_GT(length, 0u);
    ASSERT_LE(length, static_cast<DWORD>(MAX_PATH));
    EXPECT_EQ(Win32RecordStore().Folder(), std::wstring(localAppData) + L"\\Kelvo\\records");
}

}  // namespace
}  // namespace kelvo
