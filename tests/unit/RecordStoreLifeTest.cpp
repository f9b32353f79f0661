// The life of the change records as the store, the names, the pruning and
// the choice of the record to undo see it, one row per way a record could
// be lost or the wrong one taken: a run still found after 19 other records
// and the undo's own, records across a clock set back, records named the
// old way, two instances claiming one number, a record another instance
// still writes, a record held by a reader, a write refused, and a run cut
// short that is never counted through on the caller's thread.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <memory>
#include <string>
#include <vector>

#include "platform/memory/MemoryClock.h"
#include "platform/memory/MemoryRecordStore.h"
#include "run/RecordNames.h"
#include "run/RunRecord.h"
#include "run/UndoableRecord.h"

namespace kelvo {
namespace {

// 2026-12-09 15:00:00 UTC; the test clock's zone is UTC.
constexpr int64_t kNoon = 1796828400;

const char* const kChangedLine =
    "changed\tfile\tC:\\T\\a.txt\tC:\\T\\a.txt\t0x00000020\t0x00000022\t"
    "2001-02-03T04:05:06.1234560Z\t2001-02-03T04:05:06.1234560Z\t"
    "2001-02-03T04:05:06.1234570Z\t2001-02-03T04:05:06.1234570Z\t"
    "2001-02-03T04:05:06.1234567Z\t2001-02-03T04:05:06.1234567Z";

// A changed or changing line for the file `name` of C:\T.
std::string ItemLine(const std::string& kind, const std::string& name) {
    std::string line = kChangedLine;
    line.replace(0, 7, kind);
    for (size_t at; (at = line.find("a.txt")) != std::string::npos;) line.replace(at, 5, name);
    return line;
}

std::vector<std::string> Header(const char* kind) {
    return {std::string("Kelvo change record\t1\t") + kind, "target\tC:\\T\tC:\\T", "mode\tfolder",
            "start\t2026-12-09T15:00:00.0000000Z", "attributes\tleave\tset\tleave\tleave\tfiles only"};
}

// A store between the program and the memory store where, at the first
// numbered record made, another instance makes one of the same number
// with another start, just after it: so both files stand when this
// instance looks again.
class RacingStore : public MemoryRecordStore {
public:
    explicit RacingStore(std::string othersStamp) : othersStamp_(std::move(othersStamp)) {}
    std::unique_ptr<RecordWriter> Create(const std::string& name) override {
        std::unique_ptr<RecordWriter> mine = MemoryRecordStore::Create(name);
        if (mine != nullptr && others_ == nullptr && RecordSequence(name) != 0) {
            othersName_ = NumberedRecordName(RecordSequence(name), othersStamp_);
            others_ = MemoryRecordStore::Create(othersName_);
        }
        return mine;
    }
    std::string othersName_;
    std::unique_ptr<RecordWriter> others_;

private:
    const std::string othersStamp_;
};

struct Life {
    MemoryRecordStore records;
    MemoryClock clock{kNoon};

