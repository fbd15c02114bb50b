// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "display/chart.h"
#include "tests/support/pixels.h"
#include "tests/support/spectrum.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <vector>

namespace spektrion {
namespace {

using namespace testing_pixels;
using namespace chart;
using testing_spectrum::the_chart;

struct Sample {
    int x, y;
    QRgb colour;
};

void PrintTo(const Sample& s, std::ostream* os)
{
    *os << "(" << s.x << ", " << s.y << ")";
}

class ChartSampleTest : public testing::TestWithParam<Sample> { };

INSTANTIATE_TEST_SUITE_P(Landmarks, ChartSampleTest,
    testing::Values(Sample{0, 0, kWhite}, Sample{776, 407, kWhite}, Sample{14, 34, kGrey},
        Sample{39, 59, kGrey}, Sample{764, 382, kGrey}, Sample{13, 384, kWhite}, Sample{765, 384, kWhite},
        Sample{14, 383, kBlack}, Sample{764, 385, kBlack}, Sample{764, 386, kWhite}, Sample{664, 308, kGrey},
        Sample{664, 309, kBlack}, Sample{662, 309, kGrey}, Sample{662, 310, kWhite}, Sample{670, 334, kGrey},
        Sample{671, 334, kWhite}, Sample{708, 334, kGrey}, Sample{689, 326, kGrey}, Sample{689, 327, kWhite},
        Sample{689, 340, kGrey}));

TEST_P(ChartSampleTest, PixelHasItsColour)
{
    const Sample& s = GetParam();
    EXPECT_EQ(rgb(the_chart(), s.x, s.y), s.colour) << "at " << s.x << ", " << s.y;
}

struct Text {
    const char* name;
    const char* glyph;  // UTF-8
    QRect box;
    QRgb colour;
};

// Ink boxes of the chart's texts, both ends included.
const std::vector<Text> kTexts = {
    {"Т", "Т", QRect(QPoint(672, 328), QPoint(679, 338)), kBlack},
    {"М", "М", QRect(QPoint(681, 328), QPoint(696, 338)), kBlack},
    {"С", "С", QRect(QPoint(698, 328), QPoint(706, 338)), kBlack},
    {"0", "0", QRect(QPoint(660, 390), QPoint(667, 400)), kBlack},
    {"δ", "δ", QRect(QPoint(697, 390), QPoint(704, 400)), kBlack},
    {"м", "м", QRect(QPoint(711, 394), QPoint(721, 400)), kBlack},
    {"first full stop", ".", QRect(QPoint(723, 399), QPoint(724, 400)), kBlack},
    {"ч", "ч", QRect(QPoint(726, 394), QPoint(733, 400)), kBlack},
    {"second full stop", ".", QRect(QPoint(736, 399), QPoint(737, 400)), kBlack},
    {"X", "X", QRect(QPoint(131, 9), QPoint(148, 25)), kBlue},
    {"M", "M", QRect(QPoint(331, 9), QPoint(347, 25)), kGreen},
    {"A", "A", QRect(QPoint(532, 10), QPoint(547, 26)), kRed},
};

bool in_a_text_box(int x, int y)
{
    for (const Text& t : kTexts)
        if (t.box.contains(x, y))
            return true;
    return false;
}

// Elements 1 to 6 of the chart, painted from their description, as the reference
// for every pixel that no text may touch.
QImage chart_without_texts()
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(kWhite);
    const auto fill = [&](QRect r, QRgb c) {
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                image.setPixel(x, y, 0xFF000000u | c);
    };
    for (int i = 0; i <= 30; ++i)
        fill(QRect(QPoint(14 + 25 * i, 34), QPoint(14 + 25 * i, 382)), kGrey);
    for (int j = 0; j <= 13; ++j)
        fill(QRect(QPoint(14, 34 + 25 * j), QPoint(764, 34 + 25 * j)), kGrey);
    fill(QRect(QPoint(14, 383), QPoint(764, 385)), kBlack);
    fill(QRect(QPoint(663, 309), QPoint(665, 382)), kBlack);
    fill(QRect(QPoint(671, 327), QPoint(707, 339)), kWhite);
    return image;
}

TEST(ChartTest, HasTheChartSizeAndOnlyTheListedColours)
{
    const QImage& image = the_chart();
    ASSERT_EQ(image.size(), QSize(kWidth, kHeight));
    const std::set<QRgb> allowed = {kWhite, kGrey, kBlack, kBlue, kGreen, kRed};
    std::set<QRgb> found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            found.insert(rgb(image, x, y));
    for (const QRgb c : found)
        EXPECT_TRUE(allowed.count(c)) << "unexpected colour #" << std::hex << c;
}

TEST(ChartTest, GridBaselineAndTmsLineHaveTheirExactPixelCounts)
{
    const QImage reference = chart_without_texts();
    EXPECT_EQ(count(reference, reference.rect(), kGrey), 20770);
    EXPECT_EQ(count(reference, reference.rect(), kBlack), 2475);

    // Texts add no grey, so the whole chart has the same grey pixels; its black ones
    // outside the text boxes are the baseline's and the TMS line's.
    const QImage& image = the_chart();
    EXPECT_EQ(count(image, image.rect(), kGrey), 20770);
    int black_outside_texts = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            black_outside_texts += !in_a_text_box(x, y) && rgb(image, x, y) == kBlack;
    EXPECT_EQ(black_outside_texts, 2475);
}

TEST(ChartTest, EveryPixelOutsideTheTextBoxesIsTheBackgroundElements)
{
    const QImage reference = chart_without_texts();
    const QImage& image = the_chart();
    int wrong = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!in_a_text_box(x, y) && rgb(image, x, y) != rgb(reference, x, y))
                ++wrong;
    EXPECT_EQ(wrong, 0);
}

