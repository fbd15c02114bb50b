// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "model/quiz.h"
#include "model/spectrum.h"
#include "model/spin_system.h"
#include "tests/support/model.h"
#include "words/words.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

namespace spektrion {
namespace {

using namespace testing_model;

Lines make_lines(const std::vector<int>& slots, const std::vector<float>& values)
{
    Lines lines;
    for (std::size_t i = 0; i < slots.size(); ++i)
        lines[slots[i]] = values[i];
    return lines;
}

std::vector<int> range(int first, int last)
{
    std::vector<int> v(last - first + 1);
    std::iota(v.begin(), v.end(), first);
    return v;
}

const float kFourThirds = 4.0f / 3.0f;  // the nearest single-precision value

// A signal split once by M, by multiplicity nM + 1: the slots for either constant,
// the heights (tallest 12) and the ratios (weakest 1).
struct Single {
    std::vector<int> small_slots;
    std::vector<int> large_slots;
    std::vector<float> heights;
    std::vector<float> ratios;
};
const std::map<int, Single> kSingle = {
    {1, {{9, 10}, {7, 11}, {12, 12}, {1, 1}}},
    {2, {{8, 9, 10}, {5, 9, 13}, {6, 12, 6}, {1, 2, 1}}},
    {3, {{8, 9, 10, 11}, {3, 7, 11, 15}, {4, 12, 12, 4}, {1, 3, 3, 1}}},
};

// M split into L lines by the large constant, each into S by the small one.
struct Double {
    std::vector<int> slots;
    std::vector<float> heights;
    std::vector<float> ratios;
};
const std::map<std::pair<int, int>, Double> kDouble = {
    {{2, 2}, {{7, 8, 11, 12}, {12, 12, 12, 12}, {1, 1, 1, 1}}},
    {{2, 3}, {{6, 7, 8, 10, 11, 12}, {6, 12, 6, 6, 12, 6}, {1, 2, 1, 1, 2, 1}}},
    {{2, 4}, {range(6, 13), {4, 12, 12, 4, 4, 12, 12, 4}, {1, 3, 3, 1, 1, 3, 3, 1}}},
    {{3, 2}, {{5, 6, 9, 10, 13, 14}, {6, 6, 12, 12, 6, 6}, {1, 1, 2, 2, 1, 1}}},
    {{3, 3}, {{4, 5, 6, 8, 9, 10, 12, 13, 14}, {3, 6, 3, 6, 12, 6, 3, 6, 3}, {1, 2, 1, 2, 4, 2, 1, 2, 1}}},
    {{3, 4}, {range(4, 15), {2, 6, 6, 2, 4, 12, 12, 4, 2, 6, 6, 2}, {1, 3, 3, 1, 2, 6, 6, 2, 1, 3, 3, 1}}},
    {{4, 2}, {{3, 4, 7, 8, 11, 12, 15, 16}, {4, 4, 12, 12, 12, 12, 4, 4}, {1, 1, 3, 3, 3, 3, 1, 1}}},
    {{4, 3},
        {{2, 3, 4, 6, 7, 8, 10, 11, 12, 14, 15, 16}, {2, 4, 2, 6, 12, 6, 6, 12, 6, 2, 4, 2},
            {1, 2, 1, 3, 6, 3, 3, 6, 3, 1, 2, 1}}},
    {{4, 4},
        {range(2, 17),
            {kFourThirds, 4, 4, kFourThirds, 4, 12, 12, 4, 4, 12, 12, 4, kFourThirds, 4, 4, kFourThirds},
            {1, 3, 3, 1, 3, 9, 9, 3, 3, 9, 9, 3, 1, 3, 3, 1}}},
};

struct State {
    int nA, nM, nX, znak_J;
};

std::string name(const State& s)
{
    std::ostringstream out;
    out << "A" << s.nA << "M" << s.nM << "X" << s.nX << (s.znak_J == 0 ? "_AMlarger" : "_MXlarger");
    return out.str();
}

std::vector<State> all_states()
{
    std::vector<State> states;
    for (int j = 0; j <= 1; ++j)
        for (int a = 1; a <= 3; ++a)
            for (int m = 1; m <= 3; ++m)
                for (int x = 1; x <= 3; ++x)
                    states.push_back({a, m, x, j});
    return states;
}

void PrintTo(const State& s, std::ostream* os)
{
    *os << name(s);
}

SpinSystem system_in(const State& st)
{
    return state(st.nA, st.nM, st.nX, st.znak_J);
}

struct Expected {
    Lines heights[kRows];
    Lines ratios[kRows];
};

Expected expected_for(const State& st)
{
    const Single& outer = kSingle.at(st.nM);
    const bool am_larger = st.znak_J == 0;
    // X is split by J(MX), A by J(AM).
    const auto& x_slots = am_larger ? outer.small_slots : outer.large_slots;
    const auto& a_slots = am_larger ? outer.large_slots : outer.small_slots;
    const int large = (am_larger ? st.nA : st.nX) + 1;
    const int small = (am_larger ? st.nX : st.nA) + 1;
    const Double& middle = kDouble.at({large, small});

    Expected e;
    e.heights[kSignalX] = make_lines(x_slots, outer.heights);
    e.ratios[kSignalX] = make_lines(x_slots, outer.ratios);
    e.heights[kSignalA] = make_lines(a_slots, outer.heights);
    e.ratios[kSignalA] = make_lines(a_slots, outer.ratios);
    e.heights[kSignalM] = make_lines(middle.slots, middle.heights);
    e.ratios[kSignalM] = make_lines(middle.slots, middle.ratios);
    return e;
}

class StateTest : public testing::TestWithParam<State> { };

INSTANTIATE_TEST_SUITE_P(
    AllStates, StateTest, testing::ValuesIn(all_states()), [](const auto& p) { return name(p.param); });

TEST_P(StateTest, SplittingKeepsEachRowsTotalIntensity)
{
    const State& st = GetParam();
    SpinSystem s = system_in(st);
    s.clear_lines();
    s.seed();
    s.split();
    const float sizes[kRows] = {0.0f, float(st.nX), float(st.nM), float(st.nA)};
    for (int r = kSignalX; r <= kSignalA; ++r)
        EXPECT_EQ(std::accumulate(s.spektr[r].begin(), s.spektr[r].end(), 0.0f), sizes[r]) << "row " << r;
}

TEST_P(StateTest, HeightsThenRatiosMatchTheMultipletTables)
{
    const Expected e = expected_for(GetParam());
    SpinSystem s = system_in(GetParam());
    s.clear_lines();
    s.seed();
    s.split();
    s.rescale_heights();
    for (int r = kSignalX; r <= kSignalA; ++r)
        EXPECT_EQ(lines_of(s.spektr[r]), e.heights[r]) << "heights of row " << r;
    s.rescale_ratios();
    for (int r = kSignalX; r <= kSignalA; ++r)
        EXPECT_EQ(lines_of(s.spektr[r]), e.ratios[r]) << "ratios of row " << r;
}

TEST_P(StateTest, LinesStayInTheirSlotRangesAndRowZeroStaysEmpty)
{
    SpinSystem s = system_in(GetParam());
    s.calculate();
    EXPECT_TRUE(lines_of(s.spektr[0]).empty());
    for (int r = kSignalX; r <= kSignalA; ++r) {
        const auto lines = lines_of(s.spektr[r]);
        const int low = r == kSignalM ? 2 : 3;
        const int high = r == kSignalM ? 17 : 15;
        EXPECT_GE(lines.begin()->first, low) << "row " << r;
        EXPECT_LE(lines.rbegin()->first, high) << "row " << r;
        for (const auto& [slot, value] : lines)
            EXPECT_GT(value, 0.0f) << "row " << r << " slot " << slot;
    }
}

TEST_P(StateTest, CalculatingAgainGivesTheSameTable)
{
    SpinSystem s = system_in(GetParam());
    s.calculate();
    const LineTable first = s.spektr;
    s.calculate();
    EXPECT_EQ(s.spektr, first);
}

TEST_P(StateTest, RecalculatingFromAnotherStateLeavesNothingBehind)
{
    SpinSystem fresh = system_in(GetParam());
    fresh.calculate();
    for (const State& before : all_states()) {
        SpinSystem s = system_in(before);
        s.calculate();
        s.nA = fresh.nA;
        s.nM = fresh.nM;
        s.nX = fresh.nX;
        s.znak_J = fresh.znak_J;
        s.calculate();
        ASSERT_EQ(s.spektr, fresh.spektr) << "after " << name(before);
    }
}

// Worked out from Pascal's triangle: X and A are split by the n(M) protons of M; M by
// the group of the larger constant, then every line by the other group.
std::string expected_words(const State& st)
{
    static const char* const kNames[] = {"", "дублет", "триплет", "квартет"};
    const std::vector<int> kPascal[] = {{}, {1, 1}, {1, 2, 1}, {1, 3, 3, 1}};
    const auto join = [](const std::vector<int>& ratios) {
        std::string text;
        for (std::size_t i = 0; i < ratios.size(); ++i)
            text += (i ? " : " : " ") + std::to_string(ratios[i]);
        return text;
    };
    const int larger = st.znak_J == 0 ? st.nA : st.nX;
    const int smaller = st.znak_J == 0 ? st.nX : st.nA;
    std::vector<int> middle;
    for (int a : kPascal[larger])
        for (int b : kPascal[smaller])
            middle.push_back(a * b);
    const std::string outer = std::string(kNames[st.nM]) + "," + join(kPascal[st.nM]) + "\n";
    return "X: " + outer + "M: " + kNames[larger] + " " + kNames[smaller] + "ів," + join(middle) + "\n"
        + "A: " + outer;
}

TEST_P(StateTest, SpectrumInWordsNamesEachSignalAndItsRatios)
{
    SpinSystem s = system_in(GetParam());
    s.calculate();
    EXPECT_EQ(words::describe_spectrum(spectrum_of(s.state())), expected_words(GetParam()));
}

// The splitting trees follow the calculation's own steps: one level more than the
// signal's splits, the first the seed, the last the split table, the constants named.
TEST_P(StateTest, SplittingLevelsEndInTheSplitTable)
{
    const State& st = GetParam();
    SpinSystem s = system_in(st);
    const auto levels = s.splitting_levels();
    s.clear_lines();
    s.seed();
    const LineTable seeded = s.spektr;
    s.split();
    const Coupling larger = st.znak_J == 0 ? Coupling::AM : Coupling::MX;
    const Coupling smaller = st.znak_J == 0 ? Coupling::MX : Coupling::AM;
    const std::vector<std::vector<Coupling>> constants
        = {{}, {Coupling::MX}, {larger, smaller}, {Coupling::AM}};
    for (int r = kSignalX; r <= kSignalA; ++r) {
        ASSERT_EQ(levels[r].size(), constants[r].size() + 1) << "row " << r;
        EXPECT_EQ(levels[r].front().row, seeded[r]) << "row " << r;
        EXPECT_EQ(levels[r].back().row, s.spektr[r]) << "row " << r;
        for (std::size_t i = 1; i < levels[r].size(); ++i)
            EXPECT_EQ(levels[r][i].coupling, constants[r][i - 1]) << "row " << r << " level " << i;
    }
}

TEST(CalculationTest, RatiosArePrintedAsTheChartPrintsThem)
{
    const std::pair<float, const char*> cases[]
        = {{1.0f, "1"}, {9.0f, "9"}, {36.0f, "36"}, {1.5f, "1.5"}, {4.0f / 3.0f, "1.3333334"}, {0.2f, "0.2"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(ratio_text(value), text) << value;
}

TEST(CalculationTest, TableIsEmptyBeforeTheFirstCalculation)
{
    const SpinSystem s;
    for (const LineRow& row : s.spektr)
        EXPECT_TRUE(lines_of(row).empty());
}

TEST(CalculationTest, StartUpStateAfterSplittingHoldsIntensitiesInProtons)
{
    SpinSystem s = system_in({2, 2, 2, 0});
    s.clear_lines();
    s.seed();
    s.split();
    EXPECT_EQ(lines_of(s.spektr[kSignalX]), (Lines{{8, 0.5f}, {9, 1}, {10, 0.5f}}));
    EXPECT_EQ(lines_of(s.spektr[kSignalM]),
        (Lines{{4, 0.125f}, {5, 0.25f}, {6, 0.125f}, {8, 0.25f}, {9, 0.5f}, {10, 0.25f}, {12, 0.125f},
            {13, 0.25f}, {14, 0.125f}}));
    EXPECT_EQ(lines_of(s.spektr[kSignalA]), (Lines{{5, 0.5f}, {9, 1}, {13, 0.5f}}));
}

TEST(CalculationTest, WeakestLinesOfAQuartetOfQuartetsHoldSixtyFourthsBeforeRescaling)
{
    SpinSystem s = system_in({3, 1, 3, 1});
    s.clear_lines();
    s.seed();
    s.split();
    EXPECT_EQ(s.spektr[kSignalM][2], 1.0f / 64.0f);
    EXPECT_EQ(s.spektr[kSignalM][17], 1.0f / 64.0f);
    s.rescale_heights();
    EXPECT_EQ(s.spektr[kSignalM][2], 4.0f / 3.0f);
    EXPECT_EQ(s.spektr[kSignalM][7], 12.0f);
}

struct Captions {
    State state;
    const char* outer;
    const char* middle;
};

void PrintTo(const Captions& c, std::ostream* os)
{
    *os << name(c.state);
}

class CaptionTest : public testing::TestWithParam<Captions> { };

// M's caption as the window shows it: the name of M's signal in the state.
std::string middle_name(const State& st)
{
    return words::multiplet_name(quiz::right_name(system_in(st).state(), Group::M));
}

// The first word names the split by the larger constant, the second the smaller.
INSTANTIATE_TEST_SUITE_P(Descriptions, CaptionTest,
    testing::Values(Captions{{2, 2, 2, 0}, "триплет", "триплет триплетів"},
        Captions{{2, 1, 2, 1}, "дублет", "триплет триплетів"},
        Captions{{1, 3, 3, 0}, "квартет", "дублет квартетів"},
        Captions{{1, 3, 3, 1}, "квартет", "квартет дублетів"},
        Captions{{1, 2, 1, 0}, "триплет", "дублет дублетів"},
        Captions{{1, 2, 2, 0}, "триплет", "дублет триплетів"},
        Captions{{2, 1, 1, 0}, "дублет", "триплет дублетів"},
        Captions{{2, 1, 3, 0}, "дублет", "триплет квартетів"},
        Captions{{3, 1, 1, 0}, "дублет", "квартет дублетів"},
        Captions{{3, 1, 2, 0}, "дублет", "квартет триплетів"},
        Captions{{3, 3, 3, 1}, "квартет", "квартет квартетів"},
        Captions{{2, 3, 3, 1}, "квартет", "квартет триплетів"}));

TEST_P(CaptionTest, NamesTheMultiplets)
{
    const Captions& c = GetParam();
    EXPECT_EQ(words::multiplet_name({c.state.nM}), c.outer);
    EXPECT_EQ(middle_name(c.state), c.middle);
}

TEST(CaptionTest, OrderDoesNotMatterWhenAAndXAreEqual)
{
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(middle_name({n, 1, n, 0}), middle_name({n, 1, n, 1}));
}

TEST(CaptionTest, MiddleCaptionHasTwoWordsAndOneBlankForEveryState)
{
    for (const State& st : all_states()) {
        const std::string caption = middle_name(st);
        EXPECT_EQ(std::count(caption.begin(), caption.end(), ' '), 1) << name(st);
        EXPECT_EQ(caption.rfind("ів"), caption.size() - std::string("ів").size()) << name(st);
    }
}

}  // namespace
}  // namespace spektrion
