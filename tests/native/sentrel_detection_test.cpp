// What the Sentrel product finds installed as it is made, and how discovery lists it.
#include <gtest/gtest.h>

#include <memory>

#include "api/catalogue.h"
#include "api/counters.h"
#include "api/discovery.h"
#include "native/suite_fixture.h"
#include "products/sentrel.h"
#include "sample_machine/demo_machine_winsim.h"
#include "sample_machine/demo_sentrel.h"
#include "system/registry.h"

namespace suite_test {
namespace {

constexpr const char* kAgentFlag = "Sentrel";
constexpr const char* kPagingFlag = "Paging Server";
constexpr const char* kVellgardFlag = "Advanced Vellgard Server";
constexpr const char* kSubagentFlag = "OVSNMP";

class SentrelDetection : public SuiteFixture {
  protected:
    static void UsePartitions(int count) {
        SuiteFixture::UsePartitions(count);
        g_partitionCount = count;
    }
    // The components with the footprints of the sample machines, unpartitioned or in partition n.
    static DemoInstallation Install(const std::set<std::string>& components, int partition = 0) {
        const DemoInstallation installation = SampleInstallation(components, partition);
        SuiteFixture::Install(installation);
        SimulatedDemoMachine machine;
        AddSentrelFootprint(machine, installation);
        return installation;
    }
    // The product as discovery makes it, with the partition the process environment selects.
    static std::unique_ptr<CSentrel> MakeProduct(int partition = 0) {
        if (partition == 0) {
            winsim::ClearEnvironment("OVNOTESPARTITION");
            return std::make_unique<CSentrel>(CSentrel::kFamilyName, kVersion);
        }
        const std::string n = std::to_string(partition);
        winsim::SetEnvironment("OVNOTESPARTITION", n);
        return std::make_unique<CSentrel>(CSentrel::kFamilyName, kVersion, n.c_str());
    }
};

const std::string kSetup = std::string(kSuiteRoot) + "\\Setup\\Setup";

TEST_F(SentrelDetection, SubagentAloneIsNoProduct) {
    Install({kSubagentFlag});
    auto product = MakeProduct();
    EXPECT_FALSE(product->IsInstalled());
    EXPECT_TRUE(product->HasSnmpSubagent());
    EXPECT_EQ(product->ComponentCount(), 0);
    EXPECT_EQ(product->BuildComponentText(), nullptr);
}

TEST_F(SentrelDetection, OnlyAStoredOneCountsAsInstalled) {
    Install({kAgentFlag});
    SimulatedDemoMachine machine;
    // A flag the store cannot read as a number right after one that read 1, and one at 2.
    machine.SetString(kSetup, kPagingFlag, "1");
    machine.SetDword(kSetup, kVellgardFlag, 2);
    auto product = MakeProduct();
    EXPECT_TRUE(product->HasAgent());
    EXPECT_FALSE(product->HasMessageCenter());
    EXPECT_FALSE(product->HasAdvancedVellgard());
    EXPECT_STREQ(product->BuildComponentText(), "Sentrel");
}

TEST_F(SentrelDetection, AMissingFlagAfterAnInstalledOneIsNotInstalled) {
    Install({kSubagentFlag});
    SimulatedDemoMachine machine;
    machine.SetDword(kSetup, kPagingFlag, 1);
    HKEY setup = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSetup.c_str(), 0, KEY_ALL_ACCESS, &setup), 0);
    EXPECT_EQ(RegDeleteValueA(setup, kAgentFlag), 0);
    RegCloseKey(setup);
    auto product = MakeProduct();
    EXPECT_TRUE(product->HasSnmpSubagent());
    EXPECT_FALSE(product->HasAgent());
    EXPECT_TRUE(product->HasMessageCenter());
    EXPECT_STREQ(product->BuildComponentText(), "Message Center");
}

}  // namespace
}  // namespace suite_test
