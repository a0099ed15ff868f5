// The whole product and its step counts: a removal that stops early does not stop the next one,
// and the step percentage of each component.
#include <gtest/gtest.h>

#include "api/counters.h"
#include "native/sentrel_fixture.h"
#include "support/services_seed.h"

namespace sentrel_test {
namespace {

using SentrelWholeProduct = SentrelFixture;

TEST_F(SentrelWholeProduct, ARemovalThatStopsEarlyDoesNotStopTheNextOne) {
    Install({kAgentFlag, kPagingFlag});
    winsim::AddService(services_seed::MakeService("Orvanta Recycle Service", SERVICE_RUNNING,
                                                  winsim::ServiceStop::kRefuses));
    auto product = Listed();

    EXPECT_FALSE(product->UninstallAll(&Record));

    ASSERT_GE(reports.size(), 2u);
    EXPECT_EQ(reports[0], (Report{"Cannot stop the Recycle Service.\nStop the "
                                  "service then retry uninstall!",
                                  0, 1, 2}));
    // 7 + 5 steps; the Message Center begins where the agent stopped.
    EXPECT_EQ(reports[1], (Report{"Removing Message Center...", 0, 1, 1}));
    EXPECT_EQ(reports.back(), (Report{"OV Message Center successfully removed...", 40, 0, 1}));
    EXPECT_TRUE(product->HasAgent());
    EXPECT_EQ(product->ComponentCount(), 1);
    EXPECT_TRUE(FileExists("C:\\Orvanta\\Sentrel\\ovrecycl.exe"));
    // The product counts as removed all the same, and its shell has gone.
    EXPECT_EQ(g_sentrelCount, 0);
    EXPECT_EQ(g_installedCount, 0);
    EXPECT_FALSE(product->IsInstalled());
}

// The percentage one step of each component is worth, as UninstallComponent sets it.
struct StepCase {
    const char* name;
    int partitions;  // 0: unpartitioned; 2: a partition of a machine with two
    bool serverRunning;
    const char* component;
    int32_t stepPercent;
};

class SentrelStepPercent : public SentrelWholeProduct,
                           public ::testing::WithParamInterface<StepCase> {};

TEST_P(SentrelStepPercent, OfTheRemovedComponent) {
    const StepCase& c = GetParam();
    int partition = 0;
    if (c.partitions != 0) {
        UsePartitions(c.partitions);
        partition = 1;
        Install({kAgentFlag}, 2);
    }
    Install({kAgentFlag, kPagingFlag, kVellgardFlag}, partition);
    if (c.serverRunning) {
        winsim::StartProcess("nserver");
    }
    auto product = Listed(partition);
    product->UninstallComponent(c.component, &Record);
    EXPECT_EQ(product->StepPercent(), c.stepPercent);
}

INSTANTIATE_TEST_SUITE_P(
    Components, SentrelStepPercent,
    ::testing::Values(StepCase{"AgentSingle", 0, false, "Sentrel", 14},
                      StepCase{"AgentSingleServerRunning", 0, true, "Sentrel", 12},
                      StepCase{"AgentPartition", 2, false, "Sentrel", 20},
                      StepCase{"AgentPartitionServerRunning", 2, true, "Sentrel", 16},
                      StepCase{"MessageCenterSingle", 0, true, "Message Center", 20},
                      StepCase{"MessageCenterPartition", 2, true, "Message Center", 25},
                      StepCase{"VellgardSingle", 0, true, "Advanced Vellgard Server", 14},
                      StepCase{"VellgardPartition", 2, true, "Advanced Vellgard Server", 20}),
    [](const ::testing::TestParamInfo<StepCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sentrel_test
