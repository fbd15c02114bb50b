// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "model/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace spektrion {

namespace {

// A point wherever a locale put its decimal sign: the browser build's library has no
// floating-point to_chars, and there the C library's locale is "C" in any case.
[[maybe_unused]] std::string with_point(const char* printed)
{
    std::string text(printed);
    std::replace(text.begin(), text.end(), ',', '.');
    return text;
}

}  // namespace

std::string fixed_point(double v, int decimals)
{
#if defined(__cpp_lib_to_chars)
    char buffer[64];
    const auto [end, error]
        = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals);
    if (error != std::errc())
        return {};
    std::string text(buffer, end);
#else
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
    std::string text = with_point(buffer);
#endif
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

std::string shortest_text(float v)
{
    if (v == std::floor(v) && std::fabs(v) < 1e9f)
        return fixed_point(v, 0);
#if defined(__cpp_lib_to_chars)
    char buffer[64];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr);
#else
    // Nine significant digits always read back as the same float.
    char buffer[64];
    for (int digits = 1; digits <= 9; ++digits) {
        std::snprintf(buffer, sizeof buffer, "%.*g", digits, double(v));
        if (std::strtof(buffer, nullptr) == v)
            break;
    }
    return with_point(buffer);
#endif
}

}  // namespace spektrion
