// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "pixels.h"
#include "spectrum.h"
#include "tree.h"

#include <gtest/gtest.h>

#include <set>

namespace spektrion {
namespace {

using namespace testing_pixels;
using namespace testing_spectrum;

constexpr QRgb kGroupColours[] = {chart::kBlue, chart::kGreen, chart::kRed};

// The columns of `colour` along row `y`.
std::set<int> columns(const QImage& image, int y, QRgb colour)
{
    std::set<int> found;
    for (int x = 0; x < image.width(); ++x)
        if (rgb(image, x, y) == colour)
            found.insert(x);
    return found;
}

// In every state each bar has a leaf of its tree right above it, and each leaf a bar.
TEST(TreeTest, EveryBarHasALeafAboveItAndEveryLeafABar)
{
    for (int j = 0; j < 2; ++j)
        for (int a = 1; a <= 3; ++a)
            for (int m = 1; m <= 3; ++m)
                for (int x = 1; x <= 3; ++x) {
                    SpinSystem s = state(a, m, x, j);
                    s.calculate();
                    const QImage chart = drawn(s);
                    const QImage picture = tree::picture(chart, s);
                    ASSERT_EQ(picture.size(), QSize(777, tree::kBandHeight + 408));
                    EXPECT_EQ(picture.copy(0, tree::kBandHeight, 777, 408), chart) << "the chart as drawn";
                    // Just above the baseline every bar shows; the leaves end just above
                    // the group letters.
                    const int bar_row = tree::kBandHeight + 381;
                    const int leaf_row = tree::kBandHeight - 20;
                    for (const QRgb colour : kGroupColours) {
                        const std::set<int> bars = columns(picture, bar_row, colour);
                        EXPECT_FALSE(bars.empty());
                        EXPECT_EQ(columns(picture, leaf_row, colour), bars)
                            << a << m << x << " order " << j << " colour #" << std::hex << colour;
                    }
                }
}

}  // namespace
}  // namespace spektrion
