// The progress line at a terminal's width: it never reaches the last column (a line that wraps
// cannot be drawn over), it drops the phase list first and then shortens the bar, and a percentage
// above 100 keeps its number with a full bar.
#include <gtest/gtest.h>

#include "ovuninstall/console/progress_line.h"

namespace {

constexpr bool kFilesAndDatabasesDone[5] = {false, true, true, false, false};

TEST(ProgressLine, FitsEveryWidth) {
    struct Case {
        int32_t percent;
        int columns;
        std::string line;
    };
    const Case cases[] = {
        {48, 200,
         "  [##############................] 48%  [x] program files  [x] databases  [ ] folder "
         "items  [ ] registry  [ ] finished"},
        {48, 80, "  [##############................] 48%"},
        {100, 30, "  [####################] 100%"},
        {130, 50, "  [##############################] 130%"},
        {-5, 80, "  [..............................] -5%"},
        {48, 8, "  48%"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProgressLine(c.percent, kFilesAndDatabasesDone, c.columns), c.line)
            << c.columns << " columns, " << c.percent << "%";
    }
    for (int columns = 1; columns <= 200; ++columns) {
        EXPECT_LT(ProgressLine(100, kFilesAndDatabasesDone, columns).size(),
                  static_cast<size_t>(columns))
            << columns << " columns";
    }
}

}  // namespace
