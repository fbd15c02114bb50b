// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

// The quiz: rounds of tasks drawn from the simulator's 54 states, the marking of an
// answer, and for every wrong part an explanation built from the state itself. UTF-8.
#include "model/spin_system.h"

#include <array>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace spektrion::quiz {

// Group indices as look.h has them: 0 = A, 1 = M, 2 = X.
inline constexpr int kGroupA = 0;
inline constexpr int kGroupM = 1;
inline constexpr int kGroupX = 2;

// A state as a task asks about it: three group sizes 1..3 and the coupling order
// (znak_J 0: J(AM) is the larger). In an answer a part may still be unset.
struct System {
    int nA = 0;
    int nM = 0;
    int nX = 0;
    int znak_J = 0;

    int size(int group) const { return group == kGroupA ? nA : group == kGroupM ? nM : nX; }
    friend bool operator==(const System&, const System&) = default;
};
inline constexpr int kUnsetSize = 0;
inline constexpr int kUnsetOrder = -1;

inline constexpr int kStates = 54;
std::array<System, kStates> all_systems();
// The simulator's model in state `s`, its line table calculated (ratios at rest).
SpinSystem at_rest(const System& s);

enum class Kind {
    NameMultiplets,  // the formula and order shown: name the three multiplets
    WhichSystem,  // the spectrum shown: set the sizes and the order
};
struct Task {
    Kind kind;
    System system;
};
inline constexpr int kRoundLength = 10;
// Ten different states, the kinds alternating from NameMultiplets.
std::vector<Task> draw_round(std::mt19937& engine);

// Every name the simulator shows under a signal: the three single ones, then M's
// nine, so that the list says nothing about which signal a name belongs to.
inline constexpr int kNameCount = 12;
std::array<std::string, kNameCount> multiplet_names();
// The name of group `group`'s signal in state `s`.
std::string right_name(const System& s, int group);

// The usual mistakes an explanation recognises and names.
enum class Mistake {
    NotSet,  // nothing chosen
    WordOrder,  // M's two words swapped: the first names the larger constant's split
    LineCount,  // n lines for n protons, where they give n + 1
    AXCoupled,  // A and X taken to split each other, which they do not
    LargerFromWrongGroup,  // the order is J(AM) < J(MX), yet A's size taken for the larger
    OneGroupOnly,  // M named as split by one group, though both A and X split it
};

// What an answer gets wrong in one part, and why. `part` is a group index, or kOrder.
inline constexpr int kOrder = 3;
struct Explanation {
    int part;
    std::vector<Mistake> mistakes;
    std::string text;
};

// A NameMultiplets answer: the names chosen, by group; an empty name is none chosen.
// One explanation per wrong name, in group order; none when all three are right.
std::vector<Explanation> mark_names(const System& truth, const std::array<std::string, 3>& names);
// A WhichSystem answer: one explanation per wrong part (A, M, X, the order).
std::vector<Explanation> mark_system(const System& truth, const System& answer);

// Texts for a screen reader, which reads what it is given literally: no colons or
// brackets, lists with commas, every sentence ending with a full stop.
// "A3 M1 X2".
std::string spoken_formula(const System& s);
// The formula and the coupling order: "Система A3 M1 X2, J AM більша за J MX."
std::string spoken_system(const System& s);
// A group's size in words: "два протони"; unset, "кількість протонів не задано".
std::string protons(int n);
// The three signals in chart order, a sentence each, the ratios as a list:
// "Сигнал X, триплет, 1, 2, 1."
std::string spoken_spectrum(const SpinSystem& at_rest);
// What the chart shows before a WhichSystem task is checked, without the names it
// hides: the ratios of each signal, and which outer signal's lines stand wider apart
// (the larger constant's): "Сигнал X, 1, 2, 1. … Лінії сигналу A стоять ширше, ніж
// лінії сигналу X."
std::string spoken_ratios(const SpinSystem& at_rest);
// `shown`, a text of the window, for the ear: "J(AM) > J(MX)" read as "J AM більша за
// J MX", the quotation marks dropped, colons and brackets gone, a full stop at the end.
std::string for_the_ear(std::string_view shown);

}  // namespace spektrion::quiz
