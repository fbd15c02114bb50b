// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "surface.h"

#include "chart.h"

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

Surface::Surface(const QImage& background, qreal ratio)
    : chart_(background.convertToFormat(QImage::Format_RGB32))
    , background_(chart_)
    , image_(chart_)
    , ratio_(1.0)
    , font_(text_font())
    , ascent_(QFontMetrics(font_).ascent())
{
    set_ratio(ratio);
}

void Surface::set_ratio(qreal ratio)
{
    if (ratio == ratio_)
        return;
    ratio_ = ratio;
    background_ = ratio == 1.0 ? chart_ : chart::build(ratio);
    image_ = background_;
    for (const Operation& op : drawn_)
        draw(op);
}

void Surface::clear()
{
    drawn_.clear();
    image_ = background_;
}

void Surface::fill(const QRect& device, QRgb colour)
{
    const QRect r = device & image_.rect();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
        std::fill(line + r.left(), line + r.right() + 1, 0xFF000000u | colour);
    }
}

void Surface::draw(const Operation& op)
{
    const QRect r = between(op.a, op.b);
    switch (op.kind) {
    case Operation::Fill: fill(device_rect(r, ratio_), op.colour); break;
    case Operation::Outline:
        // A rectangle no more than two pixels across is all outline: one filled
        // rectangle, which keeps its size at any ratio (a colon's dots).
        if (r.width() <= 2 || r.height() <= 2) {
            fill(device_rect(r, ratio_), op.colour);
            break;
        }
        fill(device_rect(QRect(r.topLeft(), r.topRight()), ratio_), op.colour);
        fill(device_rect(QRect(r.bottomLeft(), r.bottomRight()), ratio_), op.colour);
        fill(device_rect(QRect(r.topLeft(), r.bottomLeft()), ratio_), op.colour);
        fill(device_rect(QRect(r.topRight(), r.bottomRight()), ratio_), op.colour);
        break;
    case Operation::Text: {
        QPainter painter(&image_);
        painter.setPen(QColor::fromRgb(kForeground));
        if (ratio_ == 1.0) {
            painter.setFont(font_);
            painter.drawText(op.a.x(), op.a.y() + ascent_, op.text);
            break;
        }
        // At another ratio the font itself is taken at that many times its size, still
        // unsmoothed: pure black glyphs at the device's resolution, the text cell's
        // top-left corner where device_rect puts that point.
        const QFont font = chart::at_ratio(font_, ratio_);
        painter.setFont(font);
        const QPoint top_left = device_point(op.a, ratio_);
        painter.drawText(top_left.x(), top_left.y() + QFontMetrics(font).ascent(), op.text);
        break;
    }
    }
}

void Surface::fill_rect(QPoint a, QPoint b, QRgb colour)
{
    drawn_.push_back({Operation::Fill, a, b, colour, {}});
    draw(drawn_.back());
}

void Surface::outline_rect(QPoint a, QPoint b, QRgb colour)
{
    drawn_.push_back({Operation::Outline, a, b, colour, {}});
    draw(drawn_.back());
}

void Surface::text(QPoint top_left, const QString& text)
{
    drawn_.push_back({Operation::Text, top_left, top_left, kForeground, text});
    draw(drawn_.back());
}

}  // namespace spektrion
