// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "ui/canvas.h"

#include "display/chart.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace spektrion {

Canvas::Canvas(const QImage& chart, QWidget* parent, qreal zoom)
    : QWidget(parent)
    , zoom_(zoom)
    , surface_(chart, devicePixelRatioF() * zoom)
{
    set_zoom(zoom);
    setMouseTracking(true);
    // Every pixel is painted in paintEvent; nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Canvas::set_zoom(qreal zoom)
{
    zoom_ = zoom;
    // The frame stays a pixel wide; only the chart inside it is zoomed.
    setFixedSize(int(std::lround(chart::kWidth * zoom)) + 2 * kFrame,
        int(std::lround(chart::kHeight * zoom)) + 2 * kFrame);
    update();
}

void Canvas::show_changes()
{
    // One rectangle around everything that changed: a region of every bar and number
    // would cost the toolkit more to paint through than the pixels it saves.
    const QRect d = surface_.take_changes();
    if (d.isEmpty())
        return;
    // The surface's pixels to the widget's.
    const qreal ratio = surface_.ratio() / zoom_;
    // Widened by a pixel for the rounding between the two grids.
    const QPoint top_left(int(std::floor(d.left() / ratio)), int(std::floor(d.top() / ratio)));
    const QPoint past(int(std::ceil((d.right() + 1) / ratio)), int(std::ceil((d.bottom() + 1) / ratio)));
    update(QRect(top_left, past).adjusted(kFrame - 1, kFrame - 1, kFrame + 1, kFrame + 1));
}

void Canvas::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const qreal screen = painter.device()->devicePixelRatioF();
    const qreal ratio = screen * zoom_;
    if (ratio != surface_.ratio()) {
        // On a screen of another scale: everything is drawn anew, so all of it is shown.
        surface_.set_ratio(ratio);
        surface_.take_changes();
        update();
    }
    if (screen == 1.0 && zoom_ == 1.0) {
        painter.setPen(Qt::black);
        painter.drawRect(0, 0, width() - 1, height() - 1);
        painter.drawImage(kFrame, kFrame, surface_.image());
        return;
    }
    // Painted in whole device pixels from the device pixel nearest the canvas's
    // corner, so that the image lands pixel for pixel, unscaled.
    const QPointF corner = painter.deviceTransform().map(QPointF(0, 0));
    const QPointF snap(device_pixels(corner.x()) - corner.x(), device_pixels(corner.y()) - corner.y());
    QTransform device = QTransform::fromScale(1.0 / screen, 1.0 / screen);
    device.translate(snap.x(), snap.y());
    painter.setWorldTransform(device);
    const int frame = std::max(1, device_pixels(kFrame * screen));
    // The canvas's own device pixels, which the rounding of its two edges decides: the
    // frame runs along them, the chart inside it, and whatever the rounding leaves
    // between the chart and the frame is the chart's white.
    const QRect widget(0, 0, device_pixels(corner.x() + width() * screen) - device_pixels(corner.x()),
        device_pixels(corner.y() + height() * screen) - device_pixels(corner.y()));
    const QRect inside = widget.adjusted(frame, frame, -frame, -frame);
    const QImage& image = surface_.image();
    painter.drawImage(inside.topLeft(), image, QRect(QPoint(0, 0), inside.size()));
    painter.fillRect(
        QRect(inside.left() + image.width(), inside.top(), widget.width(), inside.height()), Qt::white);
    painter.fillRect(
        QRect(inside.left(), inside.top() + image.height(), inside.width(), widget.height()), Qt::white);
    for (const QRect& side :
        {QRect(0, 0, widget.width(), frame), QRect(0, widget.height() - frame, widget.width(), frame),
            QRect(0, 0, frame, widget.height()), QRect(widget.width() - frame, 0, frame, widget.height())})
        painter.fillRect(side, Qt::black);
}

}  // namespace spektrion
