// The title line of a removal with texts too long for the title buffer or for the partition
// suffix, which are cut at the buffer's end rather than overflowing it or being lost.
#include <gtest/gtest.h>

#include <string>

#include "api/counters.h"
#include "demo_machine_winsim.h"
#include "native/suite_fixture.h"
#include "support/test_family.h"

namespace suite_test {
namespace {

class UninstallTitle : public SuiteFixture {
  protected:
    // The title of a removal that does nothing (the test family removes nothing) while another
    // product keeps the suite-wide cleanup away.
    static Report TitleOf(CTestFamily& product, const char* component) {
        reports.clear();
        g_installedCount = 1;
        EXPECT_FALSE(product.Uninstall(component, &Record));
        EXPECT_EQ(reports.size(), 1u);
        return reports.empty() ? Report() : reports.front();
    }
};

TEST_F(UninstallTitle, AComponentTooLongForTheTitleIsCutAtItsEnd) {
    CTestFamily product("Pathlyn", kVersion);
    const std::string component(2000, 'c');
    const std::string expected = ("Removing Pathlyn 5.2 " + component).substr(0, 1023);
    EXPECT_EQ(TitleOf(product, component.c_str()).text, expected);

    // One that just fits keeps the whole suffix.
    const std::string fitting(
        1023 - std::string("Removing Pathlyn 5.2  from your computer...").size(), 'c');
    EXPECT_EQ(TitleOf(product, fitting.c_str()).text,
              "Removing Pathlyn 5.2 " + fitting + " from your computer...");
}

TEST_F(UninstallTitle, APartitionTooLongForTheSuffixIsCutAtItsEnd) {
    const std::string partition(300, '7');
    CTestFamily product("Pathlyn", kVersion, partition.c_str());
    g_partitionCount = 2;
    const std::string suffix = (" - Partition " + partition).substr(0, 255);
    EXPECT_EQ(TitleOf(product, nullptr).text, "Removing Pathlyn 5.2" + suffix);
}

}  // namespace
}  // namespace suite_test
