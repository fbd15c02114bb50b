#include "icon.h"

#include "carried_image.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace spektrion {
namespace {

constexpr QRgb kYellow = 0xFFFF00u;
constexpr const char16_t* kLines[2] = {u"SPEK", u"TRION"};

}  // namespace

QImage icon_image(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);

    QFont font(QStringLiteral("Liberation Serif"));
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

    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(kYellow));
    const QFontMetrics metrics(font);
    const int gap = (size - 2 * metrics.capHeight()) / 3;
    for (int i = 0; i < 2; ++i) {
        const QString line = QString::fromUtf16(kLines[i]);
        const QRect ink = metrics.tightBoundingRect(line);
        const int x = (size - ink.width()) / 2 - ink.left();
        const int baseline = gap + (i + 1) * metrics.capHeight() + i * gap;
        painter.drawText(x, baseline, line);
    }
    return image;
}

QIcon window_icon()
{
    const QImage carried = carried_image(
        QString::fromUtf16(kCarriedIconPath), QSize(kWindowIconSize, kWindowIconSize), QImage::Format_ARGB32);
    return QIcon(QPixmap::fromImage(carried.isNull() ? icon_image(kWindowIconSize) : carried));
}

}  // namespace spektrion
