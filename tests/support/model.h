// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

// The model as the tests set it up and read it, free of Qt for the model's own tests:
// a system from the sizes and the coupling flag the window keeps, and a row of the line
// table as its lines alone, so that a failure names the slots that differ.
#include "model/spin_system.h"

#include <map>

namespace spektrion::testing_model {

inline SpinSystem state(int nA, int nM, int nX, int znak_J)
{
    SpinSystem s;
    s.nA = std::int16_t(nA);
    s.nM = std::int16_t(nM);
    s.nX = std::int16_t(nX);
    s.znak_J = std::int16_t(znak_J);
    return s;
}

using Lines = std::map<int, float>;  // slot → value, non-zero cells only

inline Lines lines_of(const LineRow& row)
{
    Lines lines;
    for (int k = 0; k < kSlots; ++k)
        if (row[k] != 0.0f)
            lines[k] = row[k];
    return lines;
}

}  // namespace spektrion::testing_model
