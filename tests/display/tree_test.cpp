// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "display/tree.h"
#include "model/state.h"
#include "tests/support/pixels.h"
#include "tests/support/spectrum.h"

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
    for (const SpinState& st : all_states()) {
        SpinSystem s = state(st);
        s.calculate();
        const QImage chart = drawn(s);
        const QImage picture = tree::picture(chart, s.state());
        ASSERT_EQ(picture.size(), QSize(777, tree::kBandHeight + 408));
        EXPECT_EQ(picture.copy(0, tree::kBandHeight, 777, 408), chart) << "the chart as drawn";
        // Just above the baseline every bar shows; the leaves end just above the group letters.
        const int bar_row = tree::kBandHeight + 381;
        const int leaf_row = tree::kBandHeight - 20;
        for (const QRgb colour : kGroupColours) {
            const std::set<int> bars = columns(picture, bar_row, colour);
            EXPECT_FALSE(bars.empty());
            EXPECT_EQ(columns(picture, leaf_row, colour), bars)
                << format_state(st) << " colour #" << std::hex << colour;
        }
    }
}

struct Level {
    int top, bottom;
    std::vector<double> centres;  // of its lines, left to right
};

// A tree's levels as drawn, top to bottom: each band of rows holding `colour`, with
// the centres of the lines crossing its middle row.
std::vector<Level> levels_of(const QImage& picture, QRgb colour)
{
    std::vector<Level> levels;
    for (int y = 0; y < tree::kBandHeight; ++y) {
        if (columns(picture, y, colour).empty())
            continue;
        Level level{y, y, {}};
        while (level.bottom + 1 < tree::kBandHeight && !columns(picture, level.bottom + 1, colour).empty())
            ++level.bottom;
        const std::set<int> xs = columns(picture, (level.top + level.bottom) / 2, colour);
        for (auto it = xs.begin(); it != xs.end();) {
            const int first = *it;
            int last = first;
            while (++it != xs.end() && *it == last + 1)
                last = *it;
            level.centres.push_back((first + last) / 2.0);
        }
        levels.push_back(level);
        y = level.bottom;
    }
    return levels;
}

bool grey_near(const QImage& picture, QPointF p)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const QRgb c = rgb(picture, int(p.x()) + dx, int(p.y()) + dy);
            if (qRed(c) == qGreen(c) && qGreen(c) == qBlue(c) && qRed(c) < 0xF0)
                return true;
        }
    return false;
}

// Worked out from the coupling alone: X and A are split once, by the nM + 1 lines of
// M's protons; M first by the group of the larger constant, then by the other. Every
// line stands centred over the lines it splits into, joined to each by a connector,
// and no label stands over a level's lines.
TEST(TreeTest, EachLevelSplitsItsParentsIntoCentredLinesJoinedToThem)
{
    for (const SpinState& st : all_states()) {
        SpinSystem s = state(st);
        s.calculate();
        const QImage picture = tree::picture(drawn(s), s.state());
        const auto& [a, m, x, order] = st;
        const int larger = order == Order::AMLarger ? a : x, smaller = order == Order::AMLarger ? x : a;
        const std::vector<std::pair<QRgb, std::vector<int>>> trees
            = {{chart::kBlue, {m + 1}}, {chart::kGreen, {larger + 1, smaller + 1}}, {chart::kRed, {m + 1}}};
        for (const auto& [colour, splits] : trees) {
            const std::vector<Level> levels = levels_of(picture, colour);
            ASSERT_EQ(levels.size(), splits.size() + 1) << format_state(st);
            for (std::size_t i = 1; i < levels.size(); ++i) {
                const Level& up = levels[i - 1];
                const Level& down = levels[i];
                const std::size_t k = std::size_t(splits[i - 1]);
                ASSERT_EQ(down.centres.size(), up.centres.size() * k) << format_state(st) << " level " << i;
                for (std::size_t p = 0; p < up.centres.size(); ++p) {
                    double sum = 0;
                    for (std::size_t c = p * k; c < (p + 1) * k; ++c) {
                        sum += down.centres[c];
                        const QPointF mid(
                            (up.centres[p] + down.centres[c]) / 2, (up.bottom + down.top) / 2.0);
                        EXPECT_TRUE(grey_near(picture, mid)) << format_state(st) << " no connector to " << c;
                    }
                    EXPECT_NEAR(up.centres[p], sum / double(k), 1.0) << format_state(st) << " level " << i;
                }
                const QRect lines(QPoint(int(up.centres.front()) - 3, up.top),
                    QPoint(int(up.centres.back()) + 3, up.bottom));
                int ink = 0;  // of the labels' smoothed black text
                for (int ly = lines.top(); ly <= lines.bottom(); ++ly)
                    for (int lx = lines.left(); lx <= lines.right(); ++lx) {
                        const QRgb c = rgb(picture, lx, ly);
                        ink += qRed(c) == qGreen(c) && qGreen(c) == qBlue(c) && qRed(c) < 0x40;
                    }
                EXPECT_EQ(ink, 0) << "a label over the tree";
            }
        }
    }
}

}  // namespace
}  // namespace spektrion