void PrintTo(const Text& t, std::ostream* os)
{
    *os << t.name;
}

class ChartTextTest : public testing::TestWithParam<Text> { };

INSTANTIATE_TEST_SUITE_P(Texts, ChartTextTest, testing::ValuesIn(kTexts));

TEST_P(ChartTextTest, InkStandsInItsBoxInItsColour)
{
    const Text& t = GetParam();
    const QImage& image = the_chart();
    const QImage reference = chart_without_texts();
    const QRect ink_box = ink(image, t.box, t.colour);
    ASSERT_FALSE(ink_box.isEmpty()) << t.name << " has no ink";
    // Standing on the box's bottom row, and filling most of its height.
    EXPECT_EQ(ink_box.bottom(), t.box.bottom()) << t.name;
    EXPECT_GE(ink_box.height(), t.box.height() - 2) << t.name;
    for (int y = t.box.top(); y <= t.box.bottom(); ++y)
        for (int x = t.box.left(); x <= t.box.right(); ++x) {
            const QRgb c = rgb(image, x, y);
            EXPECT_TRUE(c == t.colour || c == rgb(reference, x, y))
                << t.name << " at " << x << ", " << y << ": #" << std::hex << c;
        }
}

// The ink in each box is the right glyph: the one named, rendered alone and fitted
// to the box as the chart fits it, pixel for pixel, and centred across the box.
TEST_P(ChartTextTest, InkIsItsGlyphCentredAcrossTheBox)
{
    const Text& t = GetParam();
    const QFont font = t.colour == kBlack ? serif_font() : letter_font();
    const QImage alone = fitted_glyph(font, QString::fromUtf8(t.glyph), t.box.size());
    ASSERT_FALSE(alone.isNull()) << t.name;
    const QImage& image = the_chart();
    const QRect ink_box = ink(image, t.box, t.colour);
    ASSERT_EQ(ink_box.size(), alone.size()) << t.name;
    for (int y = 0; y < alone.height(); ++y)
        for (int x = 0; x < alone.width(); ++x)
            EXPECT_EQ(rgb(image, ink_box.left() + x, ink_box.top() + y) == t.colour,
                qAlpha(alone.pixel(x, y)) >= 128)
                << t.name << " at " << x << ", " << y << " of its ink";
    const int left_margin = ink_box.left() - t.box.left();
    const int right_margin = t.box.right() - ink_box.right();
    EXPECT_LE(std::abs(left_margin - right_margin), 1)
        << t.name << ": " << left_margin << " | " << right_margin;
}

}  // namespace
}  // namespace spektrion
