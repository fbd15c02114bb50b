// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

// A spectrum drawn from scratch, the reference the window's chart is compared with.
#include "display/chart.h"
#include "display/plot.h"
#include "display/surface.h"
#include "model/spectrum.h"
#include "model/spin_system.h"

#include <QImage>

namespace spektrion::testing_spectrum {

inline SpinSystem state(int nA, int nM, int nX, int znak_J)
{
    SpinSystem s;
    s.nA = std::int16_t(nA);
    s.nM = std::int16_t(nM);
    s.nX = std::int16_t(nX);
    s.znak_J = std::int16_t(znak_J);
    return s;
}

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
