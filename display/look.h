// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

// What every picture of a state shares, in the window, the tools and print: the groups'
// letters and colours, the coupling order's texts and the faces texts are drawn in.
#include "model/state.h"
#include "words/words.h"

#include <QFont>
#include <QRgb>
#include <QString>

namespace spektrion::look {

// By index_of: A, M, X.
inline constexpr QRgb kGroupColours[3] = {0xFF0000u, 0x008000u, 0x0000FFu};
inline constexpr QRgb kBlack = 0x000000u;

constexpr QRgb group_colour(Group g)
{
    return kGroupColours[index_of(g)];
}

inline QChar group_letter(Group g)
{
    return QChar::fromLatin1(letter(g));
}

// A text of the wording, for the toolkit.
inline QString text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

// The coupling order as the window's label reads.
inline QString order_text(Order o, words::Voice voice = words::Voice::Text)
{
    return text(words::order_text(o, voice));
}

// The faces every text is laid out for: Liberation Sans stands in for Arial and MS Sans
// Serif, Liberation Serif for Times New Roman.
inline constexpr char kSans[] = "Liberation Sans";
inline constexpr char kSerif[] = "Liberation Serif";

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
