// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

// Renders the pictures the program carries with it, once, at build time: the chart,
// so that start-up need not load the chart's fonts and rasterise its labels, and the
// window icon; plus the menu icon as PNG files at the sizes a desktop wants, as SVG,
// and the icon file of the Windows executables.
// Usage: spektrion-images OUTPUT_DIR
#include "app/tool.h"
#include "display/carried_image.h"
#include "display/chart.h"
#include "ui/icon.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <vector>

namespace {

bool write(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

// A Windows icon file holding each picture as a PNG entry (read since Windows Vista),
// little-endian throughout.
QByteArray ico(const std::vector<QImage>& images)
{
    QByteArray out;
    const auto u8 = [&](int v) { out.append(char(v & 0xFF)); };
    const auto u16 = [&](int v) {
        u8(v);
        u8(v >> 8);
    };
    const auto u32 = [&](qint64 v) {
        u16(int(v & 0xFFFF));
        u16(int(v >> 16));
    };
    u16(0);
    u16(1);  // an icon, not a cursor
    u16(int(images.size()));
    std::vector<QByteArray> entries;
    for (const QImage& image : images)
        entries.push_back(spektrion::png(image));
    qint64 offset = 6 + 16 * qint64(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        u8(images[i].width() % 256);  // 0 stands for 256
        u8(images[i].height() % 256);
        u8(0);  // no palette
        u8(0);
        u16(1);  // colour planes
        u16(32);  // bits per pixel
        u32(entries[i].size());
        u32(offset);
        offset += entries[i].size();
    }
    for (const QByteArray& entry : entries)
        out.append(entry);
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    // Run by the build, on machines with no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    spektrion::ToolkitArguments toolkit(argc, argv);
    QGuiApplication app(toolkit.argc(), toolkit.argv());
    const std::vector<QByteArray> arguments = spektrion::tool_arguments(argc, argv);
    if (arguments.size() != 1) {
        std::fputs("usage: spektrion-images OUTPUT_DIR\n", stderr);
        return 2;
    }
    const QDir out(QString::fromUtf8(arguments[0]));
    if (!QDir().mkpath(out.path()))
        return 1;
    using namespace spektrion;
    bool ok = write(
        out.filePath(QStringLiteral("chart.rgb32")), raw_pixels(chart::build(), QImage::Format_RGB32));
    ok = write(out.filePath(QStringLiteral("chart-glyphs.txt")), chart::fits_text(chart::fit_glyphs())) && ok;
    ok = write(out.filePath(QStringLiteral("icon-32.argb32")),
             raw_pixels(icon_image(kWindowIconSize), QImage::Format_ARGB32))
        && ok;
    for (const int size : kIconSizes)
        ok = menu_icon_image(size).save(out.filePath(QStringLiteral("menu-icon-%1.png").arg(size))) && ok;
    ok = write(out.filePath(QStringLiteral("menu-icon.svg")), menu_icon_svg()) && ok;
    // For Windows' Explorer: the window's own icon, and the menu icon at larger sizes.
    std::vector<QImage> ico_images = {icon_image(kWindowIconSize)};
    for (const int size : kIconSizes)
        if (size > kWindowIconSize)
            ico_images.push_back(menu_icon_image(size));
    ok = write(out.filePath(QStringLiteral("spektrion.ico")), ico(ico_images)) && ok;
    if (!ok) {
        std::fputs("spektrion-images: cannot write the pictures\n", stderr);
        return 1;
    }
    return 0;
}
