// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

// The spectrum at a field as a picture: the exact spectrum as a curve with its lines as
// thin sticks, the first-order prediction over it in the groups' colours, on a ppm axis
// with hertz beside it; under the whole, an expansion of each multiplet (or of where
// multiplets overlap) wide enough for lines half a hertz apart to stand apart.
#include "model/exact.h"

#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

#include <vector>

class QPainter;

namespace spektrion::field_plot {

inline constexpr int kWidth = 900;
inline constexpr int kHeight = 560;
// Narrower than kWidth (a phone), the expansions stand one under another, the text a
// little larger, and the picture is this tall whatever the setting.
inline constexpr int kNarrowHeight = 700;

// The picture's size at `width`: kWidth × kHeight from kWidth up.
QSize size_at(int width);

// The ranges, in Hz from TMS, that the expansions show, highest first (left to right):
// each group's first-order multiplet with a margin, those that overlap made one.
struct Range {
    double from_hz;
    double to_hz;
};
std::vector<Range> expansions(const field::Sizes& sizes, const field::Setting& setting);

// What the picture tells a reader who cannot see it: each coupled pair's sentence.
QString description(const field::Setting& setting);

// Draws the picture laid out for `width` (size_at) at the painter's origin, on any device.
void draw(QPainter& painter, const field::Sizes& sizes, const field::Setting& setting, int width = kWidth);
// The picture at device pixel ratio `ratio`, drawn at that resolution.
QImage picture(
    const field::Sizes& sizes, const field::Setting& setting, qreal ratio = 1.0, int width = kWidth);

}  // namespace spektrion::field_plot
