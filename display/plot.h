// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

#include "model/spin_system.h"

namespace spektrion {

class ChartSurface;

// The stick spectrum over the chart. The window's calculation calls these in this
// order: plot_bars with the heights (tallest line of a row 12), then
// plot_ratio_labels and plot_colons with the ratios (weakest line of a row 1).
namespace plot {

// Clears the surface back to the chart and draws a bar in the group colour for every
// line taller than 0.2, standing just above the baseline, 25 px per height unit.
void plot_bars(ChartSurface& surface, const LineTable& heights);
// Prints each line's ratio under it, in the chart font.
void plot_ratio_labels(ChartSurface& surface, const LineTable& ratios);
// Puts a colon (two 2 × 2 black dots) halfway between neighbouring lines of a signal.
void plot_colons(ChartSurface& surface, const LineTable& ratios);

// The whole spectrum of `model`'s state as one recalculation of the window shows it:
// the bars, then the ratios and colons, calculated from scratch. For pictures made
// away from the window (a printed sheet).
void plot_spectrum(ChartSurface& surface, SpinSystem model);

// Where the line of row `r` at slot `k` stands: its bar's left edge, 12.5 px per slot,
// 200 px per row. Fractional; see to_pixel.
float bar_left(int r, int k);
// The one rounding rule for every fractional coordinate: halves go up (125.5 → 126,
// 132.75 → 133, 350.67 → 351). Applied to each coordinate on its own, so a bar stays
// 3 px wide and a dot 2 px.
int to_pixel(float v);

}  // namespace plot
}  // namespace spektrion
