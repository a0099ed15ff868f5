// The catalogue exports over entries of test-only families: listing, matching, removal and the
// rescan of a changed machine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "api/catalogue.h"
#include "api/counters.h"
#include "support/flag_family.h"
#include "support/machine.h"
#include "uninstlib/uninstlib.h"

namespace machine = testing_machine;

namespace {

struct Listed {
    std::string name;
    std::string version;
    std::string partition;
    std::string components;
};
std::vector<Listed> g_listed;
int g_stopAfter = -1;

bool Collect(const char* name, const char* version, const char* partition, const char* components) {
    g_listed.push_back({name, version, partition != nullptr ? partition : "(none)",
                        components != nullptr ? components : "(null)"});
    return g_stopAfter < 0 || static_cast<int>(g_listed.size()) < g_stopAfter;
}

std::vector<std::string> g_reports;
bool Record(const char* text, int32_t percent, int32_t step, uint32_t kind) {
    g_reports.push_back(std::string(text) + "|" + std::to_string(percent) + "|" +
                        std::to_string(step) + "|" + std::to_string(kind));
    return true;
}

class Catalogue : public ::testing::Test {
  protected:
    void SetUp() override {
        machine::Reset();
        ResetCatalogueState();
        g_listed.clear();
        g_reports.clear();
        g_stopAfter = -1;
    }
    void TearDown() override {
        ResetCatalogueState();
        machine::Reset();
    }

