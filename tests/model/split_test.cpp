// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "model/spin_system.h"
#include "tests/support/model.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

namespace spektrion {
namespace {

using namespace testing_model;

float sum_of(const LineRow& row)
{
    return std::accumulate(row.begin() + kFirstSlot, row.end(), 0.0f);
}

enum class Constant { Small, Large };

void split(SpinSystem& s, Constant c, int row, int multiplicity)
{
    if (c == Constant::Small)
        s.rozshepyty_mal(row, multiplicity);
    else
        s.rozshepyty_vel(row, multiplicity);
}

struct SingleSplit {
    Constant constant;
    int multiplicity;
    Lines expected;  // from one line of intensity 1 at slot 9
};

void PrintTo(const SingleSplit& s, std::ostream* os)
{
    *os << (s.constant == Constant::Small ? "small " : "large ") << s.multiplicity;
}

class SingleSplitTest : public testing::TestWithParam<SingleSplit> { };

// The binomial shares: the small constant's doublet and quartet lean towards the
// higher slots, the large one's are symmetric and leave the line's own slot empty.
INSTANTIATE_TEST_SUITE_P(BinomialShares, SingleSplitTest,
    testing::Values(SingleSplit{Constant::Small, 2, {{9, 0.5f}, {10, 0.5f}}},
        SingleSplit{Constant::Small, 3, {{8, 0.25f}, {9, 0.5f}, {10, 0.25f}}},
        SingleSplit{Constant::Small, 4, {{8, 0.125f}, {9, 0.375f}, {10, 0.375f}, {11, 0.125f}}},
        SingleSplit{Constant::Large, 2, {{7, 0.5f}, {11, 0.5f}}},
        SingleSplit{Constant::Large, 3, {{5, 0.25f}, {9, 0.5f}, {13, 0.25f}}},
        SingleSplit{Constant::Large, 4, {{3, 0.125f}, {7, 0.375f}, {11, 0.375f}, {15, 0.125f}}}));

TEST_P(SingleSplitTest, OneLineAtTheSeedSlotSplitsIntoBinomialShares)
{
    for (int row = 1; row <= 3; ++row) {
        SpinSystem s;
        s.spektr[row][kSeedSlot] = 1.0f;
        split(s, GetParam().constant, row, GetParam().multiplicity);
        EXPECT_EQ(lines_of(s.spektr[row]), GetParam().expected) << "row " << row;
        EXPECT_EQ(sum_of(s.spektr[row]), 1.0f);
    }
}

struct SplitChain {
    std::string name;
    float seed;
    int seed_slot;
    std::vector<std::pair<Constant, int>> calls;
    Lines expected;
};

void PrintTo(const SplitChain& c, std::ostream* os)
{
    *os << c.name;
}

class SplitChainTest : public testing::TestWithParam<SplitChain> { };

constexpr float k64th = 1.0f / 64.0f;

INSTANTIATE_TEST_SUITE_P(WorkedExamples, SplitChainTest,
    testing::Values(
        SplitChain{"SmallTripletOffSlot9", 6, 10, {{Constant::Small, 3}}, {{9, 1.5f}, {10, 3}, {11, 1.5f}}},
        SplitChain{"LargeTripletOffSlot9", 6, 10, {{Constant::Large, 3}}, {{6, 1.5f}, {10, 3}, {14, 1.5f}}},
        SplitChain{"TripletOfTriplets", 6, 10, {{Constant::Large, 3}, {Constant::Small, 3}},
            {{5, 0.375f}, {6, 0.75f}, {7, 0.375f}, {9, 0.75f}, {10, 1.5f}, {11, 0.75f}, {13, 0.375f},
                {14, 0.75f}, {15, 0.375f}}},
        SplitChain{"DoubletOfDoublets", 1, 9, {{Constant::Large, 2}, {Constant::Small, 2}},
            {{7, 0.25f}, {8, 0.25f}, {11, 0.25f}, {12, 0.25f}}},
        SplitChain{"QuartetOfQuartets", 1, 9, {{Constant::Large, 4}, {Constant::Small, 4}},
            {{2, 1 * k64th}, {3, 3 * k64th}, {4, 3 * k64th}, {5, 1 * k64th}, {6, 3 * k64th}, {7, 9 * k64th},
                {8, 9 * k64th}, {9, 3 * k64th}, {10, 3 * k64th}, {11, 9 * k64th}, {12, 9 * k64th},
                {13, 3 * k64th}, {14, 1 * k64th}, {15, 3 * k64th}, {16, 3 * k64th}, {17, 1 * k64th}}}),
    [](const auto& p) { return p.param.name; });

TEST_P(SplitChainTest, GivesTheExpectedLinesAndKeepsTheSum)
{
    const SplitChain& c = GetParam();
    SpinSystem s;
    s.spektr[kSignalM][c.seed_slot] = c.seed;
    for (const auto& [constant, multiplicity] : c.calls)
        split(s, constant, kSignalM, multiplicity);
    EXPECT_EQ(lines_of(s.spektr[kSignalM]), c.expected);
    EXPECT_EQ(sum_of(s.spektr[kSignalM]), c.seed);
}

TEST(SplitTest, EmptyRowStaysEmpty)
{
    for (const Constant c : {Constant::Small, Constant::Large}) {
        for (int m = 2; m <= 4; ++m) {
            SpinSystem s;
            split(s, c, kSignalX, m);
            EXPECT_TRUE(lines_of(s.spektr[kSignalX]).empty());
        }
    }
}

TEST(SplitTest, TouchesNeitherSlotZeroNorOtherRows)
{
    for (const Constant c : {Constant::Small, Constant::Large}) {
        SpinSystem s;
        for (int r = 0; r < kRows; ++r) {
            s.spektr[r][0] = 7.0f;
            s.spektr[r][kSeedSlot] = 1.0f;
        }
        split(s, c, kSignalM, 3);
        for (int r = 0; r < kRows; ++r) {
            EXPECT_EQ(s.spektr[r][0], 7.0f) << "row " << r;
            if (r != kSignalM) {
                EXPECT_EQ(lines_of(s.spektr[r]), (Lines{{0, 7.0f}, {kSeedSlot, 1.0f}})) << "row " << r;
            }
        }
    }
}

TEST(SplitTest, SharesBeyondTheTableAndUnknownMultiplicitiesAreDropped)
{
    SpinSystem s;
    s.spektr[kSignalX][1] = 1.0f;
    s.rozshepyty_vel(kSignalX, 2);  // slot −1 does not exist; slot 3 does
    EXPECT_EQ(lines_of(s.spektr[kSignalX]), (Lines{{3, 0.5f}}));

    SpinSystem t;
    t.spektr[kSignalX][kSeedSlot] = 1.0f;
    t.rozshepyty_mal(kSignalX, 5);
    t.rozshepyty_vel(kSignalX, 1);
    t.rozshepyty_vel(7, 2);
    EXPECT_EQ(lines_of(t.spektr[kSignalX]), (Lines{{kSeedSlot, 1.0f}}));
}

}  // namespace
}  // namespace spektrion
