// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

#include "model/state.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace spektrion {

// Rows of the line table: 1 = X, 2 = M, 3 = A, left to right on the chart.
// Row 0 exists only so that signal numbers index the table directly; it stays 0.
inline constexpr int kRows = 4;
// Slots 1..20 hold lines; slot 9 is the unsplit position, slot 0 stays 0.
inline constexpr int kSlots = 21;
inline constexpr int kFirstSlot = 1;
inline constexpr int kLastSlot = 20;
inline constexpr int kSeedSlot = 9;

inline constexpr int kSignalX = signal_row(Group::X);
inline constexpr int kSignalM = signal_row(Group::M);
inline constexpr int kSignalA = signal_row(Group::A);

using LineRow = std::array<float, kSlots>;
using LineTable = std::array<LineRow, kRows>;

// The two coupling constants: between A and M, between M and X.
enum class Coupling { AM, MX };

// One call of a split routine: row `nom_sygnalu` split into `multypletnist` lines per
// line by the large constant (4 slots) or the small one (1 slot), which is `coupling`.
struct SplitStep {
    int nom_sygnalu;
    bool large;
    int multypletnist;
    Coupling coupling;
};

// A level of a signal's splitting tree: the signal's row after seeding (the first
// level) or after one of its splits, and the constant of that split.
struct TreeLevel {
    LineRow row;
    Coupling coupling;
};

// The whole state of the simulator: the three group sizes, the coupling order and
// the line table. The window reads and writes the fields directly; the member
// functions are the arithmetic steps of one recalculation, in the order it runs them
// (recalculate in spectrum.h).
struct SpinSystem {
    std::int16_t nA = 0;
    std::int16_t nM = 0;
    std::int16_t nX = 0;
    LineTable spektr{};
    // 0: J(AM) is the larger constant; anything else: J(MX) is.
    std::int16_t znak_J = 0;

    // One first-order split of row `nom_sygnalu` into `multypletnist` (2..4) lines
    // per line, by the small constant (1 slot) or the large one (4 slots). Shares
    // aimed outside slots 1..20 and other multiplicities are ignored; the window's
    // calculation never produces them.
    void rozshepyty_mal(int nom_sygnalu, int multypletnist);
    void rozshepyty_vel(int nom_sygnalu, int multypletnist);

    // Rows 1..3, slots 1..20 back to 0.
    void clear_lines();
    // Each signal's whole intensity (its group size) at slot 9.
    void seed();
    // The four split calls of the current coupling order.
    void split();
    // Those calls, in the order split() makes them.
    std::array<SplitStep, 4> split_steps() const;
    void apply(const SplitStep& step);
    // Each signal's splitting tree, level by level: its row after seeding, then after
    // each of its splits, made by the same steps as split(). Leaves the model alone.
    std::array<std::vector<TreeLevel>, kRows> splitting_levels() const;
    // Each row scaled so that its tallest line is 12 (heights in grid steps).
    void rescale_heights();
    // Each row scaled so that its weakest line is 1 (whole-number ratios).
    void rescale_ratios();

    // clear_lines, seed, split, rescale_heights, rescale_ratios: the table at rest.
    void calculate();

    // The sizes and the order as a state; znak_J 0 is J(AM) > J(MX), anything else the
    // other order.
    SpinState state() const;
    void set_state(const SpinState& s);
};

// A line's intensity as the chart prints it: whole numbers as integers ("1", "9"),
// anything else in the shortest form that reads back as the same float ("1.5").
std::string ratio_text(float v);

}  // namespace spektrion
