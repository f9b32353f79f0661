// The change records of the real program under Wine: a run over a small
// tree, then its undo through the system menu's command 0x0020 and its
// question, and every name, attribute and modification time is back; the
// run's record names the file it could not change with its code; a preview
// through 0x0040 changes nothing and names the renames the run then makes.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/E2eFiles.h"
#include "tests/e2e/KelvoProcess.h"

namespace kelvo::e2e {
namespace {

constexpr DWORD kRunTimeoutMs = 60000;

struct Look {
    DWORD attributes = 0;
    FILETIME modification = {};
    bool operator==(const Look& other) const {
        return attributes == other.attributes && CompareFileTime(&modification, &other.modification) == 0;
    }
};

// Every file below `folder` by its path (in the letters it has) with its
// attributes and modification time; folders by their attributes alone.
void LookBelow(const std::wstring& folder, std::map<std::wstring, Look>& looks) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = folder + L"\\" + name;
        Look look{data.dwFileAttributes, data.ftLastWriteTime};
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            look.modification = FILETIME{};  // listing a folder moves its times under Wine
            LookBelow(path, looks);
        }
        looks[path] = look;
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

std::map<std::wstring, Look> LookAt(const std::string& folder) {
    std::map<std::wstring, Look> looks;
    LookBelow(Wide(folder), looks);
    return looks;
}

std::wstring RecordsFolder() {
    wchar_t* local = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &local))) folder = local;
    CoTaskMemFree(local);
    return folder + L"\\Kelvo\\records";
}

