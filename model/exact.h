// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

// The spectrum of the A–M–X system at a chosen spectrometer frequency, in hertz: exact
// (the spin Hamiltonian diagonalised) and as the first-order rule predicts it from the
// same shifts and constants, so that the two can be laid side by side.
#include "model/state.h"

#include <array>
#include <vector>

namespace spektrion::field {

// Where the rule is tried: the spectrometer's frequency, each group's shift, the two
// coupling constants (J(AX) is 0) and the width of a line.
struct Setting {
    double mhz = 400.0;
    std::array<double, 3> shifts_ppm{};  // by index_of: A, M, X
    double j_am = 0.0;  // Hz
    double j_mx = 0.0;  // Hz
    double width = 0.5;  // Hz, full width at half height

    // A group's resonance, Hz from TMS.
    double hz(Group g) const { return shifts_ppm[std::size_t(index_of(g))] * mhz; }
};

// Where a student starts: plainly first order at 400 MHz; at 60 MHz A and M couple
// strongly and M and X lean.
inline constexpr Setting kDefaultSetting = {400.0, {3.9, 3.6, 3.2}, 7.0, 5.0, 0.5};
// A setting's parameters, each with the range it may take and the step a slider takes.
enum class Parameter { Frequency, ShiftA, ShiftM, ShiftX, CouplingAM, CouplingMX, Width };
inline constexpr int kParameters = 7;
struct ParameterRange {
    double low, high, step;
    int decimals;  // of the step
};
ParameterRange range_of(Parameter p);
double& value_of(Setting& s, Parameter p);

// A line: its frequency, Hz from TMS, and its intensity. The intensities of a whole
// spectrum add up to its number of protons.
struct Line {
    double hz;
    double intensity;
};

// The group sizes (1 to 3, by index_of) of a system.
using Sizes = std::array<int, 3>;

// Every transition of the system, by frequency: lines closer than kMergeHz merged
// into one at their intensity-weighted mean, none weaker than kWeakest.
inline constexpr double kMergeHz = 0.001;
inline constexpr double kWeakest = 1e-6;
std::vector<Line> exact_lines(const Sizes& sizes, const Setting& setting);

// A group's first-order multiplet: its resonance split by each coupled group's n
// protons into n + 1 lines J apart with binomial intensities, the whole adding up to
// the group's protons.
std::vector<Line> first_order_multiplet(const Sizes& sizes, const Setting& setting, Group g);
// The three multiplets as one list, merged and sorted as exact_lines.
std::vector<Line> first_order_lines(const Sizes& sizes, const Setting& setting);

// How far a coupled pair (A with M, or M with X) is from first order: the difference
// of their resonances over their constant. Below kLeaning the multiplets lean towards
// each other; below kStrong the rule's lines no longer stand where it puts them.
enum class Regime {
    Uncoupled,  // J = 0: the pair does not split each other
    Equivalent,  // the same shift: their coupling does not show
    FirstOrder,
    Leaning,
    Strong,
};
inline constexpr double kLeaning = 10.0;
inline constexpr double kStrong = 3.0;
struct Pair {
    Group outer;  // A or X, coupled to M
    double ratio;  // Δν/J, or 0 where J or Δν is 0
    Regime regime;
};
Pair coupled_pair(const Setting& setting, Group outer);

// The spectrum as a curve: each line a Lorentzian of full width `width` at half height
// and area its intensity, per Hz, over each of `columns` equal steps from `from_hz` to
// `to_hz` (near a line its mean over the step, so that a line narrower than a step
// still shows with its whole area).
std::vector<double> curve(
    const std::vector<Line>& lines, double width, double from_hz, double to_hz, int columns);

}  // namespace spektrion::field
