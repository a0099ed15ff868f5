// The Program Manager operations through Wine's real DDE management library, against a stand-in
// Program Manager in a thread of this test; and process detection on Wine, whose performance
// data has no Process object.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "system/dde.h"
#include "system/process_detection.h"
#include "wine/dde_progman_server.h"

namespace {

using Execute = ProgmanServer::Execute;

TEST(ProgmanDde, DeleteItemShowsTheGroupThenDeletesInThreeConversations) {
    const ProgmanServer progman;
    EXPECT_TRUE(DdeDeleteItem("Send Page", "Tools Sentrel"));
    EXPECT_EQ(progman.Received(), (std::vector<Execute>{{1, "[ShowGroup(Tools Sentrel, 2)]"},
                                                        {2, "[ShowGroup(Tools Sentrel, 1)]"},
                                                        {3, "[DeleteItem(Send Page)]"}}));
}

TEST(ProgmanDde, DeleteGroupSendsOneCommand) {
    const ProgmanServer progman;
    EXPECT_TRUE(DdeDeleteGroup("Tools Sentrel"));
    EXPECT_TRUE(DdeSendProgmanCommand("[ShowGroup(Main, 1)]"));
    EXPECT_EQ(progman.Received(), (std::vector<Execute>{{1, "[DeleteGroup(Tools Sentrel)]"},
                                                        {2, "[ShowGroup(Main, 1)]"}}));
}

TEST(ProgmanDde, EmptyGroupNameIsStillSent) {
    const ProgmanServer progman;
    EXPECT_TRUE(DdeDeleteItem("Send Page", ""));
    EXPECT_EQ(progman.Received(), (std::vector<Execute>{{1, "[ShowGroup(, 2)]"},
                                                        {2, "[ShowGroup(, 1)]"},
                                                        {3, "[DeleteItem(Send Page)]"}}));
}

TEST(ProgmanDde, MissingOrOverlongNamesSendNothing) {
    const ProgmanServer progman;
    EXPECT_FALSE(DdeDeleteGroup(""));
    EXPECT_FALSE(DdeDeleteGroup(std::string(241, 'g').c_str()));
    EXPECT_FALSE(DdeDeleteItem("", "Tools Sentrel"));
    EXPECT_FALSE(DdeDeleteItem("Send Page", std::string(240, 'g').c_str()));
    EXPECT_FALSE(DdeDeleteItem(std::string(242, 'i').c_str(), "Tools Sentrel"));
    EXPECT_TRUE(progman.Received().empty());
    // The longest names that fit fill their command to 255 characters.
    EXPECT_TRUE(DdeDeleteGroup(std::string(240, 'g').c_str()));
    ASSERT_EQ(progman.Received().size(), 1u);
    EXPECT_EQ(progman.Received()[0].text, "[DeleteGroup(" + std::string(240, 'g') + ")]");
}

// The stand-in of the Wine scenarios: the group commands the library sends through the real
// DDE management library change the groups it was given, as they change the simulated machine's.
TEST(ProgmanDde, SeededGroupsLoseWhatTheCommandsDelete) {
    const ProgmanServer progman({{"Main", {"File Manager"}},
                                 {"Orvanta Pathlyn", {"On-Line Help", "Pathlyn Readme File"}},
                                 {"Orvanta Examora", {}}});
    EXPECT_TRUE(DdeDeleteItem("on-line help", "Orvanta Pathlyn"));
    EXPECT_TRUE(DdeDeleteItem("Send Page", "Orvanta Pathlyn"));
    EXPECT_TRUE(DdeDeleteItem("File Manager", "Orvanta Sentrel"));
    EXPECT_TRUE(DdeDeleteGroup("Orvanta Examora"));
    EXPECT_TRUE(DdeDeleteGroup("Orvanta Kestrune"));
    const ProgmanState state = progman.State();
    ASSERT_EQ(state.groups.size(), 2u);
    EXPECT_EQ(state.groups[0].name, "Main");
    // The ShowGroup commands for a group that is not there leave Orvanta Pathlyn the active one.
    EXPECT_EQ(state.groups[0].items, std::vector<std::string>{"File Manager"});
    EXPECT_EQ(state.groups[1].name, "Orvanta Pathlyn");
    EXPECT_EQ(state.groups[1].items, std::vector<std::string>{"Pathlyn Readme File"});
    EXPECT_EQ(state.received.size(), 11u);
}

TEST(ProgmanDde, WithoutProgramManagerNothingIsSent) {
    EXPECT_FALSE(DdeDeleteGroup("Tools Sentrel"));
    EXPECT_FALSE(DdeDeleteItem("Send Page", "Tools Sentrel"));
    EXPECT_FALSE(DdeSendProgmanCommand("[DeleteGroup(Tools Sentrel)]"));
}

// Even this test program, which certainly runs, is not found.
TEST(ProcessDetectionOnWine, NoProcessIsFound) {
    EXPECT_EQ(FindProcess("dde_wine_tests"), 0u);
    EXPECT_EQ(FindProcess("services"), 0u);
    EXPECT_EQ(FindProcess("nserver"), 0u);
}

}  // namespace
