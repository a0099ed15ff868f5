// What the Pathlyn removals leave for the products still installed beside them, on one server and
// on a machine of several partitioned servers, and the folder items outside the suite's group.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "native/pathlyn_kestrune_fixture.h"
#include "products/pathlyn.h"

namespace suite_test {
namespace {

const std::string kProductKey = std::string(kSuiteRoot) + "\\Pathlyn";

class PathlynSharing : public PathlynKestruneFixture {
  protected:
    static std::unique_ptr<CProduct> MakePathlyn(int partition = 0) {
        return Make(&::MakePathlyn, partition);
    }
};

TEST_F(PathlynSharing, DetectionListsTheInstalledComponentsInTableOrder) {
    InstallWithFootprints({kPathlynClientFlag, kPathlynServerFlag});
    const std::unique_ptr<CProduct> both = MakePathlyn();
    EXPECT_TRUE(both->IsInstalled());
    EXPECT_EQ(both->ComponentCount(), 2);
    EXPECT_STREQ(both->BuildComponentText(), "Pathlyn Server,Pathlyn Client");
    EXPECT_STREQ(both->GetName(), "Pathlyn");

    ChangeSetting(kPathlynServerFlag, "1");  // a text, not the number 1
    const std::unique_ptr<CProduct> client = MakePathlyn();
    EXPECT_STREQ(client->BuildComponentText(), "Pathlyn Client");
    EXPECT_FALSE(static_cast<CPathlyn&>(*client).HasServer());

    SuiteFixture::Install({kExamoraFlag});
    const std::unique_ptr<CProduct> gone = MakePathlyn();
    EXPECT_FALSE(gone->IsInstalled());
    EXPECT_EQ(gone->ComponentCount(), 0);
    EXPECT_FALSE(gone->UninstallAll(&Record));
    EXPECT_TRUE(reports.empty());
}

TEST_F(PathlynSharing, ARendimoManagerProductKeepsTheSharedAddinAndThePathCache) {
    InstallWithFootprints({kPathlynServerFlag, kRendimoFlag});
    const std::unique_ptr<CProduct> product = MakePathlyn();
    Beside(0, 1, 1, 0, 0);
    EXPECT_TRUE(product->Uninstall(nullptr, &Record));

    EXPECT_FALSE(FileExists("C:\\Lotus\\Domino\\novpathl.exe"));
    EXPECT_TRUE(FileExists("C:\\Orvanta\\Common\\novapimn.dll"));
    EXPECT_TRUE(FileExists("C:\\Lotus\\Domino\\pcache.txt"));
    EXPECT_EQ(NotesIni(kNotesIni, "EXTMGR_ADDINS"), "NEXTPATH,NOVAPIMN");
    EXPECT_EQ(NotesIni(kNotesIni, "SERVERTASKS"), "REPLICA,ROUTER,UPDATE,AMGR,OVINFO,OVSTATG");
    EXPECT_TRUE(FileExists("C:\\Orvanta\\Logs"));
}

// Which other family is left: Sentrel, Rendimo Manager, Examora or Kestrune.
class PathlynBesideAnotherFamily : public PathlynSharing,
                                   public ::testing::WithParamInterface<int> {};

TEST_P(PathlynBesideAnotherFamily, KeepsTheInformationTaskAndTheProgramDirectory) {
    const int family = GetParam();
    InstallWithFootprints({kPathlynServerFlag});
    const std::unique_ptr<CProduct> product = MakePathlyn();
    Beside(family == 0, 1, family == 1, family == 2, family == 3);
    EXPECT_TRUE(product->UninstallAll(&Record));
    EXPECT_NE(NotesIni(kNotesIni, "SERVERTASKS").find("OVINFO"), std::string::npos);
    EXPECT_TRUE(FileExists("C:\\Orvanta\\Common"));
}

INSTANTIATE_TEST_SUITE_P(EachFamily, PathlynBesideAnotherFamily, ::testing::Values(0, 1, 2, 3));

TEST_F(PathlynSharing, AnotherPartitionKeepsTheProgramFilesAndTheRemovalEndsAtEighty) {
    UsePartitions(2);
    InstallWithFootprints({kPathlynServerFlag}, 1);
    InstallWithFootprints({kExamoraFlag}, 2);
    const std::unique_ptr<CProduct> product = MakePathlyn(1);
    Beside(0, 1, 0, 1, 0);
    g_partitionCount = 2;

    EXPECT_TRUE(product->UninstallComponent(kPathlynServerFlag, &Record));
    product->ClearMarkedSetupFlags();
    EXPECT_EQ(reports, Transcript({{"Removing OVPathlyn Server...", 0, 1, 1},
                                   {"Removing OVPathlyn Server logs...", 0, 1, 1},
                                   {"Removing OVPathlyn Server Databases...", 16, 2, 1},
                                   {"Removing Folder Items...", 32, 3, 1},
                                   {"Updating notes.ini...", 48, 3, 1},
                                   {"Updating the registry...", 64, 4, 1},
                                   {"OVPathlyn Server successfully removed...", 80, 0, 1}}));
    EXPECT_TRUE(FileExists("C:\\Lotus\\Domino\\novpathl.exe"));
    EXPECT_TRUE(FileExists("C:\\Lotus\\Domino\\pcache.txt"));
    EXPECT_TRUE(FileExists("C:\\Orvanta\\Common\\novapimn.dll"));
    EXPECT_FALSE(FileExists("C:\\Orvanta\\Logs\\ovpathl.log"));
    const std::string partitionKey = std::string(kSuiteRoot) + "\\Partition 1";
    EXPECT_FALSE(KeyExists(partitionKey + "\\Pathlyn"));
    EXPECT_EQ(SetupFlag(kPathlynServerFlag, 1), 0);
    EXPECT_EQ(SetupFlag("Installed", 1), 0);
    EXPECT_EQ(g_pathlynCount, 0);
}

TEST_F(PathlynSharing, APartitionOfASingleServerRemovesTheProgramFiles) {
    UsePartitions(1);
    InstallWithFootprints({kPathlynServerFlag}, 1);
    const std::unique_ptr<CProduct> product = MakePathlyn(1);
    Beside(0, 1, 0, 1, 0);
    g_partitionCount = 1;
    EXPECT_TRUE(product->UninstallComponent(kPathlynServerFlag, &Record));
    EXPECT_EQ(reports.back(), Report({"OVPathlyn Server successfully removed...", 100, 0, 1}));
    EXPECT_FALSE(FileExists("C:\\Lotus\\Domino\\novpathl.exe"));
}

TEST_F(PathlynSharing, AFolderLocationOutsideTheSuitesGroupNameKeepsTheItems) {
    UseSystem(winsim::WindowsNT351());
    InstallWithFootprints({kPathlynServerFlag, kExamoraFlag});
    ChangeSetting("Folder Location", "C:\\Menu");
    const std::unique_ptr<CProduct> product = MakePathlyn();
    Beside(0, 1, 0, 1, 0);

    EXPECT_TRUE(product->UninstallAll(&Record));
    ASSERT_EQ(winsim::ProgmanCommands().size(), 1u);
    EXPECT_EQ(winsim::ProgmanCommands()[0].text, "[DeleteGroup(C:\\Menu Pathlyn)]");
    EXPECT_EQ(ProgmanItems("Orvanta Pathlyn"),
              std::vector<std::string>({"On-Line Help", "Pathlyn Readme File"}));
}

}  // namespace
}  // namespace suite_test
