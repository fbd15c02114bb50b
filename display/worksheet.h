// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

#include "model/state.h"

#include <QString>

#include <vector>

class QIODevice;

namespace spektrion {

// A printable A4 worksheet (PDF) of `tasks` to work out by hand, with an answer key.
// Tasks first: the formula, an empty chart to draw the spectrum on and ruled lines for
// the three multiplet names; then, from a new page, each task's spectrum, its splitting
// trees and the spectrum in words. Everything is drawn as vector shapes and text, from
// the same chart and plotting the window uses. False when the PDF could not be made.
bool write_worksheet(const std::vector<SpinState>& tasks, const QString& creator, QIODevice& file);

}  // namespace spektrion
