// What the Kestrune Console removal takes of the registry keys the suite's products share, by
// which products are still installed beside it; where it finds its shortcuts; its counts; and the
// component names that reach it.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "native/pathlyn_kestrune_fixture.h"
#include "products/kestrune.h"

namespace suite_test {
namespace {

const std::string kRoot = kSuiteRoot;

// The keys the console's removal decides about, as the products' footprints leave them.
const std::vector<std::string> kSharedKeys = {"Rendimo Manager", "Sentrel", "Kestrune\\Notes",
                                              "Kestrune\\Mail", "Kestrune\\Database Directory"};

class KestruneSharing : public PathlynKestruneFixture {
  protected:
    static std::unique_ptr<CProduct> MakeKestrune(int partition = 0) {
        return Make(&::MakeKestrune, partition);
    }
    static CKestrune& Console(const std::unique_ptr<CProduct>& product) {
        return static_cast<CKestrune&>(*product);
    }
    // Which of the shared keys below root are still there.
    static std::vector<std::string> SharedKeysLeft(const std::string& root) {
        std::vector<std::string> left;
        for (const std::string& key : kSharedKeys) {
            if (KeyExists(root + "\\" + key)) {
                left.push_back(key);
            }
        }
        return left;
    }
    static void SeedSharedKeys(const std::string& root) {
        for (const std::string& key : kSharedKeys) {
            SimulatedDemoMachine().AddKey(root + "\\" + key);
        }
    }
};

struct OtherProducts {
    const char* products;
    int sentrel, pathlyn, rendimo, examora;
    std::vector<std::string> keysLeft;
};

class KestruneKeysBeside : public KestruneSharing,
                           public ::testing::WithParamInterface<OtherProducts> {};

TEST_P(KestruneKeysBeside, TheConsoleTakesTheKeysNoProductLeftReads) {
    const OtherProducts& beside = GetParam();
    InstallWithFootprints({kKestruneFlag});
    SeedSharedKeys(kRoot);
    const std::unique_ptr<CProduct> product = MakeKestrune();
    Beside(beside.sentrel, beside.pathlyn, beside.rendimo, beside.examora, 1);

    EXPECT_TRUE(Console(product).RemoveConsole(&Record));
    EXPECT_EQ(SharedKeysLeft(kRoot), beside.keysLeft);
    // The product key itself waits for the product's own closing work, which takes the rest.
    EXPECT_TRUE(KeyExists(kRoot + "\\Kestrune"));
    EXPECT_TRUE(product->FinishRemoval());
    EXPECT_FALSE(KeyExists(kRoot + "\\Kestrune"));
}

INSTANTIATE_TEST_SUITE_P(
    Products, KestruneKeysBeside,
    ::testing::Values(
        OtherProducts{"none", 0, 0, 0, 0, {}},
        OtherProducts{"Sentrel", 1, 0, 0, 0, {"Sentrel", "Kestrune\\Notes", "Kestrune\\Mail"}},
        OtherProducts{"Examora", 0, 0, 0, 1, {"Kestrune\\Notes", "Kestrune\\Mail"}},
        OtherProducts{"Pathlyn", 0, 1, 0, 0, {"Kestrune\\Database Directory"}},
        OtherProducts{
            "Rendimo Manager", 0, 0, 1, 0, {"Rendimo Manager", "Kestrune\\Database Directory"}},
        OtherProducts{"all",
                      1,
                      1,
                      1,
                      1,
                      {"Rendimo Manager", "Sentrel", "Kestrune\\Notes", "Kestrune\\Mail",
                       "Kestrune\\Database Directory"}}),
    [](const ::testing::TestParamInfo<OtherProducts>& info) {
        std::string name = info.param.products;
        name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
        return name;
    });

TEST_F(KestruneSharing, APartitionsConsoleTakesOnlyThatPartitionsKeys) {
    UsePartitions(2);
    InstallWithFootprints({kKestruneFlag}, 1);
    InstallWithFootprints({kKestruneFlag}, 2);
    const std::string partition1 = kRoot + "\\Partition 1";
    const std::string partition2 = kRoot + "\\Partition 2";
    SeedSharedKeys(partition1);
    SeedSharedKeys(partition2);
    SeedSharedKeys(kRoot);
    const std::unique_ptr<CProduct> product = MakeKestrune(1);
    Beside(0, 0, 0, 0, 2);

    EXPECT_TRUE(product->UninstallAll(&Record));
    product->ClearMarkedSetupFlags();
    EXPECT_FALSE(KeyExists(partition1 + "\\Kestrune"));
    EXPECT_TRUE(SharedKeysLeft(partition1).empty());
    EXPECT_EQ(SharedKeysLeft(partition2), kSharedKeys);
    EXPECT_EQ(SharedKeysLeft(kRoot), kSharedKeys);
    EXPECT_EQ(SetupFlag(kKestruneFlag, 1), 0);
    EXPECT_EQ(SetupFlag(kKestruneFlag, 2), 1);
    EXPECT_EQ(g_kestruneCount, 1);
    EXPECT_EQ(g_installedCount, 1);
}

TEST_F(KestruneSharing, AFolderNamedForTheConsoleLosesOnlyItsShortcutUntilTheProductGoes) {
    InstallWithFootprints({kKestruneFlag});
    const std::string folder = "C:\\Menus\\Kestrune Console";
    ChangeSetting("Folder Location", folder);
    AddFile(folder + "\\Kestrune Console.lnk");
    AddFile(folder + "\\Kestrune 99 Readme File.lnk");
    const std::unique_ptr<CProduct> product = MakeKestrune();
    Beside(0, 0, 0, 0, 1);

    EXPECT_TRUE(Console(product).RemoveConsole(&Record));
    EXPECT_FALSE(FileExists(folder + "\\Kestrune Console.lnk"));
    EXPECT_TRUE(FileExists(folder + "\\Kestrune 99 Readme File.lnk"));
    EXPECT_TRUE(product->FinishRemoval());
    EXPECT_FALSE(FileExists(folder + "\\Kestrune 99 Readme File.lnk"));
}

TEST_F(KestruneSharing, RemovingTheConsoleLowersEachCountOnce) {
    InstallWithFootprints({kKestruneFlag, kExamoraFlag});
    const std::unique_ptr<CProduct> product = MakeKestrune();
    ASSERT_TRUE(Console(product).HasConsole());
    EXPECT_STREQ(product->BuildComponentText(), "Kestrune Console");
    Beside(0, 0, 0, 1, 1);

    EXPECT_TRUE(product->UninstallAll(&Record));
    EXPECT_EQ(g_kestruneCount, 0);
    EXPECT_EQ(g_installedCount, 1);
    EXPECT_EQ(product->ComponentCount(), 0);
    EXPECT_FALSE(product->IsInstalled());
    EXPECT_FALSE(Console(product).HasConsole());

    // Nothing is left to remove: neither entry reports anything.
    reports.clear();
    EXPECT_FALSE(product->UninstallAll(&Record));
    EXPECT_FALSE(product->UninstallComponent(kKestruneFlag, &Record));
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(g_installedCount, 1);
}

TEST_F(KestruneSharing, WithoutAProgramDirectoryTheSearchPathStaysAsItWas) {
    InstallWithFootprints({kKestruneFlag});
    ChangeSetting("Program Directory", "");
    const std::unique_ptr<CProduct> product = MakeKestrune();
    Beside(0, 0, 0, 0, 1);

    EXPECT_TRUE(Console(product).RemoveConsole(&Record));
    EXPECT_EQ(SearchPath(), kSearchPath + ";C:\\Orvanta\\CLIENT");
}

TEST_F(KestruneSharing, OtherComponentNamesRemoveNothing) {
    InstallWithFootprints({kKestruneFlag, kExamoraFlag});
    ASSERT_TRUE(Scan());
    for (const char* name : {"Kestrune console", "Kestrune", "Examora Server"}) {
        reports.clear();
        EXPECT_FALSE(Remove("Kestrune", 0, name)) << name;
        EXPECT_EQ(reports, Transcript({Title("Kestrune", 0, name)})) << name;
    }
    EXPECT_EQ(g_kestruneCount, 1);
    EXPECT_TRUE(FileExists(kStartMenu + "\\Kestrune Console.lnk"));

    EXPECT_TRUE(Remove("Kestrune", 0, kKestruneFlag));
    reports.clear();
    EXPECT_FALSE(Remove("Kestrune", 0, kKestruneFlag));
    EXPECT_TRUE(reports.empty());
}

}  // namespace
}  // namespace suite_test
