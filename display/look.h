// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

// What every picture of a state shares, in the window, the tools and print: the groups'
// letters and colours, the coupling order's texts and the faces texts are drawn in.
#include "model/spin_system.h"

#include <QFont>
#include <QRgb>
#include <QString>

namespace spektrion::look {

// By group index: 0 = A, 1 = M, 2 = X.
inline constexpr QRgb kGroupColours[3] = {0xFF0000u, 0x008000u, 0x0000FFu};
inline constexpr char16_t kGroupLetters[3] = {u'A', u'M', u'X'};

// The colour of row `r` of the line table, whose signals 1, 2, 3 are X, M, A (signal
// number = 3 − group index); row 0 holds no signal.
constexpr QRgb signal_colour(int r)
{
    return r >= 1 && r <= 3 ? kGroupColours[3 - r] : 0x000000u;
}

// The coupling order of `znak_J` (0: J(AM) is the larger) as the window's label reads.
inline QString order_text(int znak_J)
{
    return QString::fromStdString(order_description(znak_J));
}

// A face at a pixel size: `family`, or where that is missing another of `hint`'s kind.
// Screen text is unsmoothed (pure colour, like the bitmap faces the layout was made
// with) and asks for `hinting` outright, so that FreeType draws the same pixels
// wherever it runs; print is smoothed.
enum class Smoothing { Screen, Print };
inline QFont face(const char* family, QFont::StyleHint hint, int pixel_size, QFont::Weight weight,
    Smoothing smoothing = Smoothing::Screen, QFont::HintingPreference hinting = QFont::PreferFullHinting)
{
    QFont font(QString::fromLatin1(family));
    font.setStyleHint(hint,
        smoothing == Smoothing::Screen ? QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferMatch)
                                       : QFont::PreferDefault);
    if (smoothing == Smoothing::Screen)
        font.setHintingPreference(hinting);
    font.setPixelSize(pixel_size);
    font.setWeight(weight);
    return font;
}

}  // namespace spektrion::look
