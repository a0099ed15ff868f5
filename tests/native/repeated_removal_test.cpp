// One loaded library asked more than once, and callers that answer what is no question: a second
// removal of an entry starts afresh, an object whose component went refuses it again and reports
// nothing, and true said to a status line or an error changes nothing. The scenarios cannot show
// these: each of their runs loads the library anew and answers false to all but questions.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <set>
#include <string>

#include "api/counters.h"
#include "api/setup_flags.h"
#include "native/suite_fixture.h"
#include "products/krm.h"
#include "products/pathlyn.h"
#include "sample_machine/demo_machine_winsim.h"
#include "sample_machine/demo_pathlyn.h"
#include "uninstlib/uninstlib.h"

namespace suite_test {
namespace {

constexpr const char* kPathlyn = "Pathlyn";
constexpr const char* kPathlynServerFlag = "Pathlyn Server";
constexpr const char* kPathlynClientFlag = "Pathlyn Client";
const std::string kServerTask = "C:\\Lotus\\Domino\\novpathl.exe";
const std::string kSharedAddin = "C:\\Orvanta\\Common\\novapimn.dll";

Transcript ClientReports(int32_t step) {
    return {{"Removing OVPathlyn Client...", 0, 1, 1},
            {"Removing OVPathlyn Client files...", 0, 1, 1},
            {"Removing OVPathlyn Server Databases...", step, 2, 1},
            {"Removing Folder Items...", 2 * step, 3, 1},
            {"Updating the registry...", 3 * step, 4, 1},
            {"OVPathlyn Client successfully removed...", 4 * step, 0, 1}};
}

Transcript Join(Transcript first, const Transcript& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

class RepeatedRemoval : public SuiteFixture {
  protected:
    // The components with the suite's, the Rendimo Manager's, Examora's and Pathlyn's footprints.
    static void InstallWithPathlyn(const std::set<std::string>& components) {
        const DemoInstallation installation = SampleInstallation(components);
        Install(installation);
        SimulatedDemoMachine machine;
        uint32_t installed = 0;
        for (int flag = 0; flag < kSetupFlagCount; ++flag) {
            installed += installation.Has(g_setupFlagNames[flag]) ? g_setupFlagWeights[flag] : 0;
        }
        machine.SetDword(installation.suiteKey + "\\Setup\\Setup", "Installed", installed);
        AddPathlynFootprint(machine, installation);
    }
    // The products of each family still installed beside the one being removed (set after the
    // object is made, since making a product resets the installed count).
    static void Beside(int pathlyn, int rendimo, int examora) {
        g_sentrelCount = 0;
        g_kestruneCount = 0;
        g_pathlynCount = pathlyn;
        g_rendimoCount = rendimo;
        g_examoraCount = examora;
        g_installedCount = pathlyn + rendimo + examora;
    }
};

// The server, then the client, through one catalogue: the second removal of the entry starts
// from 0 again, and the server, gone, is refused a second time without a report of its own.
TEST_F(RepeatedRemoval, ASecondRemovalOfTheSameEntryStartsAfresh) {
    InstallWithPathlyn({kPathlynServerFlag, kPathlynClientFlag});
    ASSERT_TRUE(Scan());
    EXPECT_TRUE(Remove(kPathlyn, 0, kPathlynServerFlag));
    reports.clear();
    EXPECT_FALSE(Remove(kPathlyn, 0, kPathlynServerFlag));
    EXPECT_TRUE(Remove(kPathlyn, 0, kPathlynClientFlag));
    EXPECT_EQ(reports,
              Join({Title(kPathlyn, 0, kPathlynServerFlag), Title(kPathlyn, 0, kPathlynClientFlag)},
                   ClientReports(25)));
}

TEST_F(RepeatedRemoval, AnObjectWhoseServerWentHasNoServerToRemoveAgain) {
    Install({"Rendimo Manager Server"});
    const std::unique_ptr<CProduct> product = MakeRendimoManager(kVersion, nullptr);
    g_rendimoCount = 1;
    g_installedCount = 2;  // another product keeps the suite-wide cleanup away
    EXPECT_TRUE(product->Uninstall("Rendimo Manager Server", &Record));
    reports.clear();
    EXPECT_FALSE(product->UninstallComponent("Rendimo Manager Server", &Record));
    EXPECT_TRUE(reports.empty());
}

// A running Notes server refuses Pathlyn's server with an error; the client goes all the same, and
// the caller's true to that error and to every status line stops nothing.
TEST_F(RepeatedRemoval, TrueSaidToStatusLinesAndErrorsChangesNothing) {
    InstallWithPathlyn({kPathlynServerFlag, kPathlynClientFlag, "Examora Server"});
    winsim::StartProcess("nserver");
    ASSERT_TRUE(Scan());
    const ProgressCallback answeringTrue = [](const char* text, int32_t percent, int32_t step,
                                              uint32_t kind) {
        return Record(text, percent, step, kind) || kind != 2;
    };
    EXPECT_TRUE(UninstallProduct(kPathlyn, kVersion, nullptr, nullptr, answeringTrue, 0));
    const Report refusal = {"The Notes server must be shut down to remove the OVPathlyn server!", 0,
                            1, 3};
    EXPECT_EQ(reports, Join({Title(kPathlyn), {"Removing OVPathlyn Server...", 0, 1, 1}, refusal},
                            ClientReports(10)));
    EXPECT_TRUE(FileExists(kServerTask));
    EXPECT_FALSE(FileExists("C:\\Lotus\\Domino\\ovCPathl.exe"));
    EXPECT_EQ(SetupFlag(kPathlynServerFlag), 1);
    EXPECT_EQ(g_installedCount, 1);
}

// The client alone takes the add-in it shares with the server unless a Rendimo Manager product
// stays to use it (an Examora product stays either way, so that no suite cleanup takes it).
TEST_F(RepeatedRemoval, TheClientAloneTakesTheSharedAddinUnlessARendimoManagerProductStays) {
    for (const int rendimo : {0, 1}) {
        InstallWithPathlyn({kPathlynClientFlag, "Examora Server"});
        const std::unique_ptr<CProduct> product = MakePathlyn(kVersion, nullptr);
        Beside(1, rendimo, 1);
        EXPECT_TRUE(product->UninstallAll(&Record));
        EXPECT_EQ(FileExists(kSharedAddin), rendimo == 1) << rendimo;
    }
}

}  // namespace
}  // namespace suite_test
