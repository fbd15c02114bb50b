// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

namespace spektrion {

// Registers the font faces the executable carries (on systems that lack the
// Liberation faces), so that every text is drawn in the faces it was laid out for.
// Does nothing where none are carried. Needs a QGuiApplication.
void register_embedded_fonts();

// For the command-line tools, before their application object exists: they draw
// offscreen, needing no display and taking none that is there, and they say nothing
// when they succeed. The toolkit's remarks (a missing XDG_RUNTIME_DIR on a server,
// say) are dropped; a fatal one still ends the run with one sentence and status 1.
void prepare_command_line_tool();

}  // namespace spektrion
