// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "model/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace spektrion {

std::string fixed_point(double v, int decimals)
{
    char buffer[64];
    const auto [end, error]
        = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals);
    if (error != std::errc())
        return {};
    std::string text(buffer, end);
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}

std::string truncated_with_comma(double v, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    std::string text = fixed_point(std::trunc(v * scale) / scale, decimals);
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

}  // namespace spektrion
