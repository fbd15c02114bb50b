// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "display/carried_image.h"

#include <QBuffer>
#include <QResource>

#include <cstring>

namespace spektrion {

QByteArray raw_pixels(const QImage& image, QImage::Format format)
{
    const QImage converted = image.convertToFormat(format);
    QByteArray raw;
    const qsizetype row = qsizetype(converted.width()) * 4;
    raw.reserve(row * converted.height());
    for (int y = 0; y < converted.height(); ++y)
        raw.append(reinterpret_cast<const char*>(converted.constScanLine(y)), row);
    return raw;
}

QImage carried_image(const QString& path, QSize size, QImage::Format format)
{
    const QResource resource(path);
    const qsizetype row = qsizetype(size.width()) * 4;
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression
        || resource.size() != row * size.height())
        return {};
    // Copied row by row: the resource data need not be aligned as QImage wants it.
    QImage image(size, format);
    for (int y = 0; y < size.height(); ++y)
        std::memcpy(image.scanLine(y), resource.data() + row * y, row);
    return image;
}

QByteArray png(const QImage& image)
{
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    return image.save(&file, "PNG") ? file.data() : QByteArray();
}

}  // namespace spektrion
