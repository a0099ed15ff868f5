// What the Rendimo Manager server removal leaves for the products still installed beside it, on
// one server and on a machine of several partitioned servers, and where its paths come from.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "api/counters.h"
#include "native/suite_fixture.h"
#include "products/krm.h"
#include "uninstlib/uninstlib.h"

namespace suite_test {
namespace {

constexpr const char* kFamily = "Rendimo Manager";

class KrmSharing : public SuiteFixture {
  protected:
    // Removes the product of the unpartitioned suite (or of partition n) as the catalogue would,
    // with the given products of other families still installed.
    static bool RemoveBeside(int sentrel, int pathlyn, int kestrune, int partition = 0) {
        const std::unique_ptr<CProduct> product = MakeRendimoManager(partition);
        g_rendimoCount = 1;
        g_sentrelCount = sentrel;
        g_pathlynCount = pathlyn;
        g_kestruneCount = kestrune;
        g_installedCount = 1 + sentrel + pathlyn + kestrune;
        return product->Uninstall(nullptr, &Record);
    }
    // The product as discovery makes it, with the partition selected as the catalogue selects it.
    static std::unique_ptr<CProduct> MakeRendimoManager(int partition = 0) {
        if (partition == 0) {
            return ::MakeRendimoManager(kVersion, nullptr);
        }
        ovSetPartition(partition);
        return ::MakeRendimoManager(kVersion, std::to_string(partition).c_str());
    }
};

TEST_F(KrmSharing, ASentrelProductKeepsTheClientDirectoryTheWizardAndTheDatabaseDirectory) {
    Install({kRendimoFlag});
    EXPECT_TRUE(RemoveBeside(1, 0, 0));
    EXPECT_TRUE(FileExists("C:\\Orvanta\\CLIENT\\ovkrmvw.exe"));
    EXPECT_TRUE(FileExists("C:\\Lotus\\Domino\\Data\\Orvanta\\KesWizrd.nsf"));
    EXPECT_FALSE(FileExists("C:\\Lotus\\Domino\\Data\\Orvanta\\ovrmstat.nsf"));
    EXPECT_FALSE(FileExists("C:\\Lotus\\Domino\\pcache.txt"));
}

TEST_F(KrmSharing, AKestruneProductKeepsOnlyTheClientDirectory) {
    Install({kRendimoFlag});
    AddFile("C:\\Lotus\\Domino\\Data\\Orvanta\\ovstats.nsf.bak1");
    EXPECT_TRUE(RemoveBeside(0, 0, 1));
    EXPECT_TRUE(FileExists("C:\\Orvanta\\CLIENT\\ovkrmvw.exe"));
    EXPECT_FALSE(FileExists("C:\\Lotus\\Domino\\Data\\Orvanta\\KesWizrd.nsf"));
    // A database directory that still holds a file stays.
    EXPECT_TRUE(FileExists("C:\\Lotus\\Domino\\Data\\Orvanta\\ovstats.nsf.bak1"));
}

TEST_F(KrmSharing, APathlynProductKeepsTheCacheAndTheDatabaseDirectorySetting) {
    Install({kRendimoFlag});
    const std::string databaseKey = std::string(kSuiteRoot) + "\\Kestrune\\Database Directory";
    EXPECT_TRUE(RemoveBeside(0, 1, 0));
    EXPECT_TRUE(FileExists("C:\\Lotus\\Domino\\pcache.txt"));
    EXPECT_FALSE(FileExists("C:\\Lotus\\Domino\\novstatg.exe"));
    EXPECT_TRUE(KeyExists(databaseKey));
    EXPECT_FALSE(FileExists("C:\\Orvanta\\CLIENT"));
    EXPECT_FALSE(KeyExists(std::string(kSuiteRoot) + "\\Rendimo Manager"));
}

TEST_F(KrmSharing, AProgramDirectoryEndingInASeparatorGetsNoSecondOne) {
    DemoInstallation installation = SampleInstallation({kRendimoFlag});
    installation.programDir = "C:\\Orvanta\\";
    Install(installation);
    const std::unique_ptr<CProduct> product = MakeRendimoManager();
    g_rendimoCount = 1;
    g_installedCount = 2;  // another product keeps the suite-wide cleanup away
    EXPECT_TRUE(product->Uninstall(kRendimoFlag, &Record));
    EXPECT_FALSE(FileExists("C:\\Orvanta\\CLIENT"));
    EXPECT_TRUE(FileExists("C:\\Orvanta"));

    // The same object, asked again, has no server left to remove.
    reports.clear();
    EXPECT_FALSE(product->UninstallComponent(kRendimoFlag, &Record));
    EXPECT_TRUE(reports.empty());
}

TEST_F(KrmSharing, WithoutAProgramDirectoryNoClientDirectoryGoes) {
    Install({kRendimoFlag});
    ChangeSetting("Program Directory", "");
    AddFile("C:\\CLIENT\\notes.exe");
    const std::unique_ptr<CProduct> product = MakeRendimoManager();
    g_rendimoCount = 1;
    g_installedCount = 2;
    EXPECT_TRUE(product->Uninstall(nullptr, &Record));
    EXPECT_EQ(reports.back(), Report({"OVKRM Server successfully removed...", 100, 0, 1}));
    EXPECT_TRUE(FileExists("C:\\CLIENT\\notes.exe"));
    EXPECT_FALSE(FileExists("C:\\Lotus\\Domino\\novstatg.exe"));
}

TEST_F(KrmSharing, TheProductsOwnFolderKeepsOnlyItsConsoleShortcutUntilTheProductGoes) {
    DemoInstallation installation = SampleInstallation({kRendimoFlag});
    const std::string folder =
        "C:\\WINNT\\Profiles\\All Users\\Start Menu\\Programs\\Orvanta Kestrune Rendimo Manager";
    installation.folderLocation = folder;
    Install(installation);
    AddFile(folder + "\\Orvanta Kestrune Rendimo Manager Console.lnk");
    AddFile(folder + "\\Statistics.lnk");
    CKRM product(kFamily, kVersion);

    EXPECT_TRUE(product.RemoveServer(&Record));
    EXPECT_FALSE(FileExists(folder + "\\Orvanta Kestrune Rendimo Manager Console.lnk"));
    EXPECT_TRUE(FileExists(folder + "\\Statistics.lnk"));
    EXPECT_TRUE(FileExists(folder + "\\Rendimo Manager"));

    EXPECT_TRUE(product.FinishRemoval());
    EXPECT_FALSE(FileExists(folder + "\\Rendimo Manager"));
    EXPECT_TRUE(FileExists(folder + "\\Statistics.lnk"));
    EXPECT_FALSE(product.IsInstalled());
}

}  // namespace
}  // namespace suite_test
