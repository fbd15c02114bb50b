// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "model/exact.h"
#include "model/field_link.h"
#include "model/spectrum.h"
#include "words/words.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace spektrion::field {
namespace {

// A and M alone make an AB system (X far off, J(MX) = 0): lines at the centre
// ± (D ± J)/2, D = √(Δν² + J²), the outer ones of intensity (1 − J/D)/2 and the inner
// (1 + J/D)/2, against X's single line.
TEST(ExactTest, AnABPairIsItsClosedForm)
{
    for (const auto& [delta, j] :
        {std::pair{10.0, 7.0}, {100.0, 7.0}, {0.5, 12.0}, {25.0, 0.0}, {0.0, 7.0}}) {
        const Setting s{100.0, {2.0, 2.0 + delta / 100.0, 8.0}, j, 0.0, 0.5};
        const double centre = 200.0 + delta / 2.0;
        const double d = std::hypot(delta, j);
        std::vector<Line> expected = {{800.0, 1.0}};
        for (const double sign : {-1.0, 1.0})
            for (const double outer : {0.0, 1.0}) {
                const double intensity = (1.0 + (outer ? -j : j) / d) / 2.0;
                if (intensity > kWeakest)
                    expected.push_back({centre + sign * (d + (outer ? j : -j)) / 2.0, intensity});
            }
        std::sort(expected.begin(), expected.end(), [](const Line& a, const Line& b) { return a.hz < b.hz; });
        for (std::size_t i = 1; i < expected.size(); ++i)  // J = Δν = 0: the two inner lines are one
            if (expected[i].hz - expected[i - 1].hz < kMergeHz) {
                expected[i - 1].intensity += expected[i].intensity;
                expected.erase(expected.begin() + std::ptrdiff_t(i--));
            }
        const std::vector<Line> got = exact_lines({1, 1, 1}, s);
        ASSERT_EQ(got.size(), expected.size()) << "Δν " << delta << ", J " << j;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_NEAR(got[i].hz, expected[i].hz, 1e-9) << "Δν " << delta << ", J " << j;
            EXPECT_NEAR(got[i].intensity, expected[i].intensity, 1e-9) << "Δν " << delta << ", J " << j;
        }
    }
}

// Far apart (5000 Hz between groups, J 4 and 1 Hz) every state's exact spectrum is the
// simulator's: the same lines in each signal, their ratios, and gaps of as many small
// constants as the chart has slots between them; the first-order list too. Lines that
// second order still parts by a few thousandths of a hertz count as one.
std::vector<Line> resolved(const std::vector<Line>& lines)
{
    std::vector<Line> out;
    for (const Line& l : lines)
        if (!out.empty() && l.hz - out.back().hz < 0.05)
            out.back().intensity += l.intensity;
        else
            out.push_back(l);
    return out;
}

TEST(ExactTest, FarApartEveryStateIsTheSimulatorsSpectrum)
{
    for (const SpinState& state : all_states()) {
        const bool am_larger = state.order == Order::AMLarger;
        const Setting s{1000.0, {10.0, 5.0, 0.0}, am_larger ? 4.0 : 1.0, am_larger ? 1.0 : 4.0, 0.5};
        const Sizes sizes = {state.nA, state.nM, state.nX};
        const std::vector<Line> all = exact_lines(sizes, s);
        for (const Signal& signal : spectrum_of(state).by_position)
            for (std::vector<Line> lines : {resolved(all), first_order_multiplet(sizes, s, signal.group)}) {
                // The chart's slots run to the right, its shifts to the left.
                std::erase_if(
                    lines, [&](const Line& l) { return std::abs(l.hz - s.hz(signal.group)) > 100.0; });
                std::reverse(lines.begin(), lines.end());
                ASSERT_EQ(lines.size(), signal.lines.size())
                    << format_state(state) << " " << letter(signal.group);
                const double weakest = std::min_element(lines.begin(), lines.end(), [](auto& a, auto& b) {
                    return a.intensity < b.intensity;
                })->intensity;
                // A multiplet stands round its group's shift.
                double moment = 0.0;
                double total = 0.0;
                for (const Line& l : lines) {
                    moment += l.hz * l.intensity;
                    total += l.intensity;
                }
                EXPECT_NEAR(moment / total, s.hz(signal.group), 0.01) << format_state(state);
                for (std::size_t i = 0; i < lines.size(); ++i) {
                    // The roof leans the ratios by about J/Δν a line.
                    EXPECT_NEAR(lines[i].intensity / weakest / signal.lines[i].ratio, 1.0, 0.01)
                        << format_state(state);
                    if (i > 0) {
                        EXPECT_NEAR(lines[i - 1].hz - lines[i].hz,
                            signal.lines[i].slot - signal.lines[i - 1].slot, 0.01)
                            << format_state(state);
                    }
                }
            }
    }
}

