// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

// Renders the pictures the program carries with it, once, at build time: the chart,
// so that start-up need not load the chart's fonts and rasterise its labels, and the
// window icon; plus the menu icon as PNG files at the sizes a desktop wants and as SVG.
// Usage: spektrion-images OUTPUT_DIR
#include "carried_image.h"
#include "chart.h"
#include "icon.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

namespace {

bool write(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: spektrion-images OUTPUT_DIR\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path()))
        return 1;
    using namespace spektrion;
    bool ok = write(
        out.filePath(QStringLiteral("chart.rgb32")), raw_pixels(chart::build(), QImage::Format_RGB32));
    ok = write(out.filePath(QStringLiteral("icon-32.argb32")),
             raw_pixels(icon_image(kWindowIconSize), QImage::Format_ARGB32))
        && ok;
    for (const int size : kIconSizes)
        ok = menu_icon_image(size).save(out.filePath(QStringLiteral("menu-icon-%1.png").arg(size))) && ok;
    ok = write(out.filePath(QStringLiteral("menu-icon.svg")), menu_icon_svg()) && ok;
    if (!ok) {
        std::fputs("spektrion-images: cannot write the pictures\n", stderr);
        return 1;
    }
    return 0;
}
