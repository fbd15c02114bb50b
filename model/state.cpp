// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "model/state.h"

#include <charconv>

namespace spektrion {
namespace {

// The blanks a size may stand between: ASCII's, and Unicode's spaces in UTF-8 (a
// no-break space pasted from a document), as the toolkit's trimming takes them.
constexpr std::string_view kBlanks[] = {" ", "\t", "\n", "\v", "\f", "\r", "\u0085", "\u00A0", "\u1680",
    "\u2000", "\u2001", "\u2002", "\u2003", "\u2004", "\u2005", "\u2006", "\u2007", "\u2008", "\u2009",
    "\u200A", "\u2028", "\u2029", "\u202F", "\u205F", "\u3000"};

std::string_view trimmed(std::string_view text)
{
    for (bool cut = true; cut;) {
        cut = false;
        for (const std::string_view blank : kBlanks) {
            if (text.starts_with(blank)) {
                text.remove_prefix(blank.size());
                cut = true;
            }
            if (text.ends_with(blank)) {
                text.remove_suffix(blank.size());
                cut = true;
            }
        }
    }
    return text;
}

std::optional<int> parse_size(std::string_view text)
{
    text = trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < kSmallestGroup
        || value > kLargestGroup)
        return std::nullopt;
    return value;
}

char order_sign(Order o)
{
    return o == Order::AMLarger ? '>' : '<';
}

}  // namespace

std::array<SpinState, kStates> all_states()
{
    std::array<SpinState, kStates> states;
    std::size_t i = 0;
    for (const Order order : {Order::AMLarger, Order::MXLarger})
        for (int nA = kSmallestGroup; nA <= kLargestGroup; ++nA)
            for (int nM = kSmallestGroup; nM <= kLargestGroup; ++nM)
                for (int nX = kSmallestGroup; nX <= kLargestGroup; ++nX)
                    states[i++] = {nA, nM, nX, order};
    return states;
}

std::optional<std::array<int, 3>> parse_sizes(std::string_view text)
{
    std::array<int, 3> sizes{};
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const std::size_t comma = text.find(',');
        if ((comma == std::string_view::npos) != (i == sizes.size() - 1))
            return std::nullopt;
        const std::optional<int> size = parse_size(text.substr(0, comma));
        if (!size)
            return std::nullopt;
        sizes[i] = *size;
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    }
    return sizes;
}

std::optional<Order> parse_order(std::string_view text)
{
    if (text == ">")
        return Order::AMLarger;
    if (text == "<")
        return Order::MXLarger;
    return std::nullopt;
}

std::optional<SpinState> parse_state(std::string_view text)
{
    const std::size_t comma = text.rfind(',');
    if (comma == std::string_view::npos)
        return std::nullopt;
    const std::optional<std::array<int, 3>> sizes = parse_sizes(text.substr(0, comma));
    const std::optional<Order> order = parse_order(text.substr(comma + 1));
    if (!sizes || !order)
        return std::nullopt;
    return SpinState{(*sizes)[0], (*sizes)[1], (*sizes)[2], *order};
}

std::string format_state(const SpinState& s)
{
    return std::to_string(s.nA) + ',' + std::to_string(s.nM) + ',' + std::to_string(s.nX) + ','
        + order_sign(s.order);
}

}  // namespace spektrion
