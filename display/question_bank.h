// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

#include "model/state.h"

#include <QByteArray>

#include <vector>

namespace spektrion {

// A question bank in Moodle XML (UTF-8) for a course to import: for every state a
// question of each of the quiz's kinds, each kind in its own category under
// $course$/Spektrion. Each question is embedded answers (Cloze), a drop-down for each
// part of the answer, every drop-down weighing the same; every wrong choice carries as
// its feedback what the quiz explains for that mistake in that state, and the general
// feedback shows the answer as the quiz reveals it: the spectrum under its splitting
// trees, and in words. The pictures are PNGs carried in the file, each with a text
// that says what it shows.
QByteArray question_bank(const std::vector<SpinState>& states);

}  // namespace spektrion