// Random settings over the sliders' whole ranges and their ends: every intensity a
// number above the floor, the lines apart and in order, the whole the protons' count.
TEST(ExactTest, AnySettingGivesSoundLinesAddingUpToTheProtons)
{
    std::mt19937 random(7);
    const auto pick = [&](double low, double high) {
        const int end = std::uniform_int_distribution(0, 3)(random);
        return end == 0 ? low : end == 1 ? high : std::uniform_real_distribution(low, high)(random);
    };
    for (int run = 0; run < 300; ++run) {
        const Sizes sizes = {1 + run % 3, 1 + run / 3 % 3, 1 + run / 9 % 3};
        const double shift = pick(0.0, 10.0);
        const Setting s{pick(40.0, 1000.0), {shift, run % 4 ? pick(0.0, 10.0) : shift, pick(0.0, 10.0)},
            pick(0.0, 20.0), run % 5 ? pick(0.0, 20.0) : 0.0, 0.5};
        for (const std::vector<Line>& lines : {exact_lines(sizes, s), first_order_lines(sizes, s)}) {
            double total = 0.0;
            for (std::size_t i = 0; i < lines.size(); ++i) {
                ASSERT_TRUE(std::isfinite(lines[i].hz) && lines[i].intensity >= kWeakest) << run;
                ASSERT_TRUE(i == 0 || lines[i].hz - lines[i - 1].hz >= kMergeHz) << run;
                total += lines[i].intensity;
            }
            // What falls below the floor is left out.
            EXPECT_NEAR(total, sizes[0] + sizes[1] + sizes[2], 1e-4) << run;
        }
    }
}

// Whatever the columns' width against the lines', the curve keeps each line's area (but
// for the far tails) and peaks at it.
TEST(ExactTest, TheCurveKeepsEachLinesAreaAtItsPlace)
{
    const std::vector<Line> lines = {{1000.0, 2.0}, {1003.0, 1.0}};
    for (const auto& [width, columns] : {std::pair{0.5, 4000}, {0.5, 200}, {0.1, 40}, {5.0, 1000}}) {
        const std::vector<double> heights = curve(lines, width, 900.0, 1100.0, columns);
        const double step = 200.0 / columns;
        double area = 0.0;
        for (const double h : heights)
            area += h * step;
        double inside = 0.0;  // of the lines' areas, what lies between 900 and 1100 Hz
        for (const Line& l : lines)
            inside += l.intensity
                * (std::atan((1100.0 - l.hz) / (width / 2)) - std::atan((900.0 - l.hz) / (width / 2)))
                / std::acos(-1.0);
        // The far tails the curve leaves out hold 1.6 % of a line.
        EXPECT_NEAR(area / inside, 1.0, 0.02) << "width " << width << ", columns " << columns;
        const auto peak = std::max_element(heights.begin(), heights.end()) - heights.begin();
        EXPECT_NEAR(900.0 + (double(peak) + 0.5) * step, 1000.0, std::max(step, width / 2.0)) << width;
    }
    // A line of width w is half as high w/2 from its middle as there: 2/(πw) per Hz.
    const std::vector<double> one = curve({{1000.0, 1.0}}, 2.0, 990.0, 1010.0, 2000);
    EXPECT_NEAR(one[1000], 1.0 / std::acos(-1.0), 1e-3);
    EXPECT_NEAR(one[1100], 0.5 / std::acos(-1.0), 1e-3);
}

