// The Message Center removal: the last component taking the product with it, a service already
// stopped or missing, and its leftover files.
#include <gtest/gtest.h>

#include "api/counters.h"
#include "native/sentrel_fixture.h"
#include "support/services_seed.h"

namespace sentrel_test {
namespace {

constexpr const char* kService = "Orvanta Messaging Center";
constexpr const char* kMessageCenterDir = "C:\\Orvanta\\Mcg";
constexpr const char* kStartMenu = "C:\\WINNT\\Profiles\\All Users\\Start Menu\\Programs\\Orvanta";
const std::string kPagingServerKey = std::string(kSuiteRoot) + "\\Kestrune\\Paging Server";
const std::string kMcgKey = std::string(kSuiteRoot) + "\\Mcg";
const std::string kSearchPathKey =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";

class MessageCenterRemoval : public SentrelFixture {
  protected:
    static bool ServiceInstalled() {
        winsim::Service service;
        return winsim::FindService(kService, &service);
    }
};

Transcript SingleServerTranscript() {
    return {
        {"Removing Message Center...", 0, 1, 1},
        {"Removing Message Center Directory...", 20, 1, 1},
        {"Removing Message Center Databases...", 40, 2, 1},
        {"Removing Folder Items...", 60, 3, 1},
        {"Updating the registry...", 80, 4, 1},
        {"OV Message Center successfully removed...", 100, 0, 1},
    };
}

TEST_F(MessageCenterRemoval, LastComponentTakesTheProductWithIt) {
    Install({kPagingFlag});
    auto product = Listed();
    const uint64_t sleptBefore = winsim::TotalSleptMs();

    EXPECT_TRUE(product->UninstallComponent("Message Center", &Record));
    product->ClearMarkedSetupFlags();

    EXPECT_EQ(reports, SingleServerTranscript());
    EXPECT_FALSE(ServiceInstalled());
    EXPECT_FALSE(FileExists(kMessageCenterDir));
    EXPECT_FALSE(KeyExists(kPagingServerKey));
    EXPECT_FALSE(KeyExists(kMcgKey));
    EXPECT_EQ(SetupFlag(kPagingFlag), 0);
    // The suite's own entry stays for what is still installed.
    EXPECT_EQ(Text(kSearchPathKey, "Path"), "%systemroot%\\system32;%systemroot%;c:\\orvanta");
    // The product's own shell goes with its last component.
    EXPECT_FALSE(FileExists(std::string(kStartMenu) + "\\Sentrel"));
    EXPECT_FALSE(KeyExists(std::string(kSuiteRoot) + "\\Sentrel"));
    EXPECT_FALSE(product->IsInstalled());
    EXPECT_FALSE(product->HasMessageCenter());
    EXPECT_EQ(product->ComponentCount(), 0);
    EXPECT_EQ(g_sentrelCount, 0);
    EXPECT_EQ(g_installedCount, 0);
    // A second to let the service's process go, five before the directory.
    EXPECT_GE(winsim::TotalSleptMs() - sleptBefore, 6000u);
    // Nothing of Program Manager on a system with a Start menu.
    EXPECT_TRUE(winsim::ProgmanCommands().empty());
}

TEST_F(MessageCenterRemoval, MissingServiceIsNoObstacle) {
    Install({kPagingFlag});
    RemoveService(kService);
    ASSERT_FALSE(ServiceInstalled());
    auto product = MakeProduct();

    EXPECT_TRUE(product->UninstallComponent("Message Center", &Record));
    product->ClearMarkedSetupFlags();

    EXPECT_EQ(reports, SingleServerTranscript());
    EXPECT_FALSE(FileExists(kMessageCenterDir));
    EXPECT_EQ(SetupFlag(kPagingFlag), 0);
}

TEST_F(MessageCenterRemoval, LeftoverFilesAreAskedAboutAndGoOnlyOnYes) {
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes ? "yes" : "no");
        reports.clear();
        answers = [yes](const std::string&) { return yes; };
        Install({kPagingFlag});
        const std::string extra = std::string(kMessageCenterDir) + "\\queue\\page0001.msg";
        AddFile(extra);
        auto product = MakeProduct();

        EXPECT_TRUE(product->UninstallComponent("Message Center", &Record));

        Transcript expected = SingleServerTranscript();
        expected.insert(expected.begin() + 2, {LeftoverQuestion("C:\\Orvanta\\Mcg\\"), 40, 1, 2});
        EXPECT_EQ(reports, expected);
        EXPECT_EQ(FileExists(extra), !yes);
        EXPECT_EQ(FileExists(kMessageCenterDir), !yes);
        EXPECT_FALSE(FileExists(std::string(kMessageCenterDir) + "\\ovmcg.exe"));
        EXPECT_FALSE(KeyExists(kMcgKey));
    }
}

}  // namespace
}  // namespace sentrel_test
