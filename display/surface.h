// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

#include "display/chart_surface.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QString>

#include <vector>

namespace spektrion {

// The retained drawing surface of the chart canvas: an image that starts as the
// chart and keeps whatever is drawn on it until the next clear. All operations use
// chart pixel coordinates and are clipped to the chart.
//
// The image is kept at a device pixel ratio: at 1 it is the chart's 777 × 408 pixels
// exactly; at any other ratio everything is drawn anew at that resolution from the
// chart's description (see device_rect), never scaled from the 96-dpi pixels.
class Surface : public ChartSurface {
public:
    // `background` is the chart at 96 dpi; the surface keeps it to clear back to.
    explicit Surface(const QImage& background, qreal ratio = 1.0);

    const QImage& image() const { return image_; }
    const QImage& background() const { return background_; }
    qreal ratio() const { return ratio_; }

    // Draws the chart and everything drawn on it since the last clear again, at
    // `ratio`: for a screen of another scale.
    void set_ratio(qreal ratio);

    // A rectangle around the device pixels that changed since the last call: what a
    // screen must show anew.
    QRect take_changes();

    void clear() override;
    void fill_rect(QPoint a, QPoint b, QRgb colour) override;
    void outline_rect(QPoint a, QPoint b, QRgb colour) override;
    void text(QPoint top_left, const QString& text) override;

    // The chart's text font: Arial 9.75 pt, regular, unsmoothed; Liberation Sans
    // or another sans-serif face stands in for Arial.
    static QFont text_font();

private:
    // What was drawn since the last clear, to draw again at another ratio.
    struct Operation {
        enum Kind { Fill, Outline, Text } kind;
        QPoint a, b;
        QRgb colour;
        QString text;
    };

    void record(const Operation& op);
    // Draws `op` at ratio_ and returns the device pixels it may have touched.
    QRect draw(const Operation& op);
    QRect fill(const QRect& device, QRgb colour);

    QImage chart_;  // the chart at 96 dpi, as given
    QImage background_;  // the chart at ratio_
    QImage image_;
    qreal ratio_;
    std::vector<Operation> drawn_;
    // Where drawn_ touched the image: all that a clear must put back, so that a clear
    // costs what was drawn, not the whole image (which a scaled display makes large).
    std::vector<QRect> touched_;
    QRect changes_;
    QFont font_;
    int ascent_;
};

}  // namespace spektrion
