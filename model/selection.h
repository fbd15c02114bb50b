// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

#include "model/state.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace spektrion {

// `count` (1 to 54) different states chosen by `seed`: the same seed gives the same
// states, in the same order, with any compiler.
std::vector<SpinState> random_states(int count, std::uint32_t seed);

// A seed as a person writes it: a whole number from 0 to 4294967295 in decimal digits,
// nothing before or after them.
std::optional<std::uint32_t> parse_seed(std::string_view text);

}  // namespace spektrion