std::vector<std::wstring> RecordNames() {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((RecordsFolder() + L"\\*.txt").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do names.push_back(data.cFileName);
    while (FindNextFileW(find, &data));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

// A record's lines, UTF-8 as the file holds them, after its byte-order mark.
std::vector<std::string> RecordLines(const std::wstring& name) {
    std::string text;
    HANDLE file = CreateFileW((RecordsFolder() + L"\\" + name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        char chunk[4096];
        DWORD got = 0;
        while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) text.append(chunk, got);
        CloseHandle(file);
    }
    std::vector<std::string> lines;
    if (text.compare(0, 3, "\xEF\xBB\xBF") != 0) return lines;
    std::istringstream in(text.substr(3));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string RunAndWait(KelvoProcess& kelvo, const std::function<void()>& start) {
    const std::string before = kelvo.Text(1010);
    start();
    EXPECT_TRUE(kelvo.WaitForRunEnd(before, kRunTimeoutMs)) << kelvo.Text(1010);
    return kelvo.Text(1010);
}

// The job: hidden, the title head "x", and the modification time the
// panel shows (the time it started with).
void SetJob(KelvoProcess& kelvo) {
    kelvo.Click(1001);
    kelvo.Click(1001);
    kelvo.Click(1077);
    kelvo.SetText(1073, "x");
    kelvo.Click(1034);
}

void MakeTree(const std::string& target) {
    for (const char* name : {"a.txt", "b.txt", "held.txt"}) MakeFile(target + "\\" + name);
    MakeFolder(target.substr(target.rfind('\\') + 1) + "\\sub");
    MakeFile(target + "\\sub\\c.txt");
    // Times with a fraction of a second, which the undo must give back to the 100 ns.
    const FILETIME old{0xD53E8123u, 0x01C0A0C3u};
    for (const char* name : {"a.txt", "b.txt", "sub\\c.txt"}) {
        HANDLE file = CreateFileW(Wide(target + "\\" + name).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        SetFileTime(file, nullptr, nullptr, &old);
        CloseHandle(file);
    }
}

TEST(RecordsE2eTest, RunThenUndoLeavesTheTreeAsItWasAndTheRecordNamesWhatWasLeft) {
    const std::string target = MakeFolder("records-undo");
    MakeTree(target);
    const std::map<std::wstring, Look> before = LookAt(target);
    KelvoProcess kelvo(target);
    ASSERT_NE(kelvo.Window(), nullptr);
    SetJob(kelvo);
    HANDLE held = CreateFileW(Wide(target + "\\held.txt").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::string ran = RunAndWait(kelvo, [&] { kelvo.Click(1); });
    CloseHandle(held);
    EXPECT_EQ(ran, "\"" + target + "\"\nディレクトリ内の全ての処理が終了しました。\n変更できなかった項目: 1件");
    ASSERT_NE(LookAt(target), before);

    // The run's record, the newest: the held file with its code, the
    // sharing violation, and the system's own words for it.
    const std::vector<std::wstring> names = RecordNames();
    ASSERT_FALSE(names.empty());
    const std::vector<std::string> record = RecordLines(names.back());
    ASSERT_FALSE(record.empty());
    EXPECT_EQ(record.front(), "Kelvo change record\t1\trun");
    const std::string left = "left\t" + target + "\\held.txt\t32\t";
    auto line = std::find_if(record.begin(), record.end(),
                             [&left](const std::string& l) { return l.compare(0, left.size(), left) == 0; });
    ASSERT_NE(line, record.end());
    EXPECT_GT(line->size(), left.size());
    // Three files at the least (Wine may let the held file be renamed), one left.
    const std::string& end = record.back();
    ASSERT_EQ(end.compare(0, 13, "end\tfinished\t"), 0) << end;
    ASSERT_EQ(end.compare(end.size() - 2, 2, "\t1"), 0) << end;
    const std::string changed = end.substr(13, end.size() - 15);
    EXPECT_TRUE(changed == "3" || changed == "4") << end;

    // The undo: the question, Yes, and the undo runs as a run does.
    const std::string undone = RunAndWait(kelvo, [&] {
        kelvo.Post(WM_SYSCOMMAND, 0x0020, 0);
        HWND box = WaitForOwnedDialog("確認", kelvo.Window(), 30000);
        ASSERT_NE(box, nullptr);
        const std::string start = "\"" + target + "\" への一括変更 (";
        const std::string tail = "、" + changed + "項目) を元に戻しますか?";
        bool asked = false;
        for (const std::string& text : ChildTexts(box)) {
            asked = asked || (text.compare(0, start.size(), start) == 0 && text.size() > tail.size() &&
                              text.compare(text.size() - tail.size(), tail.size(), tail) == 0);
        }
        EXPECT_TRUE(asked);
        PostMessageW(box, WM_COMMAND, IDYES, 0);
    });
    EXPECT_EQ(undone, "\"" + target + "\"\n直前の一括変更を元に戻しました。");
    EXPECT_TRUE(LookAt(target) == before);
    EXPECT_EQ(RecordLines(RecordNames().back()).front(), "Kelvo change record\t1\tundo");
    EXPECT_TRUE(kelvo.CloseWith(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 20000));
}

// Every item below `folder` with its attributes and times as its open item
// gives them: files with all three, folders without their access time,
// which a listing moves under Wine.
struct FullLook {
    DWORD attributes = 0;
    ULONGLONG creation = 0, access = 0, modification = 0;
    bool operator==(const FullLook& o) const {
        return attributes == o.attributes && creation == o.creation && access == o.access &&
               modification == o.modification;
    }
};

ULONGLONG Ticks(const FILETIME& time) { return (ULONGLONG(time.dwHighDateTime) << 32) | time.dwLowDateTime; }

void FullLookBelow(const std::wstring& folder, std::map<std::wstring, FullLook>& looks) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    std::vector<std::wstring> folders;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = folder + L"\\" + name;
        FullLook look{data.dwFileAttributes, Ticks(data.ftCreationTime), Ticks(data.ftLastAccessTime),
                      Ticks(data.ftLastWriteTime)};
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            look.access = 0;
            folders.push_back(path);
        }
        looks[path] = look;
    } while (FindNextFileW(find, &data));
    FindClose(find);
    for (const std::wstring& path : folders) FullLookBelow(path, looks);
}

// The target itself too, whose time the renames in it move.
std::map<std::wstring, FullLook> FullLookAt(const std::string& parent, const std::string& name) {
    std::map<std::wstring, FullLook> looks;
    FullLookBelow(Wide(parent), looks);
    for (auto it = looks.begin(); it != looks.end();) {
        const std::wstring head = Wide(parent + "\\" + name);
        it = it->first.compare(0, head.size(), head) == 0 ? std::next(it) : looks.erase(it);
    }
    return looks;
}

TEST(RecordsE2eTest, UndoGivesFilesAndFoldersBackTheirStateAndTimesAfterRenamesInThem) {
    const std::string target = MakeFolder("records-folders");
    MakeTree(target);
    const std::string parent = target.substr(0, target.rfind('\\'));
    // The folders' times years back, so that any time the run moves shows.
    const FILETIME old{0xD53E8123u, 0x01C0A0C3u};
    for (const std::string& folder : {target, target + "\\sub"}) {
        HANDLE handle = CreateFileW(Wide(folder).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        ASSERT_NE(handle, INVALID_HANDLE_VALUE);
        SetFileTime(handle, &old, nullptr, &old);
        CloseHandle(handle);
    }
    const std::map<std::wstring, FullLook> before = FullLookAt(parent, "records-folders");
    KelvoProcess kelvo(target);
    ASSERT_NE(kelvo.Window(), nullptr);
    SetJob(kelvo);
    kelvo.Click(1069);  // folders too
    const std::string ran = RunAndWait(kelvo, [&] { kelvo.Click(1); });
    EXPECT_EQ(ran, "\"" + target + "\"\nディレクトリ内の全ての処理が終了しました。");
    const std::map<std::wstring, FullLook> afterRun = FullLookAt(parent, "records-folders");
    ASSERT_NE(afterRun, before);
    EXPECT_NE(afterRun.at(Wide(target + "\\sub")).modification, before.at(Wide(target + "\\sub")).modification);

    const std::string undone = RunAndWait(kelvo, [&] {
        kelvo.Post(WM_SYSCOMMAND, 0x0020, 0);
        HWND box = WaitForOwnedDialog("確認", kelvo.Window(), 30000);
        ASSERT_NE(box, nullptr);
        PostMessageW(box, WM_COMMAND, IDYES, 0);
    });
    EXPECT_EQ(undone, "\"" + target + "\"\n直前の一括変更を元に戻しました。");
    const std::map<std::wstring, FullLook> afterUndo = FullLookAt(parent, "records-folders");
    for (const auto& [path, look] : before) {
        auto now = afterUndo.find(path);
        ASSERT_NE(now, afterUndo.end()) << std::string(path.begin(), path.end());
        EXPECT_TRUE(now->second == look) << std::string(path.begin(), path.end()) << ": " << std::hex << now->second.attributes << " "
                                         << now->second.creation << " " << now->second.modification;
    }
    EXPECT_EQ(afterUndo.size(), before.size());
    // Nothing is left to undo: the command does nothing.
    kelvo.Post(WM_SYSCOMMAND, 0x0020, 0);
    EXPECT_EQ(WaitForOwnedDialog("確認", kelvo.Window(), 3000), nullptr);
    EXPECT_TRUE(kelvo.CloseWith(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 20000));
}

// The new names of a record's changed lines, in order.
std::vector<std::string> RenamesIn(const std::vector<std::string>& record) {
    std::vector<std::string> renames;
    for (const std::string& line : record) {
        if (line.compare(0, 13, "changed\tfile\t") != 0) continue;
        const size_t before = 13, after = line.find('\t', before) + 1;
        renames.push_back(line.substr(before, line.find('\t', after) - before));
    }
    return renames;
}

// Closes the program the shell opened a record with, as a user would.
void CloseRecordViewer() {
    HWND viewer = nullptr;
    WaitFor([&viewer] { return (viewer = FindWindowW(L"Notepad", nullptr)) != nullptr; }, 10000);
    if (viewer != nullptr) PostMessageW(viewer, WM_CLOSE, 0, 0);
}

TEST(RecordsE2eTest, PreviewChangesNothingAndNamesTheRenamesTheRunThenMakes) {
    const std::string target = MakeFolder("records-preview");
    MakeTree(target);
    const std::map<std::wstring, Look> before = LookAt(target);
    KelvoProcess kelvo(target);
    ASSERT_NE(kelvo.Window(), nullptr);
    SetJob(kelvo);
    const std::string previewed = RunAndWait(kelvo, [&] { kelvo.Post(WM_SYSCOMMAND, 0x0040, 0); });
    CloseRecordViewer();
    EXPECT_EQ(previewed, "\"" + target + "\"\n変更内容の確認が終わりました。(4項目を変更します)");
    EXPECT_TRUE(LookAt(target) == before);
    const std::vector<std::string> preview = RecordLines(RecordNames().back());
    ASSERT_FALSE(preview.empty());
    EXPECT_EQ(preview.front(), "Kelvo change record\t1\tpreview");

    const std::string ran = RunAndWait(kelvo, [&] { kelvo.Click(1); });
    EXPECT_EQ(ran, "\"" + target + "\"\nディレクトリ内の全ての処理が終了しました。");
    const std::vector<std::string> run = RecordLines(RecordNames().back());
    EXPECT_EQ(RenamesIn(preview), RenamesIn(run));
    EXPECT_EQ(RenamesIn(run).size(), 4u);
    EXPECT_TRUE(kelvo.CloseWith(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 20000));
}

}  // namespace
}  // namespace kelvo::e2e