// Δν/J, what it lets a student expect, and the sentence that says it: the number shown
// never contradicts the verdict at its thresholds of 3 and 10, and shifts that differ
// never show 0.
TEST(ExactTest, APairsRegimeFollowsItsRatio)
{
    struct Row {
        double mhz, shift_a, j;  // M at 3.60 ppm
        Regime regime;
        const char* said;
    };
    const std::string first = "Перший порядок: мультиплети такі, як передбачає правило n + 1.";
    const std::string leaning
        = "Мультиплети нахиляються один до одного: ближчі лінії вищі, дальші нижчі (дашок).";
    const std::string strong
        = "Сильний зв'язок: лінії зсуваються, з'являються нові, і правило n + 1 уже не діє.";
    for (const Row& r : {Row{100.0, 4.6, 5.0, Regime::FirstOrder, "A і M: Δν/J = 20. "},
             {100.0, 4.1, 5.0, Regime::FirstOrder, "A і M: Δν/J = 10. "},
             {299.0, 3.65, 1.5, Regime::Leaning, "A і M: Δν/J = 9,9. "},
             {100.0, 3.91, 5.0, Regime::Leaning, "A і M: Δν/J = 6,2. "},
             {296.0, 3.65, 5.0, Regime::Strong, "A і M: Δν/J = 2,9. "},
             {100.0, 3.7, 5.0, Regime::Strong, "A і M: Δν/J = 2,0. "},
             {40.0, 3.61, 20.0, Regime::Strong, "A і M: Δν/J = 0,02. "},
             {100.0, 3.7, 0.0, Regime::Uncoupled, "A і M: J = 0, сигнали не розщеплюють один одного."},
             {100.0, 3.6, 5.0, Regime::Equivalent,
                 "A і M: однаковий хімічний зсув, тож їхня взаємодія в спектрі не проявляється."}}) {
        const Setting s{r.mhz, {r.shift_a, 3.6, 1.0}, r.j, 0.0, 0.5};
        const Pair pair = coupled_pair(s, Group::A);
        EXPECT_EQ(pair.regime, r.regime) << r.said;
        const std::string verdict = r.regime == Regime::FirstOrder ? first
            : r.regime == Regime::Leaning                          ? leaning
            : r.regime == Regime::Strong                           ? strong
                                                                   : "";
        EXPECT_EQ(words::pair_sentence(pair), r.said + verdict);
        EXPECT_EQ(words::pair_sentence(coupled_pair(s, Group::X)),
            "X і M: J = 0, сигнали не розщеплюють один одного.");
    }
}

// A link carries the whole setting and reads back as written; a part left out keeps
// its default, and anything else wrong gives nothing rather than a part of a setting.
TEST(ExactTest, ALinkCarriesTheWholeSetting)
{
    Link chosen{{3, 1, 2}, {60.0, {2.2, 2.0, 0.05}, 7.5, 0.0, 0.1}};
    const std::string text = format_link(chosen);
    EXPECT_EQ(text, "sizes=3,1,2&mhz=60&shifts=2.2,2,0.05&j=7.5,0&width=0.1");
    std::optional<Link> read = parse_link(text);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->sizes, chosen.sizes);
    for (int p = 0; p < kParameters; ++p)
        EXPECT_EQ(value_of(read->setting, Parameter(p)), value_of(chosen.setting, Parameter(p)));
    EXPECT_EQ(parse_link("mhz=80")->setting.mhz, 80.0);
    EXPECT_EQ(parse_link("mhz=80")->setting.j_am, kDefaultSetting.j_am);
    EXPECT_EQ(parse_link("")->sizes, (Sizes{2, 2, 2}));
    for (const char* bad : {"mhz=39", "mhz=1001", "mhz=-60", "mhz=6e1", "mhz=60&mhz=80", "shifts=1,2",
             "j=7,5,3", "width=0", "sizes=4,1,1", "sizes=1,1", "sizes=+1,1,1", "colour=red", "mhz", "mhz=60&",
             "mhz=60,5", "mhz= 60", "shifts=1,,2", "shifts=3.9.1,3.6,3.2", "j=7,50", "j=21,5"})
        EXPECT_FALSE(parse_link(bad)) << bad;
}

}  // namespace
}  // namespace spektrion::field