    // Adds an installed entry as discovery would.
    CFlagFamily* Add(const char* family, const char* flag, const char* version,
                     const char* partition) {
        const std::string setup = partition == nullptr
                                      ? "SOFTWARE\\Tarvelle\\Orvanta\\Setup\\Setup"
                                      : std::string("SOFTWARE\\Tarvelle\\Orvanta\\Partition ") +
                                            partition + "\\Setup\\Setup";
        machine::SetDword(setup, flag, 1);
        if (partition != nullptr) {
            machine::SetDword("SOFTWARE\\Tarvelle\\Orvanta", "Partitioned", 1);
            machine::SetEnvironment("OVNOTESPARTITION", partition);
        }
        auto product = partition == nullptr
                           ? std::make_unique<CFlagFamily>(family, flag, version)
                           : std::make_unique<CFlagFamily>(family, flag, version, partition);
        CFlagFamily* raw = product.get();
        g_products.push_back(std::move(product));
        return raw;
    }
};

TEST_F(Catalogue, EmptyCatalogueListsAndRemovesNothing) {
    EXPECT_FALSE(EnumInstalledApps(&Collect));
    EXPECT_TRUE(g_listed.empty());
    EXPECT_FALSE(UninstallProduct("Examora", "5.2", nullptr, nullptr, &Record, 0));
    EXPECT_TRUE(g_reports.empty());
    EXPECT_FALSE(InitInstalledApps());
    EXPECT_FALSE(EnumInstalledApps(&Collect));
}

TEST_F(Catalogue, CallbackThatDeclinesEndsTheEnumeration) {
    Add("Examora", "Examora Server", "5.2", nullptr);
    Add("Kestrune", "Kestrune Console", "5.2", nullptr);
    g_stopAfter = 1;
    EXPECT_FALSE(EnumInstalledApps(&Collect));
    EXPECT_EQ(g_listed.size(), 1u);
}

TEST_F(Catalogue, RemovedEntriesAreSkippedAndCannotBeRemovedAgain) {
    CFlagFamily* examora = Add("Examora", "Examora Server", "5.2", nullptr);
    Add("Kestrune", "Kestrune Console", "5.2", nullptr);
    examora->SetInstalled(false);
    EXPECT_TRUE(EnumInstalledApps(&Collect));
    ASSERT_EQ(g_listed.size(), 1u);
    EXPECT_EQ(g_listed[0].name, "Kestrune");
    EXPECT_FALSE(UninstallProduct("Examora", "5.2", nullptr, nullptr, &Record, 0));
    EXPECT_TRUE(g_reports.empty());
}

TEST_F(Catalogue, MatchingNeedsTheExactNameAndVersion) {
    CFlagFamily* sentrel = Add("Sentrel", "Sentrel", "5.2", nullptr);
    EXPECT_FALSE(UninstallProduct("sentrel", "5.2", nullptr, nullptr, &Record, 0));
    EXPECT_FALSE(UninstallProduct("Sentre", "5.2", nullptr, nullptr, &Record, 0));
    EXPECT_FALSE(UninstallProduct("Sentrel", "5.20", nullptr, nullptr, &Record, 0));
    EXPECT_FALSE(UninstallProduct("Sentrel", "5", nullptr, nullptr, &Record, 0));
    EXPECT_FALSE(UninstallProduct(nullptr, "5.2", nullptr, nullptr, &Record, 0));
    EXPECT_FALSE(UninstallProduct("Sentrel", nullptr, nullptr, nullptr, &Record, 0));
    EXPECT_EQ(sentrel->uninstallAllCalls, 0);
    EXPECT_TRUE(g_reports.empty());

    EXPECT_TRUE(UninstallProduct("Sentrel", "5.2", nullptr, nullptr, &Record, 0xFFFFFFFF));
    EXPECT_EQ(sentrel->uninstallAllCalls, 1);
    ASSERT_EQ(g_reports.size(), 2u);
    EXPECT_EQ(g_reports[0], "Removing Sentrel 5.2 from your computer...|0|1|1");
}

TEST_F(Catalogue, NullAndEmptyPartitionMatchOnlyUnpartitionedEntries) {
    CFlagFamily* second = Add("Examora", "Examora Server", "5.2", "2");
    CFlagFamily* plain = Add("Examora", "Examora Server", "5.2", nullptr);
    EXPECT_TRUE(UninstallProduct("Examora", "5.2", nullptr, nullptr, &Record, 0));
    EXPECT_TRUE(UninstallProduct("Examora", "5.2", "", nullptr, &Record, 0));
    EXPECT_EQ(plain->uninstallAllCalls, 2);
    EXPECT_EQ(second->uninstallAllCalls, 0);

    EXPECT_FALSE(UninstallProduct("Examora", "5.2", "02", nullptr, &Record, 0));
    EXPECT_FALSE(UninstallProduct("Examora", "5.2", "3", nullptr, &Record, 0));
    EXPECT_TRUE(UninstallProduct("Examora", "5.2", "2", nullptr, &Record, 0));
    EXPECT_EQ(second->uninstallAllCalls, 1);
    EXPECT_EQ(g_reports.back(), "whole product|0|0|1");

    // Partition text never matches an unpartitioned entry.
    Add("Kestrune", "Kestrune Console", "5.2", nullptr);
    g_reports.clear();
    EXPECT_FALSE(UninstallProduct("Kestrune", "5.2", "1", nullptr, &Record, 0));
    EXPECT_TRUE(g_reports.empty());
}

TEST_F(Catalogue, FirstMatchingEntryDecides) {
    CFlagFamily* first = Add("Kestrune", "Kestrune Console", "5.2", nullptr);
    CFlagFamily* second = Add("Kestrune", "Kestrune Console", "5.2", nullptr);
    first->SetInstalled(false);
    EXPECT_FALSE(UninstallProduct("Kestrune", "5.2", nullptr, nullptr, &Record, 0));
    EXPECT_EQ(second->uninstallAllCalls, 0);
}

TEST_F(Catalogue, ComponentSelectsTheComponentRemoval) {
    CFlagFamily* examora = Add("Examora", "Examora Server", "5.2", "4");
    EXPECT_TRUE(UninstallProduct("Examora", "5.2", "4", "Examora Server", &Record, 0));
    EXPECT_EQ(examora->uninstallComponentCalls, 1);
    ASSERT_EQ(g_reports.size(), 2u);
    EXPECT_EQ(g_reports[0],
              "Removing Examora 5.2 Examora Server - Partition 4 from your computer...|0|1|1");
    EXPECT_EQ(g_reports[1], "Examora Server|0|0|1");

    // An empty component is a component name too: the title has an empty third field.
    EXPECT_TRUE(UninstallProduct("Examora", "5.2", "4", "", &Record, 0));
    EXPECT_EQ(g_reports[2], "Removing Examora 5.2  - Partition 4 from your computer...|0|1|1");
}

TEST_F(Catalogue, FamilyCountFollowsTheNames) {
    Add("Sentrel", "Sentrel", "5.2", nullptr);
    Add("Examora", "Examora Server", "5.2", nullptr);
    Add("Examora", "Examora Server", "5.2", "1");
    Add("Stranger", "Pathlyn Client", "5.2", nullptr);
    g_installedCount = 0;
    CountFamilies(g_products);
    EXPECT_EQ(g_sentrelCount, 1);
    EXPECT_EQ(g_examoraCount, 2);
    EXPECT_EQ(g_installedCount, 3);
}

TEST_F(Catalogue, RescanRebuildsFromTheMachineAndKeepsEarlierTextsAlive) {
    Add("Examora", "Examora Server", "5.2", nullptr);
    EXPECT_TRUE(EnumInstalledApps(&Collect));
    const char* earlierName = g_products.front()->Name();
    g_examoraCount = 1;
    g_installedCount = 1;
    // The product has gone from the machine since the first scan.
    machine::SetDword("SOFTWARE\\Tarvelle\\Orvanta\\Setup\\Setup", "Examora Server", 0);

    EXPECT_FALSE(InitInstalledApps());
    EXPECT_TRUE(g_products.empty());
    EXPECT_EQ(g_examoraCount, 0);
    EXPECT_EQ(g_installedCount, 0);
    EXPECT_STREQ(earlierName, "Examora");
}

}  // namespace
