// The Program Manager operations against the simulated Program Manager: what happens without
// Program Manager, and the names too long for a command.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/winsim/control.h"
#include "system/dde.h"

namespace {

class ProgramGroups : public ::testing::Test {
  protected:
    void SetUp() override {
        winsim::Reset();
        winsim::SetProgramManagerRunning(true);
        winsim::AddProgmanGroup({"Tools Sentrel", {"Send Page", "Send SNMP"}});
    }
    void TearDown() override {
        const winsim::DdeObjects held = winsim::DdeObjectsHeld();
        EXPECT_EQ(held.instances, 0u);
        EXPECT_EQ(held.conversations, 0u);
        EXPECT_EQ(held.stringHandles, 0u);
        EXPECT_EQ(held.dataHandles, 0u);
        winsim::Reset();
    }

    static std::vector<std::string> SentCommands() {
        std::vector<std::string> sent;
        for (const winsim::ProgmanCommand& command : winsim::ProgmanCommands()) {
            sent.push_back(command.text);
        }
        return sent;
    }

    static std::vector<std::string> Groups() {
        std::vector<std::string> names;
        for (const winsim::ProgmanGroup& group : winsim::ProgmanGroups()) {
            names.push_back(group.name);
        }
        return names;
    }
};

TEST_F(ProgramGroups, CommandProgramManagerRejectsStillCountsAsSent) {
    EXPECT_TRUE(DdeDeleteGroup("Games"));
    EXPECT_TRUE(DdeDeleteItem("Solitaire", "Games"));
    EXPECT_EQ(SentCommands().size(), 4u);
    EXPECT_EQ(Groups(), std::vector<std::string>{"Tools Sentrel"});
}

TEST_F(ProgramGroups, MissingNamesSendNothing) {
    EXPECT_FALSE(DdeDeleteGroup(""));
    EXPECT_FALSE(DdeDeleteGroup(nullptr));
    EXPECT_FALSE(DdeDeleteItem("", "Tools Sentrel"));
    EXPECT_FALSE(DdeDeleteItem(nullptr, "Tools Sentrel"));
    EXPECT_FALSE(DdeDeleteItem("Send Page", nullptr));
    EXPECT_FALSE(DdeSendProgmanCommand(nullptr));
    EXPECT_TRUE(SentCommands().empty());
}

TEST_F(ProgramGroups, LibraryThatCannotStartSendsNothing) {
    winsim::FailDdeInitialize(DMLERR_DLL_USAGE);
    EXPECT_FALSE(DdeSendProgmanCommand("[DeleteGroup(Tools Sentrel)]"));
    EXPECT_FALSE(DdeDeleteGroup("Tools Sentrel"));
    EXPECT_TRUE(SentCommands().empty());
}

// A command fills at most 255 characters of its 256-byte buffer: "[DeleteGroup()]" leaves 240
// for the group, "[ShowGroup(, 2)]" 239, "[DeleteItem()]" 241 for the item.
TEST_F(ProgramGroups, NamesThatDoNotFitTheirCommandAreRefusedWhole) {
    const std::string group240(240, 'g');
    for (const size_t command : {size_t{254}, size_t{255}, size_t{256}, size_t{2550}}) {
        const size_t sent = SentCommands().size();
        const bool fits = command < 256;
        EXPECT_EQ(DdeDeleteGroup(std::string(command - 15, 'g').c_str()), fits) << command;
        ASSERT_EQ(SentCommands().size(), sent + (fits ? 1 : 0)) << command;
        if (fits) {
            EXPECT_EQ(SentCommands().back().size(), command);
        }
    }

    EXPECT_TRUE(DdeDeleteItem(std::string(241, 'i').c_str(), std::string(239, 'g').c_str()));
    EXPECT_EQ(SentCommands().size(), 5u);
    EXPECT_FALSE(DdeDeleteItem("Send Page", group240.c_str()));
    EXPECT_FALSE(DdeDeleteItem(std::string(242, 'i').c_str(), "Tools Sentrel"));
    EXPECT_EQ(SentCommands().size(), 5u);
}

}  // namespace
