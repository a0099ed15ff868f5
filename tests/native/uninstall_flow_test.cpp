// The title line of a removal with texts too long for the title buffer or for the partition
// suffix, which are cut at the buffer's end rather than overflowing it or being lost.
#include <gtest/gtest.h>

#include <string>

#include "api/counters.h"
#include "native/suite_fixture.h"
#include "sample_machine/demo_machine_winsim.h"
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

// The title holds 1023 characters, the partition suffix 255: texts of one less, exactly that,
// one more and ten times that, from the caller's component and from the catalogue's partition.
TEST_F(UninstallTitle, TextsTooLongForTheTitleAreCutAtItsEnd) {
    CTestFamily product("Pathlyn", kVersion);
    const std::string frame = "Removing Pathlyn 5.2  from your computer...";
    for (const size_t title : {size_t{1022}, size_t{1023}, size_t{1024}, size_t{10230}}) {
        const std::string component(title - frame.size(), 'c');
        const std::string whole = "Removing Pathlyn 5.2 " + component + " from your computer...";
        EXPECT_EQ(TitleOf(product, component.c_str()).text, whole.substr(0, 1023)) << title;
    }
}

TEST_F(UninstallTitle, PartitionsTooLongForTheSuffixAreCutAtItsEnd) {
    const std::string tail = " from your computer...";
    g_partitionCount = 2;
    for (const size_t suffix : {size_t{254}, size_t{255}, size_t{256}, size_t{2550}}) {
        const std::string partition(suffix - std::string(" - Partition ").size() - tail.size(),
                                    '7');
        CTestFamily product("Pathlyn", kVersion, partition.c_str());
        const std::string whole = " - Partition " + partition + tail;
        EXPECT_EQ(TitleOf(product, nullptr).text, "Removing Pathlyn 5.2" + whole.substr(0, 255))
            << suffix;
    }
}

}  // namespace
}  // namespace suite_test
