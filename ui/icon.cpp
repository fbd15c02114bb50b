#include "icon.h"

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
    // Capitals as tall as two lines allow, narrowed until the longer line fits across.
    int pixel_size = size;
    for (; pixel_size > 4; --pixel_size) {
        font.setPixelSize(pixel_size);
        if (QFontMetrics(font).capHeight() * 2 + size / 4 <= size)
            break;
    }
    font.setPixelSize(pixel_size);
    for (int stretch = QFont::Unstretched; stretch > QFont::UltraCondensed; stretch -= 5) {
        font.setStretch(stretch);
        const QFontMetrics metrics(font);
        if (std::max(metrics.tightBoundingRect(QString::fromUtf16(kLines[0])).width(),
                     metrics.tightBoundingRect(QString::fromUtf16(kLines[1])).width())
            <= size - size / 16)
            break;
    }

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
    QIcon icon;
    for (const int size : {32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(icon_image(size)));
    return icon;
}

}  // namespace spektrion