    // A record begun as every run begins one, with these lines, ended
    // (its writer gone) when `keep` is null.
    std::string Make(const char* kind, const std::vector<std::string>& body,
                     std::unique_ptr<RunRecord>* keep = nullptr) {
        std::unique_ptr<RunRecord> record = RunRecord::Begin(records, clock);
        EXPECT_NE(record, nullptr);
        if (record == nullptr) return std::string();
        for (const std::string& line : Header(kind)) record->Write(line);
        for (const std::string& line : body) record->Write(line);
        record->Flush();
        const std::string name = record->Name();
        clock.SetNow(clock.Now() + 1);
        if (keep != nullptr) *keep = std::move(record);
        return name;
    }
    std::string ChangedRun() { return Make("run", {kChangedLine, "end\tfinished\t1\t0"}); }
    UndoableFound Find(UndoableRecord& found) { return FindUndoableRecord(records, found); }
};

struct LifeCase {
    const char* shows;
    std::function<void(Life&)> steps;
};

void PrintTo(const LifeCase& row, std::ostream* out) { *out << row.shows; }

class RecordStoreLife : public ::testing::TestWithParam<LifeCase> {};

TEST_P(RecordStoreLife, RecordsAreKeptFoundAndOrdered) { GetParam().steps(*std::make_unique<Life>()); }

const LifeCase kLifeCases[] = {
    {"the run an undo takes back outlives 19 other records and the undo's own",
     [](Life& life) {
         const std::string run = life.ChangedRun();
         for (int i = 0; i < 19; ++i) {
             if (i % 3 == 0) life.Make("preview", {"note\tx", "end\tfinished\t0\t0"});
             if (i % 3 == 1) life.Make("run", {"end\tfinished\t0\t0"});
             if (i % 3 == 2) life.Make("undo", {"undoes\tx.txt", kChangedLine, "end\tfinished\t1\t0"});
         }
         UndoableRecord found;
         ASSERT_EQ(life.Find(found), UndoableFound::Found);
         EXPECT_EQ(found.name, run);
         EXPECT_EQ(found.changedCount, 1);
         // The undo begins its own record, the 21st, while it reads the run's.
         std::unique_ptr<RunRecord> undo;
         life.Make("undo", {"undoes\t" + run}, &undo);
         EXPECT_EQ(life.records.TextsOf(run).back(), "end\tfinished\t1\t0");
         undo.reset();
         EXPECT_EQ(life.Find(found), UndoableFound::Found);
         EXPECT_EQ(found.name, run);
         // Others go beyond twenty of them; the run stays.
         for (int i = 0; i < 30; ++i) life.Make("preview", {"end\tfinished\t0\t0"});
         EXPECT_EQ(life.records.Names().size(), 21u);
         EXPECT_EQ(life.Find(found), UndoableFound::Found);
         EXPECT_EQ(found.name, run);
     }},
    {"records made across a clock set back are taken newest first",
     [](Life& life) {
         const std::string first = life.ChangedRun();
         life.clock.SetNow(kNoon - 3600);  // back an hour, as at the end of summer time
         const std::string second = life.ChangedRun();
         UndoableRecord found;
         ASSERT_EQ(life.Find(found), UndoableFound::Found);
         EXPECT_EQ(found.name, second);
         ASSERT_TRUE(life.records.AppendLine(second, "undone\tx.txt"));
         ASSERT_EQ(life.Find(found), UndoableFound::Found);
         EXPECT_EQ(found.name, first);
         EXPECT_EQ(RecordsOldestFirst(life.records), (std::vector<std::string>{first, second}));
     }},
    {"records named by their start alone are older than any numbered one",
     [](Life& life) {
         MemoryRecordStore::Lines old;
         for (const std::string& line : Header("run")) old.push_back({line, true});
         old.push_back({kChangedLine, true});
         old.push_back({"end\tfinished\t1\t0", true});
         life.records.Put("20991231-235959-999.txt", old);
         life.clock.SetNow(kNoon - 86400 * 365);
         const std::string numbered = life.ChangedRun();
         EXPECT_EQ(numbered, "00000001-20251209-150000-000.txt");
         UndoableRecord found;
         ASSERT_EQ(life.Find(found), UndoableFound::Found);
         EXPECT_EQ(found.name, numbered);
         ASSERT_TRUE(life.records.AppendLine(numbered, "undone\tx.txt"));
         ASSERT_EQ(life.Find(found), UndoableFound::Found);
         EXPECT_EQ(found.name, "20991231-235959-999.txt");
     }},
    {"a record another instance still writes is in use, never taken as cut short",
     [](Life& life) {
         life.ChangedRun();
         std::unique_ptr<RunRecord> writing;
         const std::string other = life.Make("run", {kChangedLine}, &writing);
         UndoableRecord found;
         EXPECT_EQ(life.Find(found), UndoableFound::InUse);
         EXPECT_EQ(found.name, other);
         RecordAccess access = RecordAccess::Opened;
         EXPECT_EQ(life.records.Read(other, true, &access), nullptr);
         EXPECT_EQ(access, RecordAccess::InUse);
         EXPECT_FALSE(life.records.Delete(other));
         writing.reset();
         EXPECT_EQ(life.Find(found), UndoableFound::Found);
         EXPECT_EQ(found.name, other);
     }},
    {"a record held by a reader is neither deleted nor pruned",
     [](Life& life) {
         const std::string oldest = life.Make("preview", {"end\tfinished\t0\t0"});
         std::unique_ptr<RecordReader> reader = life.records.Read(oldest, true);
         ASSERT_NE(reader, nullptr);
         EXPECT_FALSE(life.records.Delete(oldest));
         for (int i = 0; i < 25; ++i) life.Make("preview", {"end\tfinished\t0\t0"});
         EXPECT_EQ(RecordsOldestFirst(life.records).front(), oldest);
         reader.reset();
         life.Make("preview", {"end\tfinished\t0\t0"});
         EXPECT_NE(RecordsOldestFirst(life.records).front(), oldest);
         EXPECT_EQ(life.records.Names().size(), 20u);
     }},
    {"a writer whose write is refused says so and stays failed",
     [](Life& life) {
         life.records.RefuseWritesAfter(1);
         std::unique_ptr<RecordWriter> writer = life.records.Create("w.txt");
         ASSERT_NE(writer, nullptr);
         writer->Append("first");
         EXPECT_TRUE(writer->Flush());
         writer->Append("second");
         EXPECT_FALSE(writer->Flush());
         writer->Append("third");
         EXPECT_FALSE(writer->Flush());
         EXPECT_FALSE(writer->Flush()) << "nothing held";
         writer.reset();
         EXPECT_EQ(life.records.TextsOf("w.txt"), std::vector<std::string>{"first"});
     }},
    {"a run cut short is read at its edges only; its items are counted apart",
     [](Life& life) {
         std::vector<std::string> body;
         for (int i = 0; i < 50000; ++i) {
             const std::string name = "f" + std::to_string(i) + ".txt";
             body.push_back(ItemLine("changing", name));
             body.push_back(ItemLine("changed", name));
         }
         body.push_back(ItemLine("changing", "last.txt"));  // killed before its outcome
         const std::string run = life.Make("run", body);
         const size_t before = life.records.LinesRead();
         UndoableRecord found;
         ASSERT_EQ(life.Find(found), UndoableFound::Found);
         EXPECT_EQ(found.name, run);
         EXPECT_EQ(found.changedCount, -1);
         EXPECT_EQ(found.targetTyped, "C:\\T");
         EXPECT_LT(life.records.LinesRead() - before, 200u) << "of 100,006 lines";
         EXPECT_EQ(CountChangedItems(life.records, run), 50001);
     }},
};

INSTANTIATE_TEST_SUITE_P(Rows, RecordStoreLife, ::testing::ValuesIn(kLifeCases));

// Two instances claim one number at once: the files of both stand, so
// each sees the other's; at most one keeps the number, and the one that
// gives it up takes a later one. Whichever start is the earlier.
TEST(RecordStoreRace, TwoInstancesNeverKeepOneNumber) {
    for (const char* othersStamp : {"20200101-000000-000", "20991231-235959-999"}) {
        SCOPED_TRACE(othersStamp);
        RacingStore store(othersStamp);
        std::string name;
        std::unique_ptr<RecordWriter> mine = CreateNumberedRecord(store, "20261209-150000-000", name);
        ASSERT_NE(mine, nullptr);
        ASSERT_EQ(store.othersName_.substr(0, 9), "00000001-");
        EXPECT_GT(RecordSequence(name), 1u) << name;
        const std::vector<std::string> names = store.Names();
        EXPECT_EQ(names.size(), 2u) << "the given-up file is gone";
        EXPECT_EQ(RecordsOldestFirst(store), (std::vector<std::string>{store.othersName_, name}));
    }
    // With no one else, numbers go from 1; a name taken (the same start) moves on.
    MemoryRecordStore store;
    std::string name;
    EXPECT_NE(CreateNumberedRecord(store, "20261209-150000-000", name), nullptr);
    EXPECT_EQ(name, "00000001-20261209-150000-000.txt");
    std::string next;
    EXPECT_NE(CreateNumberedRecord(store, "20261209-150000-000", next), nullptr) << "the same start";
    EXPECT_EQ(next, "00000002-20261209-150000-000.txt");
}

}  // namespace
}  // namespace kelvo
