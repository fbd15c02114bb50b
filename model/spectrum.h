// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

// A state's first-order spectrum as every program takes it: per signal its lines and
// its multiplet as data. Made by the simulator's own calculation.
#include "model/spin_system.h"
#include "model/state.h"

#include <array>
#include <vector>

namespace spektrion {

// A line: its slot on the chart, its height (the tallest of its signal 12, in grid
// steps) and its intensity ratio (the weakest of its signal 1).
struct SpectrumLine {
    int slot;
    float height;
    float ratio;
    friend bool operator==(const SpectrumLine&, const SpectrumLine&) = default;
};

// One splitting of a signal: by the `protons` of group `by`, through `coupling`, whose
// lines stand 4 slots apart (`large`) or 1.
struct Split {
    Group by;
    int protons;
    Coupling coupling;
    bool large;
    friend bool operator==(const Split&, const Split&) = default;
};

// A multiplet as a name gives it: split by `first` protons, then each line by `second`
// (none: split once). M's first split is the larger constant's.
struct MultipletName {
    int first;
    int second = 0;
    friend bool operator==(const MultipletName&, const MultipletName&) = default;
};

struct Signal {
    Group group;
    std::vector<SpectrumLine> lines;  // by slot, left to right
    std::vector<Split> splits;  // in the order they are made

    MultipletName name() const;
};

struct Spectrum {
    SpinState state;
    std::array<Signal, 3> by_position;  // the signals in chart order: X, M, A

    const Signal& of(Group g) const { return by_position[std::size_t(chart_position(g))]; }
};

// The spectrum of `s`, calculated from scratch.
Spectrum spectrum_of(const SpinState& s);

// The simulator's calculation run on `model`'s own table (cleared, seeded, split, scaled
// to heights, then to ratios, where the table is left), and its result as a spectrum.
Spectrum recalculate(SpinSystem& model);

}  // namespace spektrion
