// Nothing a run isn't asked to change is lost: a run that changes only
// attributes leaves every file's three times (to the 100 ns tick) and its
// contents exactly as they were; a run that changes one kind of time leaves
// the other two times, to the tick, and the contents as they were.
#include <gtest/gtest.h>

#include <map>

#include "tests/unit/RunTestFixture.h"

namespace kelvo {
namespace {

struct Kept {
    FileTime creation, access, modification;
    std::string content;
    uint32_t attributes;
};

class LossCheckTest : public RunTest {
protected:
    // Files whose times carry a fraction of a second, read-only ones too.
    void SetUp() override {
        const FileTime base = kUnixEpochTicks + 1600000000ull * kTicksPerSecond;
        const char* const paths[] = {"C:\\T\\a.txt", "C:\\T\\sub\\表.dat", "C:\\T\\sub\\ro.bin",
                                     "C:\\T\\sub\\deep\\z"};
        FileTime offset = 1234567;  // 0.1234567 s
        for (const char* path : paths) {
            FaultyMemoryFileSystem::Node& node = files.AddFile(path, kAttrArchive, base + offset, std::string("data of ") + path);
            node.creation = base - 86400 * kTicksPerSecond + offset + 1;
            node.access = base + 3600 * kTicksPerSecond + offset + 2;
            offset += 7777777;
        }
        files.Find("C:\\T\\sub\\ro.bin")->attributes |= kAttrReadOnly;
        SetTarget("C:\\T");
        for (const auto& [path, node] : Nodes()) before[path] = KeptOf(*node);
    }

    std::map<std::string, FaultyMemoryFileSystem::Node*> Nodes() {
        std::map<std::string, FaultyMemoryFileSystem::Node*> nodes;
        for (const char* path : {"C:\\T\\a.txt", "C:\\T\\sub\\表.dat", "C:\\T\\sub\\ro.bin", "C:\\T\\sub\\deep\\z"}) {
            nodes[path] = files.Find(path);
        }
        return nodes;
    }
    static Kept KeptOf(const FaultyMemoryFileSystem::Node& node) {
        return Kept{node.creation, node.access, node.modification, node.content, node.attributes};
    }

    void EnableRow(int row) {
        Ask(kDateRows[row].box, kChecked);
        const char* const fields[kDateFieldCount] = {"2021", "3", "4", "5", "6", "7"};
        for (int i = 0; i < kDateFieldCount; ++i) window.SetText(kDateRows[row].edits[i], fields[i]);
    }

    std::map<std::string, Kept> before;
};

TEST_F(LossCheckTest, AttributeRunKeepsEveryTimeToTheTickAndEveryByte) {
    Ask(IDC_HIDDEN, kChecked);
    Ask(IDC_SYSTEM, kChecked);
    Ask(IDC_ARCHIVE, kUnchecked);
    ASSERT_EQ(Run(), RunEnd::Finished);
    EXPECT_TRUE(files.CallsOf("SetTimes").empty());
    for (const auto& [path, node] : Nodes()) {
        SCOPED_TRACE(path);
        ASSERT_NE(node, nullptr);
        const Kept& was = before[path];
        EXPECT_EQ(node->creation, was.creation);
        EXPECT_EQ(node->access, was.access);
        EXPECT_EQ(node->modification, was.modification);
        EXPECT_EQ(node->content, was.content);
        EXPECT_EQ(node->attributes, (was.attributes & kAttrReadOnly) | kAttrHidden | kAttrSystem);
    }
}

class LossCheckRowTest : public LossCheckTest, public ::testing::WithParamInterface<int> {};

TEST_P(LossCheckRowTest, OneKindOfTimeLeavesTheOtherTwoToTheTick) {
    const int row = GetParam();
    FileTime Kept::*const kinds[3] = {&Kept::creation, &Kept::modification, &Kept::access};
    EnableRow(row);
    ASSERT_EQ(Run(), RunEnd::Finished);
    for (const auto& [path, node] : Nodes()) {
        SCOPED_TRACE(path);
        ASSERT_NE(node, nullptr);
        const Kept now = KeptOf(*node);
        const Kept& was = before[path];
        for (int kind = 0; kind < 3; ++kind) {
            if (kind == row) {
                EXPECT_NE(now.*kinds[kind], was.*kinds[kind]);
            } else {
                EXPECT_EQ(now.*kinds[kind], was.*kinds[kind]) << "kind " << kind;
            }
        }
        EXPECT_EQ(now.content, was.content);
        EXPECT_EQ(now.attributes, was.attributes);
    }
}

std::string RowName(const ::testing::TestParamInfo<int>& info) {
    static const char* const names[3] = {"Creation", "Modification", "Access"};
    return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(Rows, LossCheckRowTest, ::testing::Values(0, 1, 2), RowName);

}  // namespace
}  // namespace kelvo
