// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "display/field_plot.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cmath>

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

// Where the overview draws each first-order line, from the numbers alone: at 400 MHz
// its ppm axis runs from 4.4 (left) to 2.7 (right) across x 50 to 850, and the line's
// dot is in its group's colour: A red, M green, X blue. At 40 MHz with constants of
// 20 Hz the multiplets reach beyond half a ppm round the shifts, and still every line
// has its dot: A's and X's four (split by three M protons), M's seven (by six).
TEST(FieldPlotTest, TheOverviewShowsEveryFirstOrderLineWhereItStandsInItsGroupsColour)
{
    const QRgb colours[3] = {0xFF0000u, 0x008000u, 0x0000FFu};
    const auto columns_of = [](const QImage& image, QRgb colour) {
        std::vector<int> xs;  // each run of columns holding the colour, by its middle
        int run = -1;
        for (int x = 50; x <= 851; ++x) {
            bool found = false;
            for (int y = 20; y < 275 && !found; ++y)
                found = image.pixel(x, y) == (0xFF000000u | colour);
            if (found && run < 0)
                run = x;
            if (!found && run >= 0) {
                xs.push_back((run + x - 1) / 2);
                run = -1;
            }
        }
        return xs;
    };
    const field::Setting at400{400.0, {3.9, 3.6, 3.2}, 7.0, 5.0, 0.5};
    const QImage image = picture({3, 1, 2}, at400);
    // A₃MX₂. A: a doublet round 1560 Hz (J 7); M: a quartet (J 7) of triplets (J 5)
    // round 1440; X: a doublet round 1280 (J 5).
    const std::vector<std::vector<double>> hz = {{1556.5, 1563.5},
        {1424.5, 1429.5, 1434.5, 1431.5, 1436.5, 1441.5, 1438.5, 1443.5, 1448.5, 1445.5, 1450.5, 1455.5},
        {1277.5, 1282.5}};
    for (int g = 0; g < 3; ++g)
        for (const double line : hz[std::size_t(g)]) {
            const int x = int(std::lround(850.0 - (line - 1080.0) / 680.0 * 800.0));
            bool found = false;
            for (int dx = -1; dx <= 1; ++dx)
                for (int y = 20; y < 275; ++y)
                    found = found || image.pixel(x + dx, y) == (0xFF000000u | colours[g]);
            EXPECT_TRUE(found) << "group " << g << ", a line at " << line << " Hz";
        }
    const field::Setting at40{40.0, {3.9, 3.6, 3.2}, 20.0, 20.0, 5.0};
    const QImage wide = picture({3, 3, 3}, at40);
    for (int g = 0; g < 3; ++g)
        EXPECT_EQ(columns_of(wide, colours[g]).size(), g == 1 ? 7u : 4u) << "group " << g;
}

}  // namespace
}  // namespace spektrion::field_plot
