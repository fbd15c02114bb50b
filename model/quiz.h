// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

// The quiz: rounds of tasks drawn from the simulator's 54 states, and the marking of an
// answer: for every wrong part, what it gets wrong, as data the wording explains.
#include "model/spectrum.h"
#include "model/state.h"

#include <array>
#include <optional>
#include <random>
#include <vector>

namespace spektrion::quiz {

enum class Kind {
    NameMultiplets,  // the formula and order shown: name the three multiplets
    WhichSystem,  // the spectrum shown: set the sizes and the order
};
struct Task {
    Kind kind;
    SpinState system;
};
inline constexpr int kRoundLength = 10;
// Ten different states, the kinds alternating from NameMultiplets.
std::vector<Task> draw_round(std::mt19937& engine);

// Every name the simulator shows under a signal: the three single ones, then M's
// nine, so that the list says nothing about which signal a name belongs to.
inline constexpr int kNameCount = 12;
std::array<MultipletName, kNameCount> multiplet_names();
// The name of group `g`'s signal in state `s`.
MultipletName right_name(const SpinState& s, Group g);

// The usual mistakes an explanation recognises and names.
enum class Mistake {
    NotSet,  // nothing chosen
    WordOrder,  // M's two words swapped: the first names the larger constant's split
    LineCount,  // n lines for n protons, where they give n + 1
    AXCoupled,  // A and X taken to split each other, which they do not
    LargerFromWrongGroup,  // the order is J(AM) < J(MX), yet A's size taken for the larger
    OneGroupOnly,  // M named as split by one group, though both A and X split it
};

// What an answer is marked in: a group's name or size, or the coupling order.
enum class Part { A, M, X, Order };
constexpr Part part_of(Group g)
{
    return Part(index_of(g));
}
// The group of a part other than the order.
constexpr Group group_of(Part p)
{
    return Group(int(p));
}
static_assert(part_of(Group::A) == Part::A && part_of(Group::M) == Part::M && part_of(Group::X) == Part::X);

// One wrong part of an answer and what is wrong with it.
struct Explanation {
    Kind kind;
    Part part;
    std::vector<Mistake> mistakes;  // each once, in the order found
    // NameMultiplets: the groups whose protons the name counts as its lines.
    std::vector<Group> miscounted;
    // What was chosen, where anything was: a name, a group's size, or the order.
    std::optional<MultipletName> name;
    std::optional<int> size;
    std::optional<Order> order;
};

// A NameMultiplets answer: the names chosen, by group index; empty where none is.
// One explanation per wrong name, in group order; none when all three are right.
using ChosenNames = std::array<std::optional<MultipletName>, 3>;
std::vector<Explanation> mark_names(const SpinState& truth, const ChosenNames& names);
// A WhichSystem answer: one explanation per wrong part (A, M, X, the order).
std::vector<Explanation> mark_system(const SpinState& truth, const PartialState& answer);

}  // namespace spektrion::quiz
