// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "canvas.h"

#include <QPainter>

namespace spektrion {

Canvas::Canvas(const QImage& chart, QWidget* parent)
    : QWidget(parent)
    , surface_(chart)
{
    setFixedSize(chart.width() + 2 * kFrame, chart.height() + 2 * kFrame);
    setMouseTracking(true);
    // Every pixel is painted in paintEvent; nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Canvas::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, width() - 1, height() - 1);
    painter.drawImage(kFrame, kFrame, surface_.image());
}

}  // namespace spektrion
