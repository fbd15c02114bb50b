// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

// What the simulator's window and the quiz share: the window's grey, the faces of its
// texts and the places of the formula, the coupling order and the names under the chart.
#include "display/look.h"

#include <QColor>
#include <QFont>
#include <QLayout>
#include <QPalette>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

#include <cmath>

#include <QRgb>

namespace spektrion::window_look {

inline constexpr QRgb kWindowBack = 0xE0E0E0u;
using look::kBlack;
using look::text;
inline constexpr int kWindowFontPixelSize = 11;

struct LabelLook {
    QRect box;
    int pixel_size;  // MS Sans Serif sizes at 96 dpi: 12 pt = 16 px and so on
    bool bold;
    Qt::Alignment alignment;
};

// Under the chart, from left to right: X, M, A.
inline constexpr LabelLook kLabSyg[3] = {
    {QRect(96, 464, 105, 21), 16, true, Qt::AlignHCenter},
    {QRect(248, 464, 201, 21), 16, true, Qt::AlignHCenter},
    {QRect(496, 464, 105, 21), 16, true, Qt::AlignHCenter},
};
inline constexpr LabelLook kLabel1 = {QRect(356, 8, 181, 33), 24, true, Qt::AlignHCenter};
// The formula: six boxes in a row, each sharing its first column with the last
// column of the box before it; the subscripts sit 12 px lower than the letters.
inline constexpr LabelLook kLabN[3] = {
    {QRect(212, 20, 17, 25), 18, true, Qt::AlignHCenter},
    {QRect(252, 20, 17, 25), 18, true, Qt::AlignHCenter},
    {QRect(288, 20, 17, 25), 18, true, Qt::AlignHCenter},
};
inline constexpr LabelLook kLabH[3] = {
    {QRect(196, 8, 17, 29), 24, true, Qt::AlignHCenter},
    {QRect(228, 8, 25, 29), 24, true, Qt::AlignHCenter},
    {QRect(268, 8, 21, 29), 24, true, Qt::AlignHCenter},
};

inline QFont label_font(int pixel_size, bool bold)
{
    // Liberation Sans stands in for MS Sans Serif; unsmoothed, like the bitmap face.
    // Light, vertical-only hinting: what fontconfig gives these faces on a Linux
    // desktop (the chart's own text is fully hinted).
    return look::face(look::kSans, QFont::SansSerif, pixel_size, bold ? QFont::Bold : QFont::Normal,
        look::Smoothing::Screen, QFont::PreferVerticalHinting);
}

// A formula subscript: a group's size, none for one proton.
inline QString subscript(int size)
{
    return size > 1 ? QString::number(size) : QString();
}

// `look` `times` as large, its box measured from `corner`: the formula of a narrow
// window, large enough for a finger.
inline LabelLook scaled(const LabelLook& look, qreal times, QPoint corner)
{
    const auto by = [times](int v) { return int(std::lround(v * times)); };
    const QRect box = look.box.translated(-corner);
    return {QRect(by(box.x()), by(box.y()), by(box.width()), by(box.height())), by(look.pixel_size),
        look.bold, look.alignment};
}

// A narrow window: the page's width on a phone, where the window's own would not fit.
// Its controls stand in one column and it is as tall as they need (fit_height).
inline constexpr int kNarrowestWindow = 280;
inline constexpr int kFingerSize = 40;  // the least a control is high and wide, for a touch
inline constexpr qreal kNarrowFormula = 1.5;  // the formula's size there, times its own

// Makes a narrow window as tall as its column of controls needs at its width.
inline void fit_height(QWidget& window)
{
    window.setFixedHeight(window.layout()->totalHeightForWidth(window.width()));
}

inline QFont label_font(const LabelLook& look)
{
    return label_font(look.pixel_size, look.bold);
}

// What both windows wear: their title, a fixed size, the window's grey behind every
// control and the font its controls inherit unless they set their own. Set before
// the controls are made, the font costs them nothing: a font changed afterwards makes
// every list box build its list at once. The simulator's and the quiz's text is
// unsmoothed, as the bitmap face it stands in for; a window of small digits to read
// (the field window's) asks for smoothed text.
inline void dress_window(QWidget& window, const QString& title, QSize size, int font_pixel_size,
    look::Smoothing smoothing = look::Smoothing::Screen)
{
    window.setWindowTitle(title);
    window.setFixedSize(size);
    window.setAutoFillBackground(true);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(kWindowBack));
    window.setPalette(palette);
    QFont font = label_font(font_pixel_size, false);
    if (smoothing != look::Smoothing::Screen) {
        // Smoothed, with the light hinting of the unsmoothed face: a painter on the
        // window takes what its own font leaves unset from the window's, and the field
        // window's picture is drawn as in a file only with that hinting.
        font = look::face(look::kSans, QFont::SansSerif, font_pixel_size, QFont::Normal, smoothing);
        font.setHintingPreference(QFont::PreferVerticalHinting);
    }
    window.setFont(font);
}

}  // namespace spektrion::window_look
