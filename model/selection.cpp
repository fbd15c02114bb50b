// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "model/selection.h"

#include <charconv>
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

std::optional<std::uint32_t> parse_seed(std::string_view text)
{
    std::uint32_t seed = 0;
    const char* const end = text.data() + text.size();
    // from_chars takes no sign or blank, but stops quietly at the first character it
    // does not read.
    const auto [stop, fault] = std::from_chars(text.data(), end, seed);
    return fault == std::errc() && stop == end ? std::optional(seed) : std::nullopt;
}

}  // namespace spektrion
