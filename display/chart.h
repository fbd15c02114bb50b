// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

#include "display/look.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRgb>

#include <vector>

class QPainter;

namespace spektrion {

// The fixed chart under the spectrum, in its own pixel coordinates: origin at the
// top-left pixel, y downward. Everything the plotting places is measured from these.
namespace chart {

inline constexpr int kWidth = 777;
inline constexpr int kHeight = 408;

inline constexpr int kGridStep = 25;
inline constexpr int kGridLeft = 14;
inline constexpr int kGridRight = 764;
inline constexpr int kGridTop = 34;
inline constexpr int kGridColumns = 30;
inline constexpr int kGridRows = 14;
// Vertical grid lines stop one row above the baseline, which covers row 384.
inline constexpr int kGridBottom = 382;

// The chemical-shift axis: three rows centred on y = 384.
inline constexpr int kBaseline = 384;
inline constexpr int kBaselineTop = 383;
inline constexpr int kBaselineBottom = 385;

// The TMS reference line at shift 0 stands on the baseline, three grid cells tall.
inline constexpr int kTmsCentre = 664;
inline constexpr int kTmsTop = 309;

inline constexpr QRgb kWhite = 0xFFFFFFu;
inline constexpr QRgb kGrey = 0xD8D8D8u;
using look::kBlack;
inline constexpr QRgb kBlue = look::group_colour(Group::X);
inline constexpr QRgb kGreen = look::group_colour(Group::M);
inline constexpr QRgb kRed = look::group_colour(Group::A);

// Builds the chart: white ground, grey grid, black baseline and TMS line, the
// labels "ТМС", "0", "δ м.ч." and the group letters X, M, A in their colours.
// Only the six colours above occur; text is drawn without smoothing.
// Needs a QGuiApplication for the fonts.
QImage build();
// The same chart at a device pixel ratio other than 1, drawn at that resolution:
// each rectangle placed by device_rect, each label in its fitted face at `ratio`
// times its size, unsmoothed, so that still only the six colours occur.
// round(777 × ratio) × round(408 × ratio) pixels.
QImage build(qreal ratio);

// The same chart drawn by `painter` on any device, with the chart's pixels as the
// painter's units: rectangles as rectangles and the labels as text, in the places and
// the fitted faces of build(). For print, where pixels would blur.
void paint(QPainter& painter);

// The faces of the black serif labels and of the group letters, as requested.
QFont serif_font();
QFont letter_font();
// `font` at `ratio` times its pixel size, rounded: the chart's text in device pixels.
QFont at_ratio(QFont font, qreal ratio);
// `glyph` rendered alone in `font` as the chart places it in a box of `box`: taken
// smaller or narrowed until its ink fits. Cropped to its ink; a pixel of alpha 128
// or more is ink. Null when the face has no ink for it.
QImage fitted_glyph(const QFont& font, const QString& glyph, QSize box);

// Where the executable carries the chart rendered at build time.
inline constexpr char16_t kCarriedPath[] = u":/spektrion/chart.rgb32";

// How each label glyph was fitted into its box (serif glyphs, then the group letters):
// the face's pixel size and stretch and where its text origin stands. Drawing the
// chart anew at another ratio or for print takes these, not the glyph fitting again.
struct Fit {
    int pixel_size;  // 0: the face has no ink for the glyph
    int stretch;
    QPoint origin;
};
std::vector<Fit> fit_glyphs();
// The fits as text, one glyph a line, as the executable carries them.
QByteArray fits_text(const std::vector<Fit>& fits);
inline constexpr char16_t kCarriedFitsPath[] = u":/spektrion/chart-glyphs.txt";
// The fits carried when the executable carries them, else fit_glyphs().
std::vector<Fit> glyph_fits();

// The chart rendered at build time when the program carries it, else build().
QImage image();

}  // namespace chart
}  // namespace spektrion
