// The catalogue exports of the real library, loaded by name beside the suite's runtime library,
// over a suite seeded into the registry: what a caller sees before it removes anything.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/loaded_library.h"
#include "support/machine.h"
#include "uninstlib/uninstlib.h"

namespace machine = testing_machine;

namespace {

const std::string kRoot = "SOFTWARE\\Tarvelle\\Orvanta";

std::vector<std::string> g_entries;

bool Collect(const char* name, const char* version, const char* partition, const char* components) {
    g_entries.push_back(std::string(name) + "|" + version + "|" +
                        (partition != nullptr ? partition : "-") + "|" + components);
    return true;
}

class InstalledApps : public LoadedLibraryTest {
  protected:
    void SetUp() override {
        LoadedLibraryTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        g_entries.clear();
        init = Resolve<InitInstalledAppsFunction>(UNINSTLIB_INIT_INSTALLED_APPS);
        enumerate = Resolve<EnumInstalledAppsFunction>(UNINSTLIB_ENUM_INSTALLED_APPS);
        uninstall = Resolve<UninstallProductFunction>(UNINSTLIB_UNINSTALL_PRODUCT);
        ASSERT_TRUE(init && enumerate && uninstall);
    }

    static void Install(const std::string& setupKey, const std::vector<const char*>& flags) {
        for (const char* flag : flags) {
            machine::SetDword(setupKey, flag, 1);
        }
        machine::SetString(setupKey, "Current Version", "5.2");
    }

    InitInstalledAppsFunction init = nullptr;
    EnumInstalledAppsFunction enumerate = nullptr;
    UninstallProductFunction uninstall = nullptr;
};

TEST_F(InstalledApps, MachineWithoutTheSuiteHasAnEmptyCatalogue) {
    EXPECT_FALSE(init());
    EXPECT_FALSE(enumerate(&Collect));
    EXPECT_TRUE(g_entries.empty());
}

TEST_F(InstalledApps, UnpartitionedSuiteIsListedFamilyByFamily) {
    Install(kRoot + "\\Setup\\Setup",
            {"Examora Server", "Kestrune Console", "Pathlyn Client", "Pathlyn Server", "OVSNMP"});
    ASSERT_TRUE(init());
    EXPECT_TRUE(enumerate(&Collect));
    const std::vector<std::string> expected = {
        "Pathlyn|5.2|-|Pathlyn Server,Pathlyn Client",
        "Examora|5.2|-|Examora Server",
        "Kestrune|5.2|-|Kestrune Console",
    };
    EXPECT_EQ(g_entries, expected);
}

TEST_F(InstalledApps, PartitionedSuiteIsListedPartitionByPartition) {
    machine::SetDword(kRoot, "Partitioned", 1);
    machine::SetDword(kRoot, "Number of Partitions", 2);
    Install(kRoot + "\\Partition 1\\Setup\\Setup", {"Rendimo Manager Server"});
    Install(kRoot + "\\Partition 2\\Setup\\Setup", {"Examora Server"});
    ASSERT_TRUE(init());
    EXPECT_TRUE(enumerate(&Collect));
    const std::vector<std::string> expected = {
        "Rendimo Manager|5.2|1|Rendimo Manager Server",
        "Examora|5.2|2|Examora Server",
    };
    EXPECT_EQ(g_entries, expected);
    EXPECT_FALSE(uninstall(
        "Examora", "5.2", "1", nullptr,
        [](const char*, int32_t, int32_t, uint32_t) { return true; }, 0));
}

TEST_F(InstalledApps, OnlyTheSubagentFlaggedMakesNoSentrelProduct) {
    Install(kRoot + "\\Setup\\Setup", {"OVSNMP"});
    EXPECT_FALSE(init());
    EXPECT_FALSE(enumerate(&Collect));
}

}  // namespace
