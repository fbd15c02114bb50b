// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "ui/icon.h"

#include "display/carried_image.h"
#include "display/look.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>

namespace spektrion {
namespace {

constexpr QRgb kYellow = 0xFFFF00u;
constexpr const char16_t* kLines[2] = {u"SPEK", u"TRION"};

// The two lines of capitals laid out in a square box: the font and each line's
// pen position.
struct Lettering {
    QFont font;
    QPoint origins[2];
};

Lettering lay_out(const QRect& box)
{
    const int size = box.width();
    QFont font(QString::fromLatin1(look::kSerif));
    font.setStyleHint(QFont::Serif, QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferMatch));
    font.setWeight(QFont::Bold);
    // Capitals as tall as two lines allow, then narrowed until the longer line fits
    // across. Both are scaled from one measurement and only corrected by a step or two:
    // every font size tried costs a glyph rasterisation at start-up.
    constexpr int kProbeSize = 100;
    font.setPixelSize(kProbeSize);
    const int cap_at_probe = std::max(1, QFontMetrics(font).capHeight());
    const int wanted_cap = (size - size / 4) / 2;
    int pixel_size = std::max(4, kProbeSize * wanted_cap / cap_at_probe);
    font.setPixelSize(pixel_size);
    while (pixel_size > 4 && QFontMetrics(font).capHeight() > wanted_cap)
        font.setPixelSize(--pixel_size);

    const auto widest = [&] {
        const QFontMetrics metrics(font);
        return std::max(metrics.tightBoundingRect(QString::fromUtf16(kLines[0])).width(),
            metrics.tightBoundingRect(QString::fromUtf16(kLines[1])).width());
    };
    const int room = size - size / 16;
    int stretch = std::clamp(QFont::Unstretched * room / std::max(1, widest()), int(QFont::UltraCondensed),
        int(QFont::Unstretched));
    font.setStretch(stretch);
    while (stretch > QFont::UltraCondensed && widest() > room)
        font.setStretch(--stretch);

    Lettering lettering{font, {}};
    const QFontMetrics metrics(font);
    const int gap = (size - 2 * metrics.capHeight()) / 3;
    for (int i = 0; i < 2; ++i) {
        const QRect ink = metrics.tightBoundingRect(QString::fromUtf16(kLines[i]));
        const int x = (size - ink.width()) / 2 - ink.left();
        const int baseline = gap + (i + 1) * metrics.capHeight() + i * gap;
        lettering.origins[i] = box.topLeft() + QPoint(x, baseline);
    }
    return lettering;
}

// The menu icon's ground: a dark tile with rounded corners, and inside it the box
// the capitals fill.
constexpr QRgb kTile = 0x17406Du;
QRectF tile_rect(int size)
{
    return QRectF(0, 0, size, size).adjusted(size / 32.0, size / 32.0, -size / 32.0, -size / 32.0);
}
QRect lettering_box(int size)
{
    const int margin = size / 10;
    return QRect(margin, margin, size - 2 * margin, size - 2 * margin);
}

// The menu icon as outlines at `size`: the tile and the capitals.
QPainterPath tile_path(int size)
{
    QPainterPath path;
    path.addRoundedRect(tile_rect(size), size / 6.0, size / 6.0);
    return path;
}
QPainterPath lettering_path(int size)
{
    const Lettering lettering = lay_out(lettering_box(size));
    QPainterPath path;
    for (int i = 0; i < 2; ++i)
        path.addText(lettering.origins[i], lettering.font, QString::fromUtf16(kLines[i]));
    return path;
}

QString svg_path_data(const QPainterPath& path)
{
    QString data;
    const auto number = [](qreal v) { return QString::number(v, 'f', 2); };
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            data += u'M' + number(e.x) + u',' + number(e.y);
        } else if (e.isLineTo()) {
            data += u'L' + number(e.x) + u',' + number(e.y);
        } else if (e.isCurveTo()) {
            // A cubic segment: this element and the two CurveToData that follow.
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            data += u'C' + number(e.x) + u',' + number(e.y) + u' ' + number(c2.x) + u',' + number(c2.y) + u' '
                + number(end.x) + u',' + number(end.y);
            i += 2;
        }
    }
    return data;
}

QString hex(QRgb colour)
{
    return QStringLiteral("#%1").arg(colour & 0xFFFFFFu, 6, 16, QLatin1Char('0')).toUpper();
}

}  // namespace

QImage icon_image(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const Lettering lettering = lay_out(QRect(0, 0, size, size));
    QPainter painter(&image);
    painter.setFont(lettering.font);
    painter.setPen(QColor::fromRgb(kYellow));
    for (int i = 0; i < 2; ++i)
        painter.drawText(lettering.origins[i], QString::fromUtf16(kLines[i]));
    return image;
}

QImage menu_icon_image(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    // Small sizes stay crisp; from 48 px up the outlines are smoothed.
    const bool smooth = size >= 48;
    painter.setRenderHint(QPainter::Antialiasing, smooth);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgb(kTile));
    painter.drawPath(tile_path(size));
    if (smooth) {
        painter.setBrush(QColor::fromRgb(kYellow));
        painter.drawPath(lettering_path(size));
    } else {
        const QRect box = lettering_box(size);
        painter.drawImage(box.topLeft(), icon_image(box.width()));
    }
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QByteArray menu_icon_svg()
{
    constexpr int kSize = 256;
    const QString svg = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" viewBox=\"0 0 %1 %1\">\n"
        "  <path fill=\"%2\" d=\"%3\"/>\n"
        "  <path fill=\"%4\" fill-rule=\"evenodd\" d=\"%5\"/>\n"
        "</svg>\n")
                            .arg(kSize)
                            .arg(hex(kTile), svg_path_data(tile_path(kSize)), hex(kYellow),
                                svg_path_data(lettering_path(kSize)));
    return svg.toUtf8();
}

QIcon window_icon()
{
    const QImage carried = carried_image(
        QString::fromUtf16(kCarriedIconPath), QSize(kWindowIconSize, kWindowIconSize), QImage::Format_ARGB32);
    return QIcon(QPixmap::fromImage(carried.isNull() ? icon_image(kWindowIconSize) : carried));
}

}  // namespace spektrion
