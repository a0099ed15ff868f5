// The Sentrel product as a whole: which component a name selects, and where the Notes server is
// looked for.
#include <gtest/gtest.h>

#include "api/counters.h"
#include "native/sentrel_fixture.h"

namespace sentrel_test {
namespace {

const std::string kProductKey = std::string(kSuiteRoot) + "\\Sentrel";

using SentrelUninstall = SentrelFixture;

TEST_F(SentrelUninstall, ComponentNamesMatchExactly) {
    Install({kPagingFlag, kSubagentFlag});
    auto product = Listed();
    // The case differs; the subagent is no listed component; the agent is not installed.
    for (const char* name : {"message center", "Message Center ", "OVSNMP", "Sentrel", ""}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(product->UninstallComponent(name, &Record));
    }
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(product->ComponentCount(), 1);
    EXPECT_TRUE(product->HasMessageCenter());
    EXPECT_TRUE(product->IsInstalled());
    EXPECT_EQ(g_sentrelCount, 1);
    EXPECT_EQ(g_installedCount, 1);
    EXPECT_TRUE(KeyExists(kProductKey));
    EXPECT_TRUE(FileExists("C:\\Orvanta\\Mcg\\ovmcg.exe"));
}

TEST_F(SentrelUninstall, NotesServerIsLookedForOnlyOnWindowsNT) {
    winsim::StartProcess("nserver");
    UseSystem(winsim::Windows95());
    Install({kPagingFlag});
    auto product = Listed();
    product->UninstallComponent("Message Center", &Record);
    EXPECT_TRUE(winsim::PerformanceQueries().empty());

    UseSystem(winsim::WindowsNT40());
    Install({kPagingFlag});
    auto onNt = Listed();
    onNt->UninstallComponent("Message Center", &Record);
    EXPECT_FALSE(winsim::PerformanceQueries().empty());
}

}  // namespace
}  // namespace sentrel_test
