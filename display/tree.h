// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

#include "model/state.h"

#include <QImage>

class QPainter;

namespace spektrion {

// First-order splitting trees drawn over the chart: for each signal the unsplit line,
// then a level for each of its splits, the last level's lines (the leaves) standing
// exactly above the chart's bars.
namespace tree {

// Height of the band above the chart that holds the trees.
inline constexpr int kBandHeight = 170;

// Draws the three trees of `state` into a band of kBandHeight whose top-left
// corner is the painter's origin; x runs in chart pixels, so the band goes right
// above the chart. Works on any paint device.
void draw(QPainter& painter, const SpinState& state);

// The band with the trees over `chart` (the 777 × 408 chart with the spectrum drawn,
// or the same chart drawn at device pixel ratio `ratio`, the band then drawn at it too).
QImage picture(const QImage& chart, const SpinState& state, qreal ratio = 1.0);

}  // namespace tree
}  // namespace spektrion
