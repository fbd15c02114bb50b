#pragma once

#include <QIcon>
#include <QImage>

namespace spektrion {

// The program's picture: "SPEK" over "TRION" in yellow serif capitals on a
// transparent ground, unsmoothed, at `size` × `size` pixels.
QImage icon_image(int size);

// The window icon, 32 × 32 with larger renderings of the same design.
QIcon window_icon();

}  // namespace spektrion
