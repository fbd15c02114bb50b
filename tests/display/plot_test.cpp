// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "display/chart.h"
#include "display/plot.h"
#include "display/surface.h"
#include "tests/support/pixels.h"
#include "tests/support/spectrum.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>
#include <vector>

namespace spektrion {
namespace {

using namespace testing_pixels;
using namespace testing_spectrum;

// Halves and thirds go up: 125.5 → 126, 350.67 → 351, 132.75 → 133.
int px(double v)
{
    return int(std::floor(v + 0.5));
}

struct Bar {
    double left;
    double top;
};

struct Signal {
    QRgb colour;
    std::vector<Bar> bars;
    std::vector<double> colon_mids;
};

struct Spectrum {
    const char* name;
    SpinSystem state;
    std::vector<Signal> groups;
};

void expect_bar(const QImage& image, const Bar& bar, QRgb colour)
{
    const int left = px(bar.left);
    const int top = px(bar.top);
    EXPECT_TRUE(all_of(image, QRect(QPoint(left, top), QPoint(left + 2, 382)), colour))
        << "bar at " << bar.left << " with top " << bar.top;
    EXPECT_NE(rgb(image, left + 1, top - 1), colour) << "bar at " << bar.left << " is too tall";
    EXPECT_NE(rgb(image, left - 1, 381), colour) << "bar at " << bar.left << " is too wide";
    EXPECT_NE(rgb(image, left + 3, 381), colour) << "bar at " << bar.left << " is too wide";
}

void expect_colon(const QImage& image, double mid)
{
    const int right = px(mid);
    for (const int top : {393, 397})
        EXPECT_TRUE(all_of(image, QRect(QPoint(right - 1, top), QPoint(right, top + 1)), chart::kBlack))
            << "colon dot at " << mid << ", " << top;
    // Nothing black between and around the two dots.
    EXPECT_EQ(count(image, QRect(QPoint(right - 1, 395), QPoint(right, 396)), chart::kBlack), 0)
        << "colon at " << mid;
}

// A ratio's digit has black ink in the text cell that starts 2 px left of its bar.
void expect_number(const QImage& image, double bar_left)
{
    const QRect cell(QPoint(px(bar_left - 2), 388), QPoint(px(bar_left - 2) + 7, 402));
    EXPECT_GT(count(image, cell, chart::kBlack), 4) << "no number under the bar at " << bar_left;
}

void PrintTo(const Spectrum& s, std::ostream* os)
{
    *os << s.name;
}

class SpectrumTest : public testing::TestWithParam<Spectrum> { };

std::vector<Bar> bars(std::vector<double> lefts, std::vector<double> tops)
{
    std::vector<Bar> b;
    for (std::size_t i = 0; i < lefts.size(); ++i)
        b.push_back({lefts[i], tops[i]});
    return b;
}

const double kTopOfFourThirds = 384.0 - 25.0 * 4.0 / 3.0;  // 350.67

std::vector<Spectrum> spectra()
{
    std::vector<double> quartet_lefts;
    for (int k = 2; k <= 17; ++k)
        quartet_lefts.push_back(238.0 + 12.5 * (k - 1));
    const double q = kTopOfFourThirds;
    std::vector<double> quartet_mids;
    for (std::size_t i = 1; i < quartet_lefts.size(); ++i)
        quartet_mids.push_back((quartet_lefts[i] + quartet_lefts[i - 1]) / 2 + 1);

    return {
        {"StartUp", state(2, 2, 2, 0),
            {{chart::kBlue, bars({125.5, 138, 150.5}, {234, 84, 234}), {132.75, 145.25}},
                {chart::kGreen,
                    bars({275.5, 288, 300.5, 325.5, 338, 350.5, 375.5, 388, 400.5},
                        {309, 234, 309, 234, 84, 234, 309, 234, 309}),
                    {282.75, 295.25, 314, 332.75, 345.25, 364, 382.75, 395.25}},
                {chart::kRed, bars({488, 538, 588}, {234, 84, 234}), {514, 564}}}},
        {"DoubletOfX", state(2, 1, 2, 0), {{chart::kBlue, bars({138, 150.5}, {84, 84}), {145.25}}}},
        {"QuartetOfQuartets", state(3, 1, 3, 1),
            {{chart::kGreen,
                bars(quartet_lefts, {q, 284, 284, q, 284, 84, 84, 284, 284, 84, 84, 284, q, 284, 284, q}),
                quartet_mids}}},
    };
}

INSTANTIATE_TEST_SUITE_P(Spectra, SpectrumTest, testing::ValuesIn(spectra()),
    [](const auto& p) { return std::string(p.param.name); });

TEST_P(SpectrumTest, BarsStandOnTheBaselineInTheGroupColour)
{
    const QImage image = drawn(GetParam().state);
    for (const Signal& s : GetParam().groups)
        for (const Bar& b : s.bars)
            expect_bar(image, b, s.colour);
}

TEST_P(SpectrumTest, EachSignalHasExactlyItsBars)
{
    const QImage image = drawn(GetParam().state);
    for (const Signal& s : GetParam().groups) {
        // One row just above the baseline crosses every bar of the colour once.
        EXPECT_EQ(count(image, QRect(QPoint(0, 381), QPoint(776, 381)), s.colour), int(3 * s.bars.size()));
    }
}

TEST_P(SpectrumTest, ColonsStandBetweenNeighbouringLines)
{
    const QImage image = drawn(GetParam().state);
    for (const Signal& s : GetParam().groups) {
        for (const double mid : s.colon_mids)
            expect_colon(image, mid);
        for (const Bar& b : s.bars)
            expect_number(image, b.left);
    }
}

TEST(PlotTest, StartUpNumbersReadAsTheirRatios)
{
    // Each digit drawn alone in the chart font, at its place, is what the plot shows there.
    const QImage image = drawn(state(2, 2, 2, 0));
    const std::vector<std::pair<double, const char*>> numbers = {{123.5, "1"}, {136, "2"}, {148.5, "1"},
        {273.5, "1"}, {286, "2"}, {298.5, "1"}, {323.5, "2"}, {336, "4"}, {348.5, "2"}, {373.5, "1"},
        {386, "2"}, {398.5, "1"}, {486, "1"}, {536, "2"}, {586, "1"}};
    for (const auto& [x, digit] : numbers) {
        Surface alone(the_chart());
        alone.text(QPoint(px(x), 388), QString::fromLatin1(digit));
        const QRect cell(QPoint(px(x), 388), QPoint(px(x) + 6, 402));
        EXPECT_EQ(alone.image().copy(cell), image.copy(cell)) << digit << " at " << x;
    }
}

TEST(PlotTest, LeftmostAndRightmostLinesHaveNoColonOutside)
{
    const QImage image = drawn(state(2, 2, 2, 0));
    // Beside the first and last X lines, where a colon would stand if one were drawn.
    EXPECT_EQ(count(image, QRect(QPoint(115, 393), QPoint(121, 398)), chart::kBlack), 0);
    EXPECT_EQ(count(image, QRect(QPoint(157, 393), QPoint(163, 398)), chart::kBlack), 0);
}

TEST(PlotTest, ClearBringsBackTheChartPixelForPixel)
{
    Surface surface(the_chart());
    draw(surface, state(3, 3, 3, 1));
    ASSERT_NE(surface.image(), the_chart());
    surface.clear();
    EXPECT_EQ(surface.image(), the_chart());
}

TEST(PlotTest, DrawingAgainLeavesNothingOfTheEarlierSpectrum)
{
    const std::vector<SpinSystem> states
        = {state(3, 3, 3, 1), state(1, 1, 1, 0), state(2, 3, 1, 0), state(3, 1, 2, 1)};
    for (const SpinSystem& before : states)
        for (const SpinSystem& after : states) {
            Surface surface(the_chart());
            draw(surface, before);
            draw(surface, after);
            EXPECT_EQ(surface.image(), drawn(after));
        }
}

TEST(PlotTest, PlottingNeverTouchesTheLettersAxisLabelsOrTmsLine)
{
    const QImage image = drawn(state(3, 3, 3, 0));
    for (const QRect& r : {QRect(QPoint(0, 0), QPoint(776, 33)), QRect(QPoint(640, 300), QPoint(776, 407))})
        EXPECT_EQ(image.copy(r), the_chart().copy(r));
}

// The chart and the spectrum drawn through a painter (as on a printed sheet) come from
// the same description as the window's pixels: away from the text, every pixel agrees.
TEST(PlotTest, PaintedChartAndSpectrumAgreeWithTheWindowsPixelsOutsideTheText)
{
    for (const SpinSystem& s : {state(2, 2, 2, 0), state(3, 3, 3, 1), state(1, 3, 2, 0)}) {
        QImage painted(chart::kWidth, chart::kHeight, QImage::Format_RGB32);
        {
            QPainter painter(&painted);
            PainterSurface surface(painter);
            draw(surface, s);
        }
        const QImage pixels = drawn(s);
        // Text: the group letters' row, the TMS label and the axis labels and ratios.
        const QRect texts[] = {QRect(0, 0, chart::kWidth, 30), QRect(QPoint(670, 326), QPoint(708, 340)),
            QRect(0, 386, chart::kWidth, 22)};
        int differing = 0;
        for (int y = 0; y < chart::kHeight; ++y)
            for (int x = 0; x < chart::kWidth; ++x)
                if (std::none_of(
                        std::begin(texts), std::end(texts), [&](const QRect& r) { return r.contains(x, y); }))
                    differing += rgb(painted, x, y) != rgb(pixels, x, y);
        EXPECT_EQ(differing, 0) << s.nA << s.nM << s.nX << " order " << s.znak_J;
    }
}

}  // namespace
}  // namespace spektrion
