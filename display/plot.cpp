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

float centre(int r, int k)
{
    return bar_left(r, k) + kBarWidth / 2.0f;
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

void plot_spectrum(ChartSurface& surface, const Spectrum& spectrum)
{
    surface.clear();
    for (const Signal& signal : spectrum.by_position) {
        const int r = signal_row(signal.group);
        for (const SpectrumLine& line : signal.lines) {
            if (!(line.height > kMinBarHeight))
                continue;
            const float left = bar_left(r, line.slot);
            const float top = float(chart::kBaseline) - float(chart::kGridStep) * line.height;
            surface.fill_rect(
                at(left, float(kBarBottom)), at(left + kBarWidth, top), look::group_colour(signal.group));
        }
    }
    for (const Signal& signal : spectrum.by_position)
        for (const SpectrumLine& line : signal.lines)
            surface.text(at(bar_left(signal_row(signal.group), line.slot) + kLabelOffset, float(kLabelTop)),
                QString::fromStdString(ratio_text(line.ratio)));
    for (const Signal& signal : spectrum.by_position) {
        const int r = signal_row(signal.group);
        for (std::size_t i = 1; i < signal.lines.size(); ++i) {
            const float mid = (centre(r, signal.lines[i].slot) + centre(r, signal.lines[i - 1].slot)) / 2.0f;
            for (const int top : {kUpperDotTop, kLowerDotTop})
                surface.outline_rect(at(mid - 1.0f, float(top)), at(mid, float(top + 1)), look::kBlack);
        }
    }
}

}  // namespace spektrion::plot
