// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "display/surface.h"

#include "display/chart.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <utility>

namespace spektrion {

namespace {
constexpr int kTextPixelSize = 13;  // 9.75 pt at 96 dpi
constexpr QRgb kForeground = 0x000000u;
}  // namespace

QFont Surface::text_font()
{
    return look::face(look::kSans, QFont::SansSerif, kTextPixelSize, QFont::Normal);
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
    touched_.clear();
    for (const Operation& op : drawn_)
        touched_.push_back(draw(op));
    changes_ = image_.rect();
}

QRect Surface::take_changes()
{
    return std::exchange(changes_, QRect());
}

void Surface::clear()
{
    for (const QRect& touched : touched_) {
        const QRect r = touched & image_.rect();
        if (r.isEmpty())
            continue;
        for (int y = r.top(); y <= r.bottom(); ++y)
            std::memcpy(image_.scanLine(y) + r.left() * 4, background_.constScanLine(y) + r.left() * 4,
                std::size_t(r.width()) * 4);
        changes_ |= r;
    }
    touched_.clear();
    drawn_.clear();
}

QRect Surface::fill(const QRect& device, QRgb colour)
{
    const QRect r = device & image_.rect();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
        std::fill(line + r.left(), line + r.right() + 1, 0xFF000000u | colour);
    }
    return r;
}

QRect Surface::draw(const Operation& op)
{
    const QRect r = between(op.a, op.b);
    switch (op.kind) {
    case Operation::Fill: return fill(device_rect(r, ratio_), op.colour);
    case Operation::Outline:
        // A rectangle no more than two pixels across is all outline: one filled
        // rectangle, which keeps its size at any ratio (a colon's dots).
        if (r.width() <= 2 || r.height() <= 2)
            return fill(device_rect(r, ratio_), op.colour);
        // The thin sides keep their widths, so they may reach a pixel past the
        // rectangle's own edges: what was touched is the four sides.
        return fill(device_rect(QRect(r.topLeft(), r.topRight()), ratio_), op.colour)
            | fill(device_rect(QRect(r.bottomLeft(), r.bottomRight()), ratio_), op.colour)
            | fill(device_rect(QRect(r.topLeft(), r.bottomLeft()), ratio_), op.colour)
            | fill(device_rect(QRect(r.topRight(), r.bottomRight()), ratio_), op.colour);
    case Operation::Text: {
        // At another ratio the font itself is taken at that many times its size, still
        // unsmoothed: pure black glyphs at the device's resolution, the text cell's
        // top-left corner where device_rect puts that point.
        const QFont font = ratio_ == 1.0 ? font_ : chart::at_ratio(font_, ratio_);
        const QFontMetrics metrics(font);
        const QPoint top_left = ratio_ == 1.0 ? op.a : device_point(op.a, ratio_);
        const QPoint baseline = top_left + QPoint(0, ratio_ == 1.0 ? ascent_ : metrics.ascent());
        QPainter painter(&image_);
        painter.setPen(QColor::fromRgb(kForeground));
        painter.setFont(font);
        painter.drawText(baseline, op.text);
        // The cell and the ink, with room for a glyph that reaches past its advance.
        const QRect cell(top_left, QSize(metrics.horizontalAdvance(op.text), metrics.height()));
        return (cell | metrics.boundingRect(op.text).translated(baseline)).adjusted(-2, -2, 2, 2)
            & image_.rect();
    }
    }
    return {};
}

void Surface::record(const Operation& op)
{
    drawn_.push_back(op);
    const QRect touched = draw(op);
    touched_.push_back(touched);
    changes_ |= touched;
}

void Surface::fill_rect(QPoint a, QPoint b, QRgb colour)
{
    record({Operation::Fill, a, b, colour, {}});
}

void Surface::outline_rect(QPoint a, QPoint b, QRgb colour)
{
    record({Operation::Outline, a, b, colour, {}});
}

void Surface::text(QPoint top_left, const QString& text)
{
    record({Operation::Text, top_left, top_left, kForeground, text});
}

}  // namespace spektrion
