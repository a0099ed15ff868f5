// The SNMP subagent removal on its own, as the agent and Advanced Vellgard removals hand over to
// it: an SNMP service missing, stopped or refusing to stop, and leftover files in its directory.
#include <gtest/gtest.h>

#include "native/sentrel_fixture.h"
#include "support/services_seed.h"

namespace sentrel_test {
namespace {

constexpr const char* kSubagentDir = "C:\\Orvanta\\Common\\OVSNMP";
constexpr const char* kLog = "C:\\Orvanta\\Logs\\ovsnmp.log";
const std::string kExtensionAgents =
    "SYSTEM\\CurrentControlSet\\Services\\SNMP\\Parameters\\ExtensionAgents";
const std::string kPathNameKey = std::string(kSuiteRoot) + "\\Kestrune\\SNMP PathName";

using Requests = std::vector<std::string>;

class SnmpSubagentRemoval : public SentrelFixture {
  protected:
    static void AddSnmpService(DWORD state,
                               winsim::ServiceStop stop = winsim::ServiceStop::kAtOnce) {
        winsim::AddService(services_seed::MakeService("SNMP", state, stop));
    }
    // The subagent with the agent, whose removal hands over at 50 percent in steps of 10.
    static std::unique_ptr<CTestSentrel> Installed(int partition = 0) {
        Install({kAgentFlag, kSubagentFlag}, partition);
        auto product = MakeProduct(partition);
        product->SetProgress(50, 10);
        return product;
    }
    static std::string ProductKey(int partition) {
        return std::string(kSuiteRoot) +
               (partition == 0 ? "" : "\\Partition " + std::to_string(partition)) + "\\Sentrel";
    }
    // What goes on every machine: all but the SNMP service and the files under Common.
    static void ExpectRegistrationGone(int partition) {
        EXPECT_FALSE(FileExists(kLog));
        EXPECT_FALSE(KeyExists(ProductKey(partition) + "\\SNMP"));
        EXPECT_FALSE(KeyExists(kPathNameKey));
        EXPECT_EQ(SetupFlag(kSubagentFlag, partition), 0);
        EXPECT_EQ(Dword(ProductKey(partition) + "\\Recycle", "Send Traps"), 0);
        EXPECT_EQ(Dword(ProductKey(partition) + "\\Crash Detection", "Send Trap (1)"), 0);
        EXPECT_EQ(Dword(ProductKey(partition) + "\\Crash Detection", "Send Trap (2)"), 0);
        // Windows' own extension agent stays.
        EXPECT_EQ(winsim::ValueNames("HKLM\\" + kExtensionAgents), std::vector<std::string>{"1"});
    }
};

// The transcript without the SNMP service's stop and restart.
Transcript QuietTranscript() {
    return {
        {"Removing OVSNMP subagent...", 50, 1, 1},
        {"Removing OVSNMP directory...", 60, 1, 1},
        {"Removing OVSNMP subagent databases...", 70, 2, 1},
        {"Removing Folder items...", 80, 3, 1},
        {"Updating the registry...", 90, 4, 1},
        {"OV SNMP subagent successfully removed...", 100, 0, 1},
    };
}

TEST_F(SnmpSubagentRemoval, SnmpServiceMissingOrStoppedIsLeftAlone) {
    RemoveService("SNMP");
    auto missing = Installed();
    EXPECT_TRUE(missing->RemoveSnmpSubagent(&Record));
    missing->ClearMarkedSetupFlags();
    EXPECT_EQ(reports, QuietTranscript());
    EXPECT_FALSE(FileExists(kSubagentDir));

    reports.clear();
    AddSnmpService(SERVICE_STOPPED);
    auto stopped = Installed();
    EXPECT_TRUE(stopped->RemoveSnmpSubagent(&Record));
    stopped->ClearMarkedSetupFlags();
    EXPECT_EQ(reports, QuietTranscript());
    // Only the request that took it off the machine before.
    EXPECT_EQ(winsim::ServiceRequests(), Requests{"delete SNMP"});
    EXPECT_EQ(winsim::ServiceState("SNMP"), static_cast<DWORD>(SERVICE_STOPPED));
    ExpectRegistrationGone(0);
}

TEST_F(SnmpSubagentRemoval, ServiceThatWillNotStopIsNotRestarted) {
    AddSnmpService(SERVICE_RUNNING, winsim::ServiceStop::kRefuses);
    auto product = Installed();

    EXPECT_TRUE(product->RemoveSnmpSubagent(&Record));

    product->ClearMarkedSetupFlags();

    Transcript expected = QuietTranscript();
    expected.insert(expected.begin() + 1,
                    {"Attempting to shut down the SNMP service...", 60, 1, 1});
    for (size_t i = 2; i < expected.size(); ++i) {
        expected[i].percent += 10;
    }
    EXPECT_EQ(reports, expected);
    EXPECT_EQ(winsim::ServiceRequests(), Requests{"stop SNMP"});
    EXPECT_FALSE(FileExists(kSubagentDir));
    ExpectRegistrationGone(0);
}

TEST_F(SnmpSubagentRemoval, LeftoverFilesInTheSubagentDirectory) {
    RemoveService("SNMP");
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes ? "yes" : "no");
        reports.clear();
        answers = [yes](const std::string&) { return yes; };
        auto product = Installed();
        AddFile(std::string(kSubagentDir) + "\\ovsen.bak");

        EXPECT_TRUE(product->RemoveSnmpSubagent(&Record));

        product->ClearMarkedSetupFlags();

        Transcript expected = QuietTranscript();
        // The directory is named as the removal spells it; Windows finds it whatever the case.
        expected.insert(expected.begin() + 2,
                        {LeftoverQuestion("C:\\Orvanta\\Common\\ovsnmp"), 70, 1, 2});
        EXPECT_EQ(reports, expected);
        EXPECT_EQ(FileExists(std::string(kSubagentDir) + "\\ovsen.bak"), !yes);
        EXPECT_FALSE(FileExists(std::string(kSubagentDir) + "\\ovsen.mib"));
        ExpectRegistrationGone(0);
    }
}

}  // namespace
}  // namespace sentrel_test
