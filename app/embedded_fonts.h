// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

namespace spektrion {

// Registers the font faces the executable carries (on systems that lack the
// Liberation faces), so that every text is drawn in the faces it was laid out for.
// Does nothing where none are carried. Needs a QGuiApplication.
void register_embedded_fonts();

}  // namespace spektrion
