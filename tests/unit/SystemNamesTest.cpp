// Names the system's path parsing reads as another item.
#include <gtest/gtest.h>

#include "platform/SystemNames.h"

namespace kelvo {
namespace {

TEST(SystemNames, TellTheNamesNoPathReaches) {
    struct Case {
        const char* name;
        bool dotOrSpace;
        bool device;
    } cases[] = {
        {"a.", true, false},
        {"a ", true, false},
        {"a.txt.", true, false},
        {"a. ", true, false},
        {"...", true, false},
        {"a.txt", false, false},
        {".profile", false, false},
        {" a", false, false},
        {"CON", false, true},
        {"con", false, true},
        {"Con.txt", false, true},
        {"CON.tar.gz", false, true},
        {"CON .txt", false, true},
        {"CON  ", true, true},
        {"PRN", false, true},
        {"AUX.c", false, true},
        {"nul", false, true},
        {"CONIN$", false, true},
        {"conout$.log", false, true},
        {"COM0", false, true},
        {"COM1", false, true},
        {"com9.txt", false, true},
        {"LPT0", false, true},
        {"lpt5.doc", false, true},
        {"LPT9", false, true},
        {"COM10", false, false},
        {"COM", false, false},
        {"LPT", false, false},
        {"COMA", false, false},
        {"CONSOLE", false, false},
        {"xCON", false, false},
        {"NULL.txt", false, false},
        {"CON_1.txt", false, false},
        {" CON", false, false},
        {"CONIN", false, false},
        // Full-width letters are other characters: "ＣＯＮ" in code page 932.
        {"\x82\x62\x82\x6E\x82\x6D", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(EndsInDotOrSpace(c.name), c.dotOrSpace);
        EXPECT_EQ(IsDeviceName(c.name), c.device);
        EXPECT_EQ(NameReadsAsAnother(c.name), c.dotOrSpace || c.device);
    }
}

}  // namespace
}  // namespace kelvo
