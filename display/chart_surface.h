// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QString>

class QPainter;

namespace spektrion {

// The rectangle between two corners given in either order, both included.
QRect between(QPoint a, QPoint b);

// The one rounding of a length or position × ratio to device pixels: halves go up.
int device_pixels(qreal v);

// Where the chart-pixel rectangle `r` lies in device pixels at `ratio`, by the one
// rule for every drawing at a ratio other than 1. Across a thin extent (up to 3 chart
// pixels: grid lines, the baseline, bars, colon dots) the rectangle starts at its
// position × ratio rounded and keeps round(extent × ratio) pixels, at least one, so
// that equal elements stay equal wherever they stand. Across a longer extent both
// edges are rounded, so that what meets at an edge still meets (a bar on the
// baseline). No edge moves more than a device pixel off its position × ratio. At
// ratio 1 it is `r`.
QRect device_rect(const QRect& r, qreal ratio);
// A chart-pixel point × ratio, rounded as device_rect rounds.
QPoint device_point(QPoint p, qreal ratio);

// What the plotting draws on: the chart, in chart pixel coordinates, with the few
// operations the spectrum needs. The window's surface keeps exact pixels; a printed
// sheet draws the same operations as vector shapes and text.
class ChartSurface {
public:
    virtual ~ChartSurface() = default;

    // Everything drawn since the last clear goes; the chart shows again untouched.
    virtual void clear() = 0;
    // Rectangles between two corners, both included, with a 1-px pen.
    virtual void fill_rect(QPoint a, QPoint b, QRgb colour) = 0;
    virtual void outline_rect(QPoint a, QPoint b, QRgb colour) = 0;
    // Draws only the glyphs of `text`, in black, in the chart's text font, with the
    // top-left corner of its text cell at `top_left`.
    virtual void text(QPoint top_left, const QString& text) = 0;
};

// The chart drawn through a QPainter on any device (a PDF page, say), with the
// chart's pixels as the painter's units: clear() paints the chart itself.
class PainterSurface : public ChartSurface {
public:
    explicit PainterSurface(QPainter& painter);

    void clear() override;
    void fill_rect(QPoint a, QPoint b, QRgb colour) override;
    void outline_rect(QPoint a, QPoint b, QRgb colour) override;
    void text(QPoint top_left, const QString& text) override;

private:
    QPainter& painter_;
};

}  // namespace spektrion
