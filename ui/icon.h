#pragma once

#include <QIcon>
#include <QImage>

namespace spektrion {

// The program's picture: "SPEK" over "TRION" in yellow serif capitals on a
// transparent ground, unsmoothed, at `size` × `size` pixels.
QImage icon_image(int size);

inline constexpr int kWindowIconSize = 32;
inline constexpr int kIconSizes[] = {32, 48, 64, 128, 256};
// Where the executable carries the 32 × 32 icon rendered at build time.
inline constexpr char16_t kCarriedIconPath[] = u":/spektrion/icon-32.argb32";

// The window icon, 32 × 32: the one rendered at build time when the program carries
// it, else rendered now.
QIcon window_icon();

}  // namespace spektrion
