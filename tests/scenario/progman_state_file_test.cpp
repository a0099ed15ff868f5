// The file the stand-in Program Manager of the Wine scenarios is seeded with and reports through:
// what one side writes, the other reads back unchanged, whatever the names hold.
#include <gtest/gtest.h>

#include "wine/progman_state_file.h"

namespace {

TEST(ProgmanStateFile, GroupsItemsAndCommandsComeBackUnchanged) {
    ProgmanState state;
    state.groups = {{"Main", {"File Manager", "Control Panel"}},
                    {"Orvanta", {}},
                    {"Orvanta Sentrel (1), \"old\" [copy]", {"Send Page", " Send SNMP "}}};
    state.received = {{1, "[ShowGroup(Orvanta Sentrel, 2)]"}, {12, "[DeleteItem(Send Page)]"}};

    ProgmanState read;
    ASSERT_TRUE(ParseProgmanState(FormatProgmanState(state), &read));
    ASSERT_EQ(read.groups.size(), 3u);
    for (size_t i = 0; i < read.groups.size(); ++i) {
        EXPECT_EQ(read.groups[i].name, state.groups[i].name);
        EXPECT_EQ(read.groups[i].items, state.groups[i].items);
    }
    EXPECT_EQ(read.received, state.received);
}

// Windows line ends, as a Windows program may write them, read alike.
TEST(ProgmanStateFile, WindowsLineEndsAreRead) {
    ProgmanState read;
    ASSERT_TRUE(
        ParseProgmanState("group\tMain\r\nitem\tFile Manager\r\ncommand\t3\t[X]\r\n", &read));
    ASSERT_EQ(read.groups.size(), 1u);
    EXPECT_EQ(read.groups[0].items, std::vector<std::string>{"File Manager"});
    EXPECT_EQ(read.received, (std::vector<ProgmanExecute>{{3, "[X]"}}));
}

TEST(ProgmanStateFile, MalformedLinesAreRefused) {
    ProgmanState read;
    EXPECT_FALSE(ParseProgmanState("item\tFile Manager\n", &read));
    EXPECT_FALSE(ParseProgmanState("group Main\n", &read));
    EXPECT_FALSE(ParseProgmanState("window\tMain\n", &read));
    EXPECT_FALSE(ParseProgmanState("command\t[DeleteGroup(Main)]\n", &read));
    EXPECT_TRUE(ParseProgmanState("", &read));
    EXPECT_TRUE(read.groups.empty());
}

}  // namespace
