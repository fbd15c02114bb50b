// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "display/chart_surface.h"

#include "display/chart.h"
#include "display/surface.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace spektrion {

PainterSurface::PainterSurface(QPainter& painter)
    : painter_(painter)
{
}

void PainterSurface::clear()
{
    chart::paint(painter_);
}

QRect between(QPoint a, QPoint b)
{
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
        QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

int device_pixels(qreal v)
{
    return int(std::floor(v + 0.5));
}

QPoint device_point(QPoint p, qreal ratio)
{
    return {device_pixels(p.x() * ratio), device_pixels(p.y() * ratio)};
}

QRect device_rect(const QRect& r, qreal ratio)
{
    constexpr int kThin = 3;
    const auto round = device_pixels;
    const auto span = [&](int start, int extent, int& device_start, int& device_extent) {
        device_start = round(start * ratio);
        device_extent = extent <= kThin ? std::max(1, round(extent * ratio))
                                        : round((start + extent) * ratio) - device_start;
    };
    int x, y, w, h;
    span(r.left(), r.width(), x, w);
    span(r.top(), r.height(), y, h);
    return {x, y, w, h};
}

void PainterSurface::fill_rect(QPoint a, QPoint b, QRgb colour)
{
    const QRect r = between(a, b);
    painter_.fillRect(QRectF(r.left(), r.top(), r.width(), r.height()), QColor::fromRgb(colour));
}

void PainterSurface::outline_rect(QPoint a, QPoint b, QRgb colour)
{
    // The four sides as one-pixel rectangles, the pixels the window's outline covers.
    const QRect r = between(a, b);
    fill_rect(r.topLeft(), r.topRight(), colour);
    fill_rect(r.bottomLeft(), r.bottomRight(), colour);
    fill_rect(r.topLeft(), r.bottomLeft(), colour);
    fill_rect(r.topRight(), r.bottomRight(), colour);
}

void PainterSurface::text(QPoint top_left, const QString& text)
{
    QFont font = Surface::text_font();
    font.setStyleStrategy(QFont::PreferAntialias);
    painter_.setFont(font);
    painter_.setPen(Qt::black);
    painter_.drawText(QPointF(top_left.x(), top_left.y() + QFontMetricsF(font).ascent()), text);
}

}  // namespace spektrion
