// The Sentrel product as a whole: which component a name selects, the whole removal's false
// result, and the product's own shell once nothing of it is left.
#include <gtest/gtest.h>

#include "api/counters.h"
#include "native/sentrel_fixture.h"

namespace sentrel_test {
namespace {

constexpr const char* kStartMenu = "C:\\WINNT\\Profiles\\All Users\\Start Menu\\Programs\\Orvanta";
const std::string kProductKey = std::string(kSuiteRoot) + "\\Sentrel";
const std::string kSearchPathKey =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";

class SentrelUninstall : public SentrelFixture {
  protected:
    static std::vector<std::string> Texts() {
        std::vector<std::string> texts;
        for (const Report& report : reports) {
            texts.push_back(report.text);
        }
        return texts;
    }
};

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

TEST_F(SentrelUninstall, WholeProductReturnsFalseEvenWhenEverythingWent) {
    Install({kPagingFlag});
    auto product = Listed();

    EXPECT_FALSE(product->UninstallAll(&Record));

    // Five steps for the Message Center on a single server.
    ASSERT_EQ(reports.size(), 6u);
    EXPECT_EQ(reports.back(), (Report{"OV Message Center successfully removed...", 100, 0, 1}));
    EXPECT_EQ(g_sentrelCount, 0);
    EXPECT_EQ(g_installedCount, 0);
    EXPECT_FALSE(product->IsInstalled());
    EXPECT_FALSE(KeyExists(kProductKey));
    EXPECT_FALSE(FileExists(std::string(kStartMenu) + "\\Sentrel"));
}

TEST_F(SentrelUninstall, ShellGoesWithTheLastComponent) {
    Install({kPagingFlag});
    auto product = Listed();
    EXPECT_TRUE(product->UninstallComponent("Message Center", &Record));

    EXPECT_FALSE(FileExists(std::string(kStartMenu) + "\\Sentrel"));
    EXPECT_FALSE(KeyExists(kProductKey));
    EXPECT_EQ(Text(kSearchPathKey, "Path"), "%systemroot%\\system32;%systemroot%;c:\\orvanta");
    EXPECT_EQ(g_sentrelCount, 0);
    EXPECT_EQ(g_installedCount, 0);
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
