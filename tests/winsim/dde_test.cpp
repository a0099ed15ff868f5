// The DDE management library's client calls and the Program Manager at the other end: handles,
// conversations, error codes, and the group commands it carries out.
#include <string>
#include <vector>

#include "platform/win32.h"
#include "winsim/fresh_machine.h"

namespace {

HDDEDATA CALLBACK NoAnswer(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

class Ddeml : public FreshMachine {
  protected:
    void SetUp() override {
        FreshMachine::SetUp();
        ASSERT_EQ(DdeInitializeA(&m_instance, &NoAnswer, CBF_FAIL_ALLSVRXACTIONS, 0),
                  static_cast<UINT>(DMLERR_NO_ERROR));
    }

    HCONV ConnectToProgman() {
        const HSZ name = DdeCreateStringHandleA(m_instance, "PROGMAN", CP_WINANSI);
        const HCONV conversation = DdeConnect(m_instance, name, name, nullptr);
        DdeFreeStringHandle(m_instance, name);
        return conversation;
    }

    // The transaction's answer: true for an acknowledged execute.
    bool Execute(HCONV conversation, const std::string& command, DWORD* status = nullptr) {
        const HDDEDATA data = DdeCreateDataHandle(
            m_instance, reinterpret_cast<LPBYTE>(const_cast<char*>(command.c_str())),
            static_cast<DWORD>(command.size() + 1), 0, nullptr, 0, 0);
        return DdeClientTransaction(reinterpret_cast<LPBYTE>(data), static_cast<DWORD>(-1),
                                    conversation, nullptr, 0, XTYP_EXECUTE, 1000,
                                    status) != nullptr;
    }

    static void RunProgman() {
        winsim::SetProgramManagerRunning(true);
        winsim::AddProgmanGroup({"Tools Sentrel", {"Send Page", "Send SNMP"}});
        winsim::AddProgmanGroup({"Main", {"File Manager"}});
    }

    static std::vector<std::string> Items(const std::string& group) {
        for (const winsim::ProgmanGroup& g : winsim::ProgmanGroups()) {
            if (g.name == group) {
                return g.items;
            }
        }
        return {};
    }

    DWORD m_instance = 0;
};

TEST_F(Ddeml, InstancesAndStringHandlesFollowWindowsRules) {
    EXPECT_EQ(m_instance, 1u);
    DWORD other = 77;
    EXPECT_EQ(DdeInitializeA(&other, &NoAnswer, 0, 0), static_cast<UINT>(DMLERR_INVALIDPARAMETER));
    EXPECT_EQ(DdeInitializeA(&m_instance, &NoAnswer, 0, 0), static_cast<UINT>(DMLERR_NO_ERROR));

    const HSZ upper = DdeCreateStringHandleA(m_instance, "PROGMAN", CP_WINANSI);
    const HSZ lower = DdeCreateStringHandleA(m_instance, "progman", CP_WINANSI);
    EXPECT_NE(upper, nullptr);
    EXPECT_EQ(upper, lower);
    EXPECT_EQ(winsim::DdeObjectsHeld().stringHandles, 2u);
    EXPECT_EQ(DdeCreateStringHandleA(m_instance, "", CP_WINANSI), nullptr);
    EXPECT_EQ(DdeCreateStringHandleA(m_instance, std::string(256, 'a').c_str(), CP_WINANSI),
              nullptr);
    EXPECT_EQ(DdeGetLastError(m_instance), static_cast<UINT>(DMLERR_INVALIDPARAMETER));
    EXPECT_EQ(DdeGetLastError(m_instance), static_cast<UINT>(DMLERR_NO_ERROR));
    EXPECT_EQ(DdeCreateStringHandleA(12345, "X", CP_WINANSI), nullptr);

    EXPECT_TRUE(DdeFreeStringHandle(m_instance, upper));
    EXPECT_TRUE(DdeFreeStringHandle(m_instance, lower));
    EXPECT_FALSE(DdeFreeStringHandle(m_instance, lower));

    EXPECT_TRUE(DdeUninitialize(m_instance));
    EXPECT_FALSE(DdeUninitialize(m_instance));
    EXPECT_EQ(DdeGetLastError(m_instance), static_cast<UINT>(DMLERR_DLL_NOT_INITIALIZED));
}

TEST_F(Ddeml, NoConversationWithoutProgramManager) {
    EXPECT_EQ(ConnectToProgman(), nullptr);
    EXPECT_EQ(DdeGetLastError(m_instance), static_cast<UINT>(DMLERR_NO_CONV_ESTABLISHED));

    RunProgman();
    const HSZ other = DdeCreateStringHandleA(m_instance, "WinWord", CP_WINANSI);
    EXPECT_EQ(DdeConnect(m_instance, other, other, nullptr), nullptr);
    DdeFreeStringHandle(m_instance, other);
    // No service and no topic match any server.
    const HCONV any = DdeConnect(m_instance, nullptr, nullptr, nullptr);
    EXPECT_NE(any, nullptr);
    EXPECT_TRUE(DdeDisconnect(any));
    EXPECT_FALSE(DdeDisconnect(any));
}

TEST_F(Ddeml, ShowGroupMakesTheGroupActiveForDeleteItem) {
    RunProgman();
    const HCONV conversation = ConnectToProgman();
    ASSERT_NE(conversation, nullptr);
    DWORD status = 0xFFFF;
    EXPECT_FALSE(Execute(conversation, "[DeleteItem(Send Page)]", &status));
    EXPECT_EQ(status, static_cast<DWORD>(DDE_FNOTPROCESSED));
    EXPECT_EQ(DdeGetLastError(m_instance), static_cast<UINT>(DMLERR_NOTPROCESSED));

    EXPECT_TRUE(Execute(conversation, "[ShowGroup(tools sentrel, 2)]", &status));
    EXPECT_EQ(status, static_cast<DWORD>(DDE_FACK));
    EXPECT_EQ(winsim::ProgmanActiveGroup(), "Tools Sentrel");
    EXPECT_TRUE(Execute(conversation, "[DeleteItem(send page)]"));
    EXPECT_EQ(Items("Tools Sentrel"), std::vector<std::string>{"Send SNMP"});
    // The item is gone, and Main's item is not in the active group.
    EXPECT_FALSE(Execute(conversation, "[DeleteItem(Send Page)]"));
    EXPECT_FALSE(Execute(conversation, "[DeleteItem(File Manager)]"));
    EXPECT_FALSE(Execute(conversation, "[ShowGroup(Tools Sentrel, 9)]"));
    EXPECT_FALSE(Execute(conversation, "[ShowGroup(Games, 1)]"));
    DdeDisconnect(conversation);
}

TEST_F(Ddeml, DeleteGroupAndSeveralCommandsInOneTransaction) {
    RunProgman();
    const HCONV conversation = ConnectToProgman();
    EXPECT_TRUE(
        Execute(conversation, "[ShowGroup(\"Tools Sentrel\",1)] [DeleteGroup(Tools Sentrel)]"));
    EXPECT_EQ(winsim::ProgmanActiveGroup(), "");
    ASSERT_EQ(winsim::ProgmanGroups().size(), 1u);
    EXPECT_EQ(winsim::ProgmanGroups()[0].name, "Main");
    // Commands run up to the first that fails.
    EXPECT_FALSE(Execute(conversation, "[DeleteGroup(Games)][DeleteGroup(Main)]"));
    EXPECT_EQ(winsim::ProgmanGroups().size(), 1u);
    for (const char* malformed : {"DeleteGroup(Main)", "[DeleteGroup(Main)",
                                  "[DeleteGroup(\"Main)]", "[CreateGroup(Main)]", ""}) {
        EXPECT_FALSE(Execute(conversation, malformed)) << malformed;
    }
    EXPECT_EQ(winsim::ProgmanGroups().size(), 1u);
}

TEST_F(Ddeml, TransactionTakesTheDataHandleAndUninitializeReleasesEverything) {
    RunProgman();
    const HCONV conversation = ConnectToProgman();
    Execute(conversation, "[ShowGroup(Main, 1)]");
    EXPECT_EQ(winsim::DdeObjectsHeld().dataHandles, 0u);
    const char command[] = "[DeleteGroup(Main)]";
    const HDDEDATA owned =
        DdeCreateDataHandle(m_instance, reinterpret_cast<LPBYTE>(const_cast<char*>(command)),
                            sizeof command, 0, nullptr, 0, HDATA_APPOWNED);
    EXPECT_NE(DdeClientTransaction(reinterpret_cast<LPBYTE>(owned), static_cast<DWORD>(-1),
                                   conversation, nullptr, 0, XTYP_EXECUTE, 1000, nullptr),
              nullptr);
    EXPECT_EQ(winsim::DdeObjectsHeld().dataHandles, 1u);
    DdeCreateStringHandleA(m_instance, "PROGMAN", CP_WINANSI);

    EXPECT_TRUE(DdeUninitialize(m_instance));
    const winsim::DdeObjects held = winsim::DdeObjectsHeld();
    EXPECT_EQ(held.instances, 0u);
    EXPECT_EQ(held.conversations, 0u);
    EXPECT_EQ(held.stringHandles, 0u);
    EXPECT_EQ(held.dataHandles, 0u);
    EXPECT_EQ(
        DdeClientTransaction(reinterpret_cast<LPBYTE>(const_cast<char*>(command)), sizeof command,
                             conversation, nullptr, 0, XTYP_EXECUTE, 1000, nullptr),
        nullptr);
}

TEST_F(Ddeml, ProgramManagerTravelsInTheMachineImage) {
    RunProgman();
    const std::string image = Scratch().string();
    ASSERT_TRUE(winsim::SaveMachine(image, nullptr));
    winsim::Reset();
    std::string error;
    ASSERT_TRUE(winsim::LoadMachine(image, &error)) << error;
    m_instance = 0;
    ASSERT_EQ(DdeInitializeA(&m_instance, &NoAnswer, CBF_FAIL_ALLSVRXACTIONS, 0),
              static_cast<UINT>(DMLERR_NO_ERROR));
    const HCONV conversation = ConnectToProgman();
    EXPECT_NE(conversation, nullptr);
    const std::vector<winsim::ProgmanGroup> groups = winsim::ProgmanGroups();
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].name, "Tools Sentrel");
    EXPECT_EQ(groups[0].items, (std::vector<std::string>{"Send Page", "Send SNMP"}));
    EXPECT_EQ(groups[1].name, "Main");
}

}  // namespace
