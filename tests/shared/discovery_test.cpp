// Discovery over the partition layouts a machine can have, and the setup-flag bookkeeping the
// removals update.
#include <gtest/gtest.h>

#include <string>

#include "api/counters.h"
#include "api/setup_flags.h"
#include "support/flag_family.h"
#include "support/machine.h"

namespace machine = testing_machine;

namespace {

const std::string kRoot = "SOFTWARE\\Tarvelle\\Orvanta";

class Discovery : public ::testing::Test {
  protected:
    void SetUp() override {
        machine::Reset();
        for (int32_t* counter :
             {&g_installedCount, &g_sentrelCount, &g_rendimoCount, &g_pathlynCount, &g_examoraCount,
              &g_kestruneCount, &g_partitionCount}) {
            *counter = 0;
        }
    }
    void TearDown() override { machine::Reset(); }

    static void Partitioned(DWORD expected) {
        machine::SetDword(kRoot, "Partitioned", 1);
        machine::SetDword(kRoot, "Number of Partitions", expected);
    }
    static void InstallInPartition(int n, const char* flag, const char* version = "5.2") {
        const std::string setup = kRoot + "\\Partition " + std::to_string(n) + "\\Setup\\Setup";
        machine::SetDword(setup, flag, 1);
        machine::SetString(setup, "Current Version", version);
    }

    ProductCatalogue catalogue;
};

TEST_F(Discovery, UnpartitionedSuiteGivesOneEntryPerInstalledFamily) {
    machine::SetDword(kRoot + "\\Setup\\Setup", "Examora Server", 1);
    machine::SetDword(kRoot + "\\Setup\\Setup", "Kestrune Console", 1);
    machine::SetDword(kRoot + "\\Setup\\Setup", "Sentrel", 0);

    EXPECT_EQ(ScanPartitions(catalogue, FlagFamilies()), 2);
    ASSERT_EQ(catalogue.size(), 2u);
    EXPECT_STREQ(catalogue.front()->Name(), "Examora");
    EXPECT_STREQ(catalogue.back()->Name(), "Kestrune");
    for (const auto& product : catalogue) {
        EXPECT_EQ(product->Partition(), nullptr);
        EXPECT_FALSE(product->IsPartitioned());
        EXPECT_STREQ(product->Version(), "5.0");
    }
    EXPECT_EQ(g_examoraCount, 1);
    EXPECT_EQ(g_kestruneCount, 1);
    EXPECT_EQ(g_sentrelCount, 0);
    EXPECT_EQ(g_installedCount, 2);
    EXPECT_EQ(g_partitionCount, 0);
}

TEST_F(Discovery, FamilyNamesOutsideTheSuiteAreNotCounted) {
    machine::SetDword(kRoot + "\\Setup\\Setup", "Pathlyn Client", 1);
    EXPECT_EQ(ScanPartitions(catalogue, FlagFamilies()), 1);
    EXPECT_EQ(catalogue.size(), 1u);
    EXPECT_EQ(g_installedCount, 0);
}

TEST_F(Discovery, ScanStopsOnceTheExpectedPartitionsAreFound) {
    Partitioned(2);
    InstallInPartition(1, "Examora Server");
    InstallInPartition(3, "Sentrel", "5.1");
    InstallInPartition(4, "Kestrune Console");

    EXPECT_EQ(ScanPartitions(catalogue, FlagFamilies()), 2);
    ASSERT_EQ(catalogue.size(), 2u);
    EXPECT_STREQ(catalogue.front()->Name(), "Examora");
    EXPECT_STREQ(catalogue.front()->Partition(), "1");
    EXPECT_STREQ(catalogue.back()->Name(), "Sentrel");
    EXPECT_STREQ(catalogue.back()->Partition(), "3");
    EXPECT_STREQ(catalogue.back()->Version(), "5.1");
    EXPECT_EQ(g_partitionCount, 2);
    EXPECT_EQ(machine::ReadDword(kRoot, "Number of Partitions"), 2u);
    // The last partition visited stays selected.
    EXPECT_EQ(machine::ReadEnvironment("OVNOTESPARTITION"), "3");
}

TEST_F(Discovery, FewerPartitionsThanExpectedVisitsAllAndRewritesTheCount) {
    Partitioned(3);
    InstallInPartition(1, "Examora Server");
    InstallInPartition(2, "Examora Server");

    EXPECT_EQ(ScanPartitions(catalogue, FlagFamilies()), 2);
    EXPECT_EQ(g_partitionCount, 2);
    EXPECT_EQ(g_examoraCount, 2);
    EXPECT_EQ(machine::ReadDword(kRoot, "Number of Partitions"), 2u);
    EXPECT_EQ(machine::ReadEnvironment("OVNOTESPARTITION"), "25");
}

TEST_F(Discovery, NoPartitionKeyLowersTheStoredCountByOne) {
    Partitioned(1);
    EXPECT_EQ(ScanPartitions(catalogue, FlagFamilies()), 0);
    EXPECT_EQ(g_partitionCount, 0);
    EXPECT_EQ(machine::ReadDword(kRoot, "Number of Partitions"), 0u);
}

TEST_F(Discovery, ZeroExpectedPartitionsVisitsNone) {
    Partitioned(0);
    InstallInPartition(1, "Examora Server");
    EXPECT_EQ(ScanPartitions(catalogue, FlagFamilies()), 0);
    EXPECT_TRUE(catalogue.empty());
    EXPECT_EQ(machine::ReadDword(kRoot, "Number of Partitions"), 0u);
    EXPECT_EQ(machine::ReadEnvironment("OVNOTESPARTITION"), "");
}

TEST_F(Discovery, UnknownPartitionCountVisitsAllAndStoresWhatWasFound) {
    machine::SetDword(kRoot, "Partitioned", 1);
    InstallInPartition(25, "Kestrune Console");
    EXPECT_EQ(ScanPartitions(catalogue, FlagFamilies()), 1);
    ASSERT_EQ(catalogue.size(), 1u);
    EXPECT_STREQ(catalogue.front()->Partition(), "25");
    EXPECT_EQ(machine::ReadDword(kRoot, "Number of Partitions"), 1u);
}

TEST_F(Discovery, ClearingCreatesTheKeyAndKeepsTheTypeOfInstalled) {
    EXPECT_TRUE(ClearSetupFlag(kFlagSentrel, "4"));
    EXPECT_EQ(machine::ReadDword(kRoot + "\\Partition 4\\Setup\\Setup", "Sentrel"), 0u);
    EXPECT_FALSE(machine::ValueExists(kRoot + "\\Partition 4\\Setup\\Setup", "Installed"));

    const std::string setup = kRoot + "\\Setup\\Setup";
    machine::SetBinary(setup, "Installed", std::string("\x11\x00\x00\x00", 4));
    EXPECT_TRUE(ClearSetupFlag(kFlagAdvancedVellgard, nullptr));
    DWORD type = REG_NONE;
    EXPECT_EQ(machine::ReadBytes(setup, "Installed", &type), std::string("\x01\x00\x00\x00", 4));
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_FALSE(ClearSetupFlag(kSetupFlagCount, nullptr));
    EXPECT_FALSE(ClearSetupFlag(-1, nullptr));
}

}  // namespace
