// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

#include "chart_surface.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRgb>
#include <QString>

namespace spektrion {

// The retained drawing surface of the chart canvas: an image that starts as the
// chart and keeps whatever is drawn on it until the next clear. All operations use
// chart pixel coordinates and are clipped to the chart.
class Surface : public ChartSurface {
public:
    // `background` is the chart; the surface keeps it to clear back to.
    explicit Surface(const QImage& background);

    const QImage& image() const { return image_; }
    const QImage& background() const { return background_; }

    void clear() override;
    void fill_rect(QPoint a, QPoint b, QRgb colour) override;
    void outline_rect(QPoint a, QPoint b, QRgb colour) override;
    void text(QPoint top_left, const QString& text) override;

    // The chart's text font: Arial 9.75 pt, regular, unsmoothed; Liberation Sans
    // or another sans-serif face stands in for Arial.
    static QFont text_font();

private:
    void span(int y, int x1, int x2, QRgb colour);

    QImage background_;
    QImage image_;
    QFont font_;
    int ascent_;
};

}  // namespace spektrion
