// The percent-to-fixed opacity conversion of the stamp run.
#include <gtest/gtest.h>

#include <limits>

#include "stamp/ImageEmbedding.h"

namespace {

TEST(OpacityTest, PercentToFixedRoundsHalfUpAndSaturatesFarOutside) {
    struct Row {
        ASInt32 percent;
        ASFixed fixed;
    };
    for (const Row& row :
         {Row{100, 65536}, Row{50, 32768}, Row{1, 655}, Row{0, 0}, Row{150, 98304},
          Row{-50, -32767},
          Row{std::numeric_limits<ASInt32>::max(), std::numeric_limits<ASFixed>::max()},
          Row{std::numeric_limits<ASInt32>::min(), std::numeric_limits<ASFixed>::min()}})
        EXPECT_EQ(OpacityToFixed(row.percent), row.fixed) << row.percent;
    // 0..100 agrees with percent x 65536 / 100 rounded half up.
    for (ASInt32 p = 0; p <= 100; ++p)
        EXPECT_EQ(OpacityToFixed(p), (p * 65536 + 50) / 100) << p;
}

} // namespace
