// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "surface.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace spektrion {

namespace {
constexpr int kTextPixelSize = 13;  // 9.75 pt at 96 dpi
constexpr QRgb kForeground = 0x000000u;
}  // namespace

QFont Surface::text_font()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif, QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferMatch));
    // Full hinting, as at 96 dpi, also where the desktop scales: the chart keeps its pixels.
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setPixelSize(kTextPixelSize);
    font.setWeight(QFont::Normal);
    return font;
}

Surface::Surface(const QImage& background)
    : background_(background.convertToFormat(QImage::Format_RGB32))
    , image_(background_)
    , font_(text_font())
    , ascent_(QFontMetrics(font_).ascent())
{
}

void Surface::clear()
{
    image_ = background_;
}

void Surface::span(int y, int x1, int x2, QRgb colour)
{
    if (y < 0 || y >= image_.height())
        return;
    x1 = std::max(x1, 0);
    x2 = std::min(x2, image_.width() - 1);
    auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
    for (int x = x1; x <= x2; ++x)
        line[x] = 0xFF000000u | colour;
}

void Surface::fill_rect(QPoint a, QPoint b, QRgb colour)
{
    const QRect r = between(a, b);
    for (int y = r.top(); y <= r.bottom(); ++y)
        span(y, r.left(), r.right(), colour);
}

void Surface::outline_rect(QPoint a, QPoint b, QRgb colour)
{
    const QRect r = between(a, b);
    span(r.top(), r.left(), r.right(), colour);
    span(r.bottom(), r.left(), r.right(), colour);
    for (int y = r.top() + 1; y < r.bottom(); ++y) {
        span(y, r.left(), r.left(), colour);
        span(y, r.right(), r.right(), colour);
    }
}

void Surface::text(QPoint top_left, const QString& text)
{
    QPainter painter(&image_);
    painter.setFont(font_);
    painter.setPen(QColor::fromRgb(kForeground));
    painter.drawText(top_left.x(), top_left.y() + ascent_, text);
}

}  // namespace spektrion
