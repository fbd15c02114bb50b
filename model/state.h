// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

// A state of the A–M–X system as every program passes it around: the three group sizes
// and the coupling order; the three groups and the one place where their indices are
// converted; an answer still being entered; and the "3,1,2,<" form of a state.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace spektrion {

// The groups in formula order. Each is shown in three arrangements: the formula and
// the group colours go A, M, X (index_of); the chart and the controls under it go X, M,
// A from left to right (chart_position); the line table holds X, M, A in rows 1, 2, 3
// (signal_row).
enum class Group { A, M, X };
inline constexpr std::array<Group, 3> kGroups = {Group::A, Group::M, Group::X};
inline constexpr std::array<Group, 3> kChartOrder = {Group::X, Group::M, Group::A};

constexpr int index_of(Group g)
{
    return int(g);
}
constexpr int chart_position(Group g)
{
    return 2 - int(g);
}
constexpr Group group_at(int position)
{
    return Group(2 - position);
}
constexpr int signal_row(Group g)
{
    return 3 - int(g);
}
constexpr Group group_of_row(int row)
{
    return Group(3 - row);
}
constexpr char letter(Group g)
{
    return "AMX"[int(g)];
}
// A and X, the groups that couple to M alone.
constexpr Group other_outer(Group g)
{
    return g == Group::A ? Group::X : Group::A;
}

// Which coupling constant is the larger.
enum class Order {
    AMLarger,  // J(AM) > J(MX)
    MXLarger,  // J(AM) < J(MX)
};
constexpr Order swapped(Order o)
{
    return o == Order::AMLarger ? Order::MXLarger : Order::AMLarger;
}
// The outer group whose constant with M is the larger, and the other.
constexpr Group larger_group(Order o)
{
    return o == Order::AMLarger ? Group::A : Group::X;
}
constexpr Group smaller_group(Order o)
{
    return other_outer(larger_group(o));
}

inline constexpr int kSmallestGroup = 1;
inline constexpr int kLargestGroup = 3;

// A state the simulator can be in: each group 1 to 3 protons.
struct SpinState {
    int nA = 2;
    int nM = 2;
    int nX = 2;
    Order order = Order::AMLarger;

    constexpr int size(Group g) const { return g == Group::A ? nA : g == Group::M ? nM : nX; }
    friend bool operator==(const SpinState&, const SpinState&) = default;
};

// The simulator's rule for a click on a group: 1 → 2 → 3 → 1.
constexpr int next_size(int size)
{
    return size % kLargestGroup + 1;
}

// Every state: the order J(AM) > J(MX) first, then nA, nM, nX counting up from 1.
inline constexpr int kStates = 54;
std::array<SpinState, kStates> all_states();

// An answer being entered: a part not yet chosen is empty.
struct PartialState {
    std::array<std::optional<int>, 3> sizes{};  // by index_of
    std::optional<Order> order;

    // A state shown whole, every part set.
    static PartialState whole(const SpinState& s) { return {{s.nA, s.nM, s.nX}, s.order}; }

    std::optional<int> size(Group g) const { return sizes[std::size_t(index_of(g))]; }
    bool begun() const { return order || sizes[0] || sizes[1] || sizes[2]; }
};

// The textual form the tools take and print: sizes "3,1,2" (A, M, X), orders ">" and
// "<", and a whole state "3,1,2,<". Blanks around a size are allowed, Unicode's too.
std::optional<std::array<int, 3>> parse_sizes(std::string_view text);
std::optional<Order> parse_order(std::string_view text);
std::optional<SpinState> parse_state(std::string_view text);
std::string format_state(const SpinState& s);

}  // namespace spektrion
