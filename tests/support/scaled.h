// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

// The start-up chart as a scaled display shows it, measured: every grid line, bar and
// axis of one width, each where its 96-dpi position × the ratio puts it, within one
// device pixel, and no colour but the chart's six.
#include "display/chart.h"
#include "display/plot.h"
#include "model/spin_system.h"
#include "tests/support/pixels.h"

#include <QImage>

#include <cmath>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace spektrion::testing_scaled {

struct Run {
    int start;
    int length;
};

// The runs of `colour` met walking `steps` pixels from `from` along `step`.
inline std::vector<Run> runs(const QImage& image, QPoint from, QPoint step, int steps, QRgb colour)
{
    std::vector<Run> found;
    bool inside = false;
    for (int i = 0; i < steps; ++i) {
        const QPoint p = from + step * i;
        const bool hit = image.rect().contains(p) && testing_pixels::rgb(image, p.x(), p.y()) == colour;
        if (hit && !inside)
            found.push_back({i, 0});
        if (hit)
            ++found.back().length;
        inside = hit;
    }
    return found;
}

inline int device(double chart_pixels, double ratio)
{
    return int(std::floor(chart_pixels * ratio + 0.5));
}

// Runs expected to be `width` long each, starting at `starts` (chart pixels) × ratio.
inline void check_runs(std::ostringstream& out, const char* what, const std::vector<Run>& found,
    const std::vector<int>& starts, int width, double ratio)
{
    if (found.size() != starts.size()) {
        out << what << ": " << found.size() << " instead of " << starts.size() << "; ";
        return;
    }
    for (std::size_t i = 0; i < found.size(); ++i) {
        if (found[i].length != width)
            out << what << " " << i << " is " << found[i].length << " px, not " << width << "; ";
        if (std::abs(found[i].start - device(starts[i], ratio)) > 1)
            out << what << " " << i << " at " << found[i].start << ", not " << device(starts[i], ratio)
                << "; ";
    }
}

// What is wrong with the start-up chart (A2M2X2, J(AM) > J(MX)) drawn at device pixel
// ratio `ratio`, its top-left chart pixel at `origin` of `image`; empty if nothing.
inline std::string faults(const QImage& image, QPoint origin, double ratio)
{
    std::ostringstream out;
    const int line = std::max(1, device(1, ratio));
    const int thick = std::max(1, device(3, ratio));
    const QRect area(origin, QSize(device(chart::kWidth, ratio), device(chart::kHeight, ratio)));
    const std::set<QRgb> colours
        = {chart::kWhite, chart::kGrey, chart::kBlack, chart::kBlue, chart::kGreen, chart::kRed};
    int foreign = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            foreign += !colours.count(testing_pixels::rgb(image, x, y));
    if (foreign > 0)
        out << foreign << " pixels of colours not the chart's; ";

    // Along a row inside the top grid cells, and a column left of the first bar.
    std::vector<int> columns, rows;
    for (int i = 0; i <= chart::kGridColumns; ++i)
        columns.push_back(chart::kGridLeft + chart::kGridStep * i);
    for (int j = 0; j < chart::kGridRows; ++j)
        rows.push_back(chart::kGridTop + chart::kGridStep * j);
    const QPoint row = origin + QPoint(0, device(46, ratio));
    const QPoint column = origin + QPoint(device(26, ratio), 0);
    // Walks stop short of the chart's last rows and columns, which hold nothing and
    // which a canvas a device pixel short may give to its frame.
    const int across = device(770, ratio);
    const int down = device(400, ratio);
    check_runs(
        out, "vertical grid line", runs(image, row, {1, 0}, across, chart::kGrey), columns, line, ratio);
    check_runs(out, "horizontal grid line",
        runs(image, column, {0, 1}, device(chart::kBaselineTop, ratio), chart::kGrey), rows, line, ratio);
    check_runs(out, "baseline", runs(image, column, {0, 1}, down, chart::kBlack), {chart::kBaselineTop},
        thick, ratio);
    check_runs(out, "TMS line",
        runs(image, origin + QPoint(0, device(350, ratio)), {1, 0}, across, chart::kBlack),
        {chart::kTmsCentre - 1}, thick, ratio);

    // The bars, crossed just above the baseline: each signal's lines from the model.
    SpinSystem s;
    s.nA = s.nM = s.nX = 2;
    s.znak_J = 0;
    s.calculate();
    const QRgb colour_of[kRows] = {0, chart::kBlue, chart::kGreen, chart::kRed};
    for (int r = kSignalX; r <= kSignalA; ++r) {
        std::vector<int> lefts;
        for (int k = kFirstSlot; k <= kLastSlot; ++k)
            if (s.spektr[r][k] > 0.0f)
                lefts.push_back(plot::to_pixel(plot::bar_left(r, k)));
        check_runs(out, "bar",
            runs(image, origin + QPoint(0, device(378, ratio)), {1, 0}, across, colour_of[r]), lefts, thick,
            ratio);
    }
    return out.str();
}

// Where the chart's top-left pixel lies in a picture of the window at `ratio`: just
// inside the canvas's black frame.
inline QPoint chart_origin(const QImage& window, double ratio)
{
    const auto inside = [&](QPoint from, QPoint step) {
        const std::vector<Run> frame = runs(window, from, step, device(20, ratio), chart::kBlack);
        return frame.empty() ? -1 : frame.front().start + frame.front().length;
    };
    const int x = inside({0, device(250, ratio)}, {1, 0});
    const int y = inside({device(300, ratio), device(40, ratio)}, {0, 1});
    return {x, y >= 0 ? y + device(40, ratio) : -1};
}

}  // namespace spektrion::testing_scaled
