// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "model/quiz.h"

#include <algorithm>
#include <utility>

namespace spektrion::quiz {
namespace {

// How a word naming `said` protons' split stands to the true `protons`: right, one
// short (the lines counted as protons), or otherwise wrong.
enum class Fit { Right, OneShort, Wrong };
Fit fit(int said, int protons)
{
    return said == protons ? Fit::Right : said == protons - 1 ? Fit::OneShort : Fit::Wrong;
}

// Collects the mistakes of one part: each kind once, and the groups whose lines were
// counted as protons.
struct Findings {
    std::vector<Mistake> mistakes;
    std::vector<Group> miscounted;

    void add(Mistake m)
    {
        if (std::find(mistakes.begin(), mistakes.end(), m) == mistakes.end())
            mistakes.push_back(m);
    }
    void lines_short(Group g)
    {
        add(Mistake::LineCount);
        miscounted.push_back(g);
    }
    std::size_t slips() const
    {
        return std::count_if(mistakes.begin(), mistakes.end(), [](Mistake m) {
            return m != Mistake::LineCount;
        }) + miscounted.size();
    }
};

// X or A: split by M alone.
Findings outer_mistakes(const SpinState& s, Group g, const MultipletName& said)
{
    Findings f;
    const Group other = other_outer(g);
    if (said.second == 0) {
        if (fit(said.first, s.nM) == Fit::OneShort)
            f.lines_short(Group::M);
        else if (said.first == s.nM + s.size(other))
            f.add(Mistake::AXCoupled);  // both groups' protons counted as one splitting group
        return f;
    }
    // Two words: split by M and by the other outer group, in either order.
    for (const auto& [first_group, second_group] : {std::pair{Group::M, other}, std::pair{other, Group::M}}) {
        const Fit first = fit(said.first, s.size(first_group));
        const Fit second = fit(said.second, s.size(second_group));
        if (first == Fit::Wrong || second == Fit::Wrong)
            continue;
        f.add(Mistake::AXCoupled);
        if (first == Fit::OneShort)
            f.lines_short(first_group);
        if (second == Fit::OneShort)
            f.lines_short(second_group);
        break;
    }
    return f;
}

Findings middle_mistakes(const SpinState& s, const MultipletName& said)
{
    Findings f;
    if (said.second == 0) {
        f.add(Mistake::OneGroupOnly);
        return f;
    }
    const Group large = larger_group(s.order);
    const Group small = smaller_group(s.order);
    // The words read in the right order, then swapped; the reading with fewer
    // mistakes explains the answer.
    struct Reading {
        Group first_group, second_group;
        bool swapped;
    };
    std::optional<Findings> best;
    for (const Reading& r : {Reading{large, small, false}, Reading{small, large, true}}) {
        const Fit first = fit(said.first, s.size(r.first_group));
        const Fit second = fit(said.second, s.size(r.second_group));
        if (first == Fit::Wrong || second == Fit::Wrong)
            continue;
        Findings reading;
        if (r.swapped)
            reading.add(s.order == Order::AMLarger ? Mistake::WordOrder : Mistake::LargerFromWrongGroup);
        if (first == Fit::OneShort)
            reading.lines_short(r.first_group);
        if (second == Fit::OneShort)
            reading.lines_short(r.second_group);
        if (!best || reading.slips() < best->slips())
            best = reading;
    }
    return best.value_or(Findings{});
}

Findings size_mistakes(const SpinState& truth, const PartialState& answer, Group g)
{
    Findings f;
    const int said = answer.size(g).value_or(0);
    const bool outer_swapped = g != Group::M && truth.nA != truth.nX && answer.size(Group::A) == truth.nX
        && answer.size(Group::X) == truth.nA && answer.order == truth.order;
    if (outer_swapped)
        f.add(truth.order == Order::AMLarger ? Mistake::WordOrder : Mistake::LargerFromWrongGroup);
    else if (said == truth.size(g) + 1)
        f.add(Mistake::LineCount);
    return f;
}

}  // namespace

std::vector<Task> draw_round(std::mt19937& engine)
{
    std::array<SpinState, kStates> pool = all_states();
    std::vector<Task> round;
    // The first picks of a Fisher–Yates shuffle: every state at most once. The picks
    // are the engine's numbers taken as they are (the standard fixes those, not what
    // a library's distributions make of them), so that a seed draws the same round on
    // every system and in the browser.
    for (int i = 0; i < kRoundLength; ++i) {
        const std::uint32_t pick = std::uint32_t(i) + engine() % std::uint32_t(kStates - i);
        std::swap(pool[std::size_t(i)], pool[pick]);
        round.push_back({i % 2 == 0 ? Kind::NameMultiplets : Kind::WhichSystem, pool[std::size_t(i)]});
    }
    return round;
}

std::array<MultipletName, kNameCount> multiplet_names()
{
    std::array<MultipletName, kNameCount> names;
    std::size_t i = 0;
    for (int n = kSmallestGroup; n <= kLargestGroup; ++n)
        names[i++] = {n};
    for (int larger = kSmallestGroup; larger <= kLargestGroup; ++larger)
        for (int smaller = kSmallestGroup; smaller <= kLargestGroup; ++smaller)
            names[i++] = {larger, smaller};
    return names;
}

MultipletName right_name(const SpinState& s, Group g)
{
    if (g != Group::M)
        return {s.nM};
    return {s.size(larger_group(s.order)), s.size(smaller_group(s.order))};
}

std::vector<Explanation> mark_names(const SpinState& truth, const ChosenNames& names)
{
    std::vector<Explanation> wrong;
    for (const Group g : kGroups) {
        const std::optional<MultipletName>& name = names[std::size_t(index_of(g))];
        if (name == right_name(truth, g))
            continue;
        Explanation e{Kind::NameMultiplets, part_of(g), {}, {}, name, {}, {}};
        if (!name) {
            e.mistakes = {Mistake::NotSet};
        } else {
            Findings f = g == Group::M ? middle_mistakes(truth, *name) : outer_mistakes(truth, g, *name);
            e.mistakes = std::move(f.mistakes);
            e.miscounted = std::move(f.miscounted);
        }
        wrong.push_back(std::move(e));
    }
    return wrong;
}

std::vector<Explanation> mark_system(const SpinState& truth, const PartialState& answer)
{
    std::vector<Explanation> wrong;
    for (const Group g : kGroups) {
        const std::optional<int> said = answer.size(g);
        if (said == truth.size(g))
            continue;
        Explanation e{Kind::WhichSystem, part_of(g), {}, {}, {}, said, {}};
        e.mistakes = said ? size_mistakes(truth, answer, g).mistakes : std::vector{Mistake::NotSet};
        wrong.push_back(std::move(e));
    }
    if (answer.order != truth.order)
        wrong.push_back({Kind::WhichSystem, Part::Order,
            answer.order ? std::vector<Mistake>{} : std::vector{Mistake::NotSet}, {}, {}, {}, answer.order});
    return wrong;
}

}  // namespace spektrion::quiz
