// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

// Helpers for reading images in tests: colours without alpha, counts, regions.
#include <QImage>
#include <QRect>
#include <QRgb>

#include <ostream>

namespace spektrion::testing_pixels {

inline QRgb rgb(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFFu;
}

inline int count(const QImage& image, const QRect& region, QRgb colour)
{
    int n = 0;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            n += rgb(image, x, y) == colour;
    return n;
}

inline bool all_of(const QImage& image, const QRect& region, QRgb colour)
{
    return count(image, region, colour) == region.width() * region.height();
}

// The rectangle covering every pixel of `colour` inside `region`; empty if none.
inline QRect ink(const QImage& image, const QRect& region, QRgb colour)
{
    QRect bounds;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (rgb(image, x, y) == colour)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// The same size and the same colour at every pixel, whatever the formats and alpha.
inline bool same_pixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (rgb(a, x, y) != rgb(b, x, y))
                return false;
    return true;
}

}  // namespace spektrion::testing_pixels
