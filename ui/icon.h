// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QIcon>
#include <QImage>

namespace spektrion {

// The program's picture: "SPEK" over "TRION" in yellow serif capitals on a
// transparent ground, unsmoothed, at `size` × `size` pixels.
QImage icon_image(int size);

// The menu and software-centre icon at `size` × `size`: the same capitals on a dark
// rounded tile, legible on light and dark menus; smoothed from 48 px up.
QImage menu_icon_image(int size);
// The menu icon as a scalable SVG drawing, from the same outlines.
QByteArray menu_icon_svg();

inline constexpr int kWindowIconSize = 32;
inline constexpr int kIconSizes[] = {32, 48, 64, 128, 256};
// Where the executable carries the 32 × 32 icon rendered at build time.
inline constexpr char16_t kCarriedIconPath[] = u":/spektrion/icon-32.argb32";

// The window icon, 32 × 32: the one rendered at build time when the program carries
// it, else rendered now.
QIcon window_icon();

}  // namespace spektrion
