// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

#include "model/state.h"

#include <cstdint>
#include <vector>

namespace spektrion {

// `count` (1 to 54) different states chosen by `seed`: the same seed gives the same
// states, in the same order, with any compiler.
std::vector<SpinState> random_states(int count, std::uint32_t seed);

}  // namespace spektrion
