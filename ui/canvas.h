// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

#include "display/surface.h"

#include <QWidget>

namespace spektrion {

// The chart canvas: a 1-px black frame around the chart's 777 × 408 pixels. It only
// shows its surface; whoever draws on the surface calls show_changes() afterwards. Being
// retained, what was drawn before the first show or before the canvas was covered is
// there when it is painted.
//
// On a scaled display (a device pixel ratio other than 1) the surface is kept at the
// display's resolution and shown pixel for pixel, its frame round(ratio) pixels wide;
// moved to a screen of another ratio, it is drawn again at that one.
//
// A canvas may be zoomed (a narrow window's chart, smaller than the window's own): the
// chart inside the frame is then that many times its size, its surface drawn anew at
// the screen's ratio times the zoom, so that it is still shown pixel for pixel.
class Canvas : public QWidget {
    Q_OBJECT

public:
    static constexpr int kFrame = 1;

    Canvas(const QImage& chart, QWidget* parent = nullptr, qreal zoom = 1.0);

    Surface& surface() { return surface_; }
    const Surface& surface() const { return surface_; }

    // Repaints what was drawn on the surface since the last call: a click's bars and
    // numbers, not the whole chart.
    void show_changes();
    // Another zoom: the surface is drawn anew at it when next shown.
    void set_zoom(qreal zoom);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal zoom_;
    Surface surface_;
};

}  // namespace spektrion
