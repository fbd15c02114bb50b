// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "model/selection.h"

#include <random>
#include <utility>

namespace spektrion {

std::vector<SpinState> random_states(int count, std::uint32_t seed)
{
    // All states shuffled by a Mersenne Twister, whose numbers the C++ standard fixes;
    // the shuffle is written out because std::shuffle's use of them is not fixed.
    const std::array<SpinState, kStates> states = all_states();
    std::vector<SpinState> all(states.begin(), states.end());
    std::mt19937 random(seed);
    for (int i = kStates - 1; i > 0; --i)
        std::swap(all[std::size_t(i)], all[random() % std::uint32_t(i + 1)]);
    all.resize(std::size_t(count));
    return all;
}

}  // namespace spektrion
