#include "icon.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>

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
    // The largest face whose two lines fit the square, each line half of it.
    int pixel_size = size / 2;
    for (; pixel_size > 4; --pixel_size) {
        font.setPixelSize(pixel_size);
        const QFontMetrics metrics(font);
        const int widest = std::max(metrics.horizontalAdvance(QString::fromUtf16(kLines[0])),
                                    metrics.horizontalAdvance(QString::fromUtf16(kLines[1])));
        if (widest <= size && metrics.capHeight() * 2 + size / 8 <= size)
            break;
    }
    font.setPixelSize(pixel_size);

    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(kYellow));
    const QFontMetrics metrics(font);
    const int gap = (size - 2 * metrics.capHeight()) / 3;
    for (int i = 0; i < 2; ++i) {
        const QString line = QString::fromUtf16(kLines[i]);
        const int x = (size - metrics.horizontalAdvance(line)) / 2;
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
