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
