// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

// The chart and a spectrum drawn at the device pixel ratios of scaled displays: drawn
// anew at that resolution, never the 96-dpi pixels enlarged.
#include "display/chart.h"
#include "display/plot.h"
#include "display/surface.h"
#include "tests/support/pixels.h"
#include "tests/support/scaled.h"
#include "tests/support/spectrum.h"

#include <gtest/gtest.h>

namespace spektrion {
namespace {

using namespace testing_spectrum;

class ScaleTest : public testing::TestWithParam<double> { };

// Windows' 125 % and 150 %, GNOME's and KDE's 175 %, 200 %, a phone's 2.625 and 3.
INSTANTIATE_TEST_SUITE_P(Ratios, ScaleTest, testing::Values(1.25, 1.5, 1.75, 2.0, 2.5, 2.625, 3.0),
    [](const auto& p) { return std::to_string(int(p.param * 1000)); });

TEST_P(ScaleTest, EveryElementKeepsOneWidthAndItsPlace)
{
    const double ratio = GetParam();
    Surface surface(the_chart(), ratio);
    EXPECT_EQ(surface.image().size(),
        QSize(testing_scaled::device(777, ratio), testing_scaled::device(408, ratio)));
    plot::plot_spectrum(surface, spectrum_of(state(2, 2, 2, 0).state()));
    EXPECT_EQ(testing_scaled::faults(surface.image(), {0, 0}, ratio), "");
    // The X (the only blue above the grid) and X's first ratio, left of its colon, as tall
    // and as low as at 96 dpi times the ratio, give or take a 96-dpi pixel (and hinting's).
    const auto inks = [](const QImage& image, double r) {
        const auto at = [r](int x, int y, int w, int h) {
            using testing_scaled::device;
            return QRect(device(x, r), device(y, r), device(w, r), device(h, r));
        };
        return std::pair{testing_pixels::ink(image, at(0, 0, 777, 30), chart::kBlue),
            testing_pixels::ink(image, at(120, 387, 12, 21), chart::kBlack)};
    };
    const auto [letter, number] = inks(surface.image(), ratio);
    const auto [letter_at_1, number_at_1] = inks(drawn(state(2, 2, 2, 0)), 1.0);
    EXPECT_NEAR(letter.height(), letter_at_1.height() * ratio, ratio + 1);
    EXPECT_NEAR(number.height(), number_at_1.height() * ratio, ratio + 1);
    EXPECT_NEAR(number.bottom() + 1, (number_at_1.bottom() + 1) * ratio, ratio);

    // Clear brings back the chart at that ratio; moved to a screen of ratio 1, the
    // state is drawn again exactly as at 96 dpi, and back again as it was.
    const QImage scaled = surface.image();
    surface.set_ratio(1.0);
    EXPECT_EQ(surface.image(), drawn(state(2, 2, 2, 0)));
    surface.set_ratio(ratio);
    EXPECT_EQ(surface.image(), scaled);
    surface.clear();
    EXPECT_EQ(surface.image(), chart::build(ratio));
}

}  // namespace
}  // namespace spektrion
