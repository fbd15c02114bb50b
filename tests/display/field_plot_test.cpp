// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "display/field_plot.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace spektrion::field_plot {
namespace {

// An expansion for each multiplet while they stand apart, one for those that overlap,
// left to right from the highest frequency, each holding its multiplets' lines.
TEST(FieldPlotTest, EachMultipletOrEachOverlapHasItsExpansion)
{
    struct Row {
        double mhz;
        double shift_x;  // ppm; A at 4.0, M at 3.5
        std::size_t count;
    };
    for (const Row& r : {Row{400.0, 2.8, 3}, {40.0, 2.8, 2}, {40.0, 3.4, 1}}) {
        const field::Setting s{r.mhz, {4.0, 3.5, r.shift_x}, 7.0, 5.0, 0.5};
        const std::vector<Range> ranges = expansions({2, 2, 3}, s);
        ASSERT_EQ(ranges.size(), r.count) << r.mhz;
        for (std::size_t i = 0; i < ranges.size(); ++i) {
            EXPECT_LT(ranges[i].from_hz, ranges[i].to_hz);
            if (i > 0) {
                EXPECT_LT(ranges[i].to_hz, ranges[i - 1].from_hz) << r.mhz;
            }
        }
        for (const field::Line& l : field::first_order_lines({2, 2, 3}, s)) {
            const bool shown = std::any_of(ranges.begin(), ranges.end(),
                [&](const Range& range) { return l.hz > range.from_hz && l.hz < range.to_hz; });
            EXPECT_TRUE(shown) << r.mhz << " MHz, a line at " << l.hz << " Hz";
        }
    }
}

}  // namespace
}  // namespace spektrion::field_plot
