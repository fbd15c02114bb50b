// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "model/spectrum.h"
#include "model/state.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace spektrion {
namespace {

struct Parsed {
    const char* text;
    std::optional<SpinState> state;
};

const Parsed kParsed[] = {
    {"3,1,2,<", SpinState{3, 1, 2, Order::MXLarger}},
    {"1,1,1,>", SpinState{1, 1, 1, Order::AMLarger}},
    {" 2, +3 ,1,>", SpinState{2, 3, 1, Order::AMLarger}},
    {"3,\u00A01\u3000,2,<", SpinState{3, 1, 2, Order::MXLarger}},
    {"3,1,2", std::nullopt},
    {"3,1,2,", std::nullopt},
    {"3,1,2,<,", std::nullopt},
    {"3,1,2,>=", std::nullopt},
    {"4,1,2,<", std::nullopt},
    {"0,1,2,<", std::nullopt},
    {"1,,2,<", std::nullopt},
    {"1,2.0,2,<", std::nullopt},
    {"1,2,3,4,<", std::nullopt},
    {"", std::nullopt},
};

TEST(StateTest, TheTextualFormReadsBackAsWritten)
{
    for (const Parsed& p : kParsed)
        EXPECT_EQ(parse_state(p.text), p.state) << "'" << p.text << "'";
    std::set<std::string> written;
    for (const SpinState& s : all_states()) {
        EXPECT_EQ(parse_state(format_state(s)), s) << format_state(s);
        written.insert(format_state(s));
    }
    EXPECT_EQ(written.size(), std::size_t(kStates)) << "the 54 states are not all different";
    EXPECT_EQ(format_state(all_states().front()), "1,1,1,>");
    EXPECT_EQ(format_state(all_states().back()), "3,3,3,<");
}

// The spectrum value against the line table the calculation leaves, and its
// multiplets as the splitting steps make them.
TEST(StateTest, TheSpectrumHoldsTheTablesLinesAndItsSplits)
{
    for (const SpinState& s : all_states()) {
        SpinSystem model;
        model.set_state(s);
        model.calculate();
        const Spectrum spectrum = spectrum_of(s);
        for (const Group g : kChartOrder) {
            const Signal& signal = spectrum.of(g);
            ASSERT_EQ(signal.group, g);
            std::size_t i = 0;
            for (int k = kFirstSlot; k <= kLastSlot; ++k) {
                const float ratio = model.spektr[signal_row(g)][k];
                if (ratio == 0.0f)
                    continue;
                ASSERT_LT(i, signal.lines.size()) << format_state(s);
                EXPECT_EQ(signal.lines[i].slot, k);
                EXPECT_EQ(signal.lines[i].ratio, ratio);
                EXPECT_GT(signal.lines[i].height, 1.0f);
                EXPECT_LE(signal.lines[i].height, 12.0f);
                ++i;
            }
            EXPECT_EQ(i, signal.lines.size()) << format_state(s);
        }
        const Group large = larger_group(s.order);
        const Group small = smaller_group(s.order);
        const auto coupling = [](Group outer) { return outer == Group::A ? Coupling::AM : Coupling::MX; };
        EXPECT_EQ(spectrum.of(Group::M).splits,
            (std::vector<Split>{{large, s.size(large), coupling(large), true},
                {small, s.size(small), coupling(small), false}}))
            << format_state(s);
        for (const Group outer : {Group::A, Group::X})
            EXPECT_EQ(spectrum.of(outer).splits,
                (std::vector<Split>{{Group::M, s.nM, coupling(outer), outer == large}}))
                << format_state(s);
    }
}

}  // namespace
}  // namespace spektrion
