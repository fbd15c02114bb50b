// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QImage>
#include <QString>

namespace spektrion {

// Pictures rendered at build time travel inside the executable as raw 32-bit pixels,
// row after row, uncompressed: taking them up at start-up is one copy, where decoding
// a PNG would first load the image plugins and inflate.

// The raw pixels of `image` (Format_RGB32 or Format_ARGB32), in the carried form.
QByteArray raw_pixels(const QImage& image, QImage::Format format);

// The picture carried as resource `path`, or a null image when the executable does
// not carry it or it is not `size` × `size`'s worth of pixels.
QImage carried_image(const QString& path, QSize size, QImage::Format format);

// `image` as the bytes of a PNG file; empty where it could not be encoded.
QByteArray png(const QImage& image);

}  // namespace spektrion
