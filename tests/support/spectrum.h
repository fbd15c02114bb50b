// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

// A spectrum drawn from scratch, the reference the window's chart is compared with.
#include "display/chart.h"
#include "display/plot.h"
#include "display/surface.h"
#include "model/spectrum.h"
#include "model/spin_system.h"
#include "tests/support/model.h"

#include <QImage>

namespace spektrion::testing_spectrum {

using testing_model::state;

inline SpinSystem state(const SpinState& st)
{
    SpinSystem s;
    s.set_state(st);
    return s;
}

inline const QImage& the_chart()
{
    static const QImage image = chart::build();
    return image;
}

// Bars from the heights, then ratios and colons, as one recalculation shows them.
inline void draw(ChartSurface& surface, const SpinSystem& s)
{
    plot::plot_spectrum(surface, spectrum_of(s.state()));
}

inline QImage drawn(const SpinSystem& s)
{
    Surface surface(the_chart());
    draw(surface, s);
    return surface.image();
}

}  // namespace spektrion::testing_spectrum
