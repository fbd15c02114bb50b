// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

#include "model/spectrum.h"

namespace spektrion {

class ChartSurface;

// The stick spectrum over the chart: the one way from a spectrum to pixels or vectors,
// for the window, the quiz, the tools and print.
namespace plot {

// Clears the surface back to the chart, then draws a bar in the group colour for every
// line taller than 0.2, standing just above the baseline, 25 px per height unit; then
// each line's ratio under it, in the chart font; then a colon (two 2 × 2 black dots)
// halfway between neighbouring lines of a signal.
void plot_spectrum(ChartSurface& surface, const Spectrum& spectrum);

// Where the line of row `r` at slot `k` stands: its bar's left edge, 12.5 px per slot,
// 200 px per row. Fractional; see to_pixel.
float bar_left(int r, int k);
// The one rounding rule for every fractional coordinate: halves go up (125.5 → 126,
// 132.75 → 133, 350.67 → 351). Applied to each coordinate on its own, so a bar stays
// 3 px wide and a dot 2 px.
int to_pixel(float v);

}  // namespace plot
}  // namespace spektrion
