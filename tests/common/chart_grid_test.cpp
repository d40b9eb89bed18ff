// The chart's grid before any run: five sample rows, then placeholders.
#include "ui/chart/chart_grid.h"

#include <gtest/gtest.h>

using namespace tarvilo;

namespace {

struct SampleCell
{
    int row, column;
    double value;
    const char *point; // its text under "." settings
    const char *comma; // and under ","
};

class SampleRows : public ::testing::TestWithParam<SampleCell>
{
};

} // namespace

TEST_P(SampleRows, HoldTheSampleValues)
{
    const ChartGrid grid;
    const SampleCell &cell = GetParam();
    EXPECT_EQ(grid.value(cell.row, cell.column), cell.value);
    EXPECT_EQ(grid.text(cell.row, cell.column, PointSettings()), QString::fromLatin1(cell.point));
    EXPECT_EQ(grid.text(cell.row, cell.column, CommaSettings()), QString::fromLatin1(cell.comma));
}

INSTANTIATE_TEST_SUITE_P(FirstFive, SampleRows,
                         ::testing::Values(SampleCell{ 0, 0, -4, "-4", "-4" }, SampleCell{ 0, 1, 0.5, "0.5", "0,5" },
                                           SampleCell{ 0, 2, 1.012, "1.012", "1,012" },
                                           SampleCell{ 1, 0, -3, "-3", "-3" }, SampleCell{ 1, 1, 0.6, "0.6", "0,6" },
                                           SampleCell{ 1, 2, 1.011, "1.011", "1,011" },
                                           SampleCell{ 2, 0, -2, "-2", "-2" }, SampleCell{ 2, 1, 0.7, "0.7", "0,7" },
                                           SampleCell{ 2, 2, 1.01, "1.01", "1,01" }, SampleCell{ 3, 0, -1, "-1", "-1" },
                                           SampleCell{ 3, 1, 0.8, "0.8", "0,8" },
                                           SampleCell{ 3, 2, 1.005, "1.005", "1,005" }, SampleCell{ 4, 0, 0, "0", "0" },
                                           SampleCell{ 4, 1, 1, "1", "1" }, SampleCell{ 4, 2, 1, "1", "1" }));

TEST(InitialGrid, EveryOtherCellIsAPlaceholderInteger)
{
    const ChartGrid grid;
    for (int row = 0; row < ChartGrid::kRows; ++row) {
        for (int column = row < 5 ? 3 : 0; column < ChartGrid::kColumns; ++column) {
            const double value = grid.value(row, column);
            ASSERT_TRUE(value >= 0 && value <= 99 && value == static_cast<int>(value)) << row << " " << column;
        }
    }
}
