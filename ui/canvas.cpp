// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "canvas.h"

#include "chart.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace spektrion {

Canvas::Canvas(const QImage& chart, QWidget* parent)
    : QWidget(parent)
    , surface_(chart, devicePixelRatioF())
{
    setFixedSize(chart::kWidth + 2 * kFrame, chart::kHeight + 2 * kFrame);
    setMouseTracking(true);
    // Every pixel is painted in paintEvent; nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Canvas::show_changes()
{
    // One rectangle around everything that changed: a region of every bar and number
    // would cost the toolkit more to paint through than the pixels it saves.
    const QRect d = surface_.take_changes();
    if (d.isEmpty())
        return;
    const qreal ratio = surface_.ratio();
    // Widened by a pixel for the rounding between the two grids.
    const QPoint top_left(int(std::floor(d.left() / ratio)), int(std::floor(d.top() / ratio)));
    const QPoint past(int(std::ceil((d.right() + 1) / ratio)), int(std::ceil((d.bottom() + 1) / ratio)));
    update(QRect(top_left, past).adjusted(kFrame - 1, kFrame - 1, kFrame + 1, kFrame + 1));
}

void Canvas::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const qreal ratio = painter.device()->devicePixelRatioF();
    if (ratio != surface_.ratio()) {
        // On a screen of another scale: everything is drawn anew, so all of it is shown.
        surface_.set_ratio(ratio);
        surface_.take_changes();
        update();
    }
    if (ratio == 1.0) {
        painter.setPen(Qt::black);
        painter.drawRect(0, 0, width() - 1, height() - 1);
        painter.drawImage(kFrame, kFrame, surface_.image());
        return;
    }
    // Painted in whole device pixels from the device pixel nearest the canvas's
    // corner, so that the image lands pixel for pixel, unscaled.
    const QPointF corner = painter.deviceTransform().map(QPointF(0, 0));
    const QPointF snap(std::floor(corner.x() + 0.5) - corner.x(), std::floor(corner.y() + 0.5) - corner.y());
    QTransform device = QTransform::fromScale(1.0 / ratio, 1.0 / ratio);
    device.translate(snap.x(), snap.y());
    painter.setWorldTransform(device);
    const int frame = std::max(1, int(std::floor(kFrame * ratio + 0.5)));
    const QSize image = surface_.image().size();
    const QRect outer(0, 0, image.width() + 2 * frame, image.height() + 2 * frame);
    // What the rounding leaves of the widget beyond the frame takes the window's colour.
    const QRect widget(0, 0, int(std::ceil(width() * ratio)) + 1, int(std::ceil(height() * ratio)) + 1);
    const QColor window = palette().color(QPalette::Window);
    painter.fillRect(QRect(outer.right() + 1, 0, widget.width(), widget.height()), window);
    painter.fillRect(QRect(0, outer.bottom() + 1, widget.width(), widget.height()), window);
    for (const QRect& side :
        {QRect(0, 0, outer.width(), frame), QRect(0, outer.height() - frame, outer.width(), frame),
            QRect(0, 0, frame, outer.height()), QRect(outer.width() - frame, 0, frame, outer.height())})
        painter.fillRect(side, Qt::black);
    painter.drawImage(frame, frame, surface_.image());
}

}  // namespace spektrion
