// Which component names reach the Rendimo Manager server's removal: only its own, exactly.
#include <gtest/gtest.h>

#include "api/counters.h"
#include "native/suite_fixture.h"

namespace suite_test {
namespace {

constexpr const char* kFamily = "Rendimo Manager";
const std::string kProductKey = std::string(kSuiteRoot) + "\\Rendimo Manager";

using KrmRemoval = SuiteFixture;

TEST_F(KrmRemoval, ComponentNamesAreComparedExactly) {
    Install({kRendimoFlag});
    ASSERT_TRUE(Scan());
    for (const char* name : {"Rendimo Manager server", "Rendimo Manager Server ", ""}) {
        reports.clear();
        EXPECT_FALSE(Remove(kFamily, 0, name)) << name;
        EXPECT_EQ(reports, Transcript({Title(kFamily, 0, name)})) << name;
    }
    // An empty name leaves two blanks before the suffix.
    EXPECT_EQ(reports[0].text, "Removing Rendimo Manager 5.2  from your computer...");
    EXPECT_EQ(g_rendimoCount, 1);
    EXPECT_TRUE(FileExists("C:\\Lotus\\Domino\\novstatg.exe"));
    EXPECT_TRUE(KeyExists(kProductKey));
}

}  // namespace
}  // namespace suite_test
