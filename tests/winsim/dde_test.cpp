// The DDE management library's client calls and the Program Manager at the other end: the codes
// of the handle rules, and the group commands it refuses.
#include <string>

#include "platform/win32.h"
#include "winsim/fresh_machine.h"

namespace {

HDDEDATA CALLBACK NoAnswer(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

using Ddeml = FreshMachine;

TEST_F(Ddeml, HandlesFollowWindowsRulesAndProgramManagerRefusesWhatItCannotDo) {
    DWORD instance = 77;
    EXPECT_EQ(DdeInitializeA(&instance, &NoAnswer, 0, 0), UINT{DMLERR_INVALIDPARAMETER});
    instance = 0;
    ASSERT_EQ(DdeInitializeA(&instance, &NoAnswer, 0, 0), UINT{DMLERR_NO_ERROR});
    const HSZ name = DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI);
    EXPECT_EQ(DdeCreateStringHandleA(instance, "progman", CP_WINANSI), name);
    EXPECT_EQ(winsim::DdeObjectsHeld().stringHandles, 2u);
    EXPECT_EQ(DdeConnect(instance, name, name, nullptr), nullptr);
    EXPECT_EQ(DdeGetLastError(instance), UINT{DMLERR_NO_CONV_ESTABLISHED});
    EXPECT_EQ(DdeGetLastError(instance), UINT{DMLERR_NO_ERROR});

    // What the library's own tests do not send: an item outside the active group, a state
    // ShowGroup does not know, a command left open. Commands run until one fails.
    winsim::SetProgramManagerRunning(true);
    winsim::AddProgmanGroup({"Tools Sentrel", {"Send Page"}});
    winsim::AddProgmanGroup({"Main", {"File Manager"}});
    const HCONV conversation = DdeConnect(instance, name, name, nullptr);
    ASSERT_NE(conversation, nullptr);
    for (std::string command :
         {"[DeleteItem(Send Page)]", "[ShowGroup(Main, 1)][DeleteItem(Send Page)]",
          "[ShowGroup(Main, 9)]", "[DeleteGroup(Main)",
          "[DeleteGroup(Games)][DeleteGroup(Main)]"}) {
        const HDDEDATA data =
            DdeCreateDataHandle(instance, reinterpret_cast<LPBYTE>(&command[0]),
                                static_cast<DWORD>(command.size() + 1), 0, nullptr, 0, 0);
        DWORD status = 0;
        EXPECT_EQ(DdeClientTransaction(reinterpret_cast<LPBYTE>(data), DWORD(-1), conversation,
                                       nullptr, 0, XTYP_EXECUTE, 1000, &status),
                  nullptr)
            << command;
        EXPECT_EQ(status, DWORD(DDE_FNOTPROCESSED)) << command;
    }
    EXPECT_EQ(winsim::ProgmanActiveGroup(), "Main");
    EXPECT_EQ(winsim::ProgmanGroups().size(), 2u);
    EXPECT_EQ(winsim::ProgmanGroups()[0].items.size(), 1u);
    // The transaction takes the data handle it is given; uninitializing releases the rest.
    EXPECT_EQ(winsim::DdeObjectsHeld().dataHandles, 0u);
    EXPECT_TRUE(DdeUninitialize(instance));
    EXPECT_FALSE(DdeUninitialize(instance));
    const winsim::DdeObjects held = winsim::DdeObjectsHeld();
    EXPECT_EQ(held.instances + held.conversations + held.stringHandles, 0u);
}

}  // namespace
