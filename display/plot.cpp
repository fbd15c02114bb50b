// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "display/plot.h"

#include "display/chart.h"
#include "display/chart_surface.h"
#include "display/look.h"

#include <QString>

#include <cmath>

namespace spektrion::plot {
namespace {

constexpr float kFirstBarLeft = 38.0f;  // slot 1 of row 1
constexpr float kRowPitch = 200.0f;
constexpr float kSlotPitch = 12.5f;
constexpr float kBarWidth = 2.0f;  // right edge − left edge; the bar covers 3 columns
constexpr int kBarBottom = chart::kBaselineTop - 1;
constexpr float kMinBarHeight = 0.2f;
constexpr float kLabelOffset = -2.0f;  // label cell starts 2 px left of the bar
constexpr int kLabelTop = 388;
constexpr int kUpperDotTop = 393;
constexpr int kLowerDotTop = 397;

QPoint at(float x, float y)
{
    return {to_pixel(x), to_pixel(y)};
}

}  // namespace

float bar_left(int r, int k)
{
    return kFirstBarLeft + kRowPitch * float(r - 1) + kSlotPitch * float(k - 1);
}

int to_pixel(float v)
{
    return static_cast<int>(std::floor(v + 0.5f));
}

void plot_bars(ChartSurface& surface, const LineTable& heights)
{
    surface.clear();
    for (int r = kSignalX; r <= kSignalA; ++r) {
        for (int k = kFirstSlot; k <= kLastSlot; ++k) {
            const float h = heights[r][k];
            if (!(h > kMinBarHeight))
                continue;
            const float left = bar_left(r, k);
            const float top = float(chart::kBaseline) - float(chart::kGridStep) * h;
            surface.fill_rect(at(left, float(kBarBottom)), at(left + kBarWidth, top), look::signal_colour(r));
        }
    }
}

void plot_ratio_labels(ChartSurface& surface, const LineTable& ratios)
{
    for (int r = kSignalX; r <= kSignalA; ++r) {
        for (int k = kFirstSlot; k <= kLastSlot; ++k) {
            const float v = ratios[r][k];
            if (v > 0.0f)
                surface.text(at(bar_left(r, k) + kLabelOffset, float(kLabelTop)),
                    QString::fromStdString(ratio_text(v)));
        }
    }
}

void plot_colons(ChartSurface& surface, const LineTable& ratios)
{
    for (int r = kSignalX; r <= kSignalA; ++r) {
        float previous_centre = 0.0f;
        bool has_previous = false;
        for (int k = kFirstSlot; k <= kLastSlot; ++k) {
            if (!(ratios[r][k] > 0.0f))
                continue;
            const float centre = bar_left(r, k) + kBarWidth / 2.0f;
            if (has_previous) {
                const float mid = (centre + previous_centre) / 2.0f;
                for (const int top : {kUpperDotTop, kLowerDotTop})
                    surface.outline_rect(at(mid - 1.0f, float(top)), at(mid, float(top + 1)), chart::kBlack);
            }
            previous_centre = centre;
            has_previous = true;
        }
    }
}

void plot_spectrum(ChartSurface& surface, SpinSystem model)
{
    model.clear_lines();
    model.seed();
    model.split();
    model.rescale_heights();
    plot_bars(surface, model.spektr);
    model.rescale_ratios();
    plot_ratio_labels(surface, model.spektr);
    plot_colons(surface, model.spektr);
}

}  // namespace spektrion::plot
