// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "model/quiz.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace spektrion::quiz {
namespace {

// Indexed by a number 1..4 (of protons, or of lines); index 0 is never used.
constexpr std::string_view kProtons[] = {"", "один протон", "два протони", "три протони"};
constexpr std::string_view kByProtons[] = {"", "одним протоном", "двома протонами", "трьома протонами"};
constexpr std::string_view kIntoLines[] = {"", "одну лінію", "дві лінії", "три лінії", "чотири лінії"};
constexpr std::string_view kIntoGroups[]
    = {"", "одну групу ліній", "дві групи ліній", "три групи ліній", "чотири групи ліній"};
constexpr std::string_view kFeminine[] = {"", "одну", "дві", "три", "чотири"};
constexpr std::string_view kMasculine[] = {"", "один", "два", "три", "чотири"};

std::string letter(int group)
{
    return group == kGroupA ? "A" : group == kGroupM ? "M" : "X";
}

// The constant between M and the outer group `group`.
std::string constant(int group)
{
    return group == kGroupA ? "J(AM)" : "J(MX)";
}

std::string quoted(const std::string& name)
{
    return "«" + name + "»";
}

std::string_view splits(int protons)
{
    return protons == 1 ? "розщеплює" : "розщеплюють";
}

std::string_view gives(int protons)
{
    return protons == 1 ? "дає" : "дають";
}

// The outer group whose constant with M is the larger, and the other one.
int larger_group(const System& s)
{
    return s.znak_J == 0 ? kGroupA : kGroupX;
}

int smaller_group(const System& s)
{
    return s.znak_J == 0 ? kGroupX : kGroupA;
}

// A name read back as group sizes: {n, 0} for a single multiplet split by n protons,
// {larger, smaller} for M's two words; nothing for a text that is no name.
using Words = std::pair<int, int>;
std::optional<Words> words_of(const std::string& name)
{
    for (int first = 1; first <= 3; ++first) {
        if (name == outer_description(first))
            return Words{first, 0};
        for (int second = 1; second <= 3; ++second)
            if (name == middle_description(first, second, 0))
                return Words{first, second};
    }
    return std::nullopt;
}

// How a word naming `said` protons' split stands to the true `protons`: right, one
// short (the lines counted as protons), or otherwise wrong.
enum class Fit { Right, OneShort, Wrong };
Fit fit(int said, int protons)
{
    return said == protons ? Fit::Right : said == protons - 1 ? Fit::OneShort : Fit::Wrong;
}

// Collects the mistakes of one part and the sentences naming them; the lines
// miscounted for one group or two make one sentence.
struct Findings {
    std::vector<Mistake> mistakes;
    std::vector<std::string> sentences;
    std::vector<std::string> miscounted;

    void add(Mistake m, const std::string& sentence = {})
    {
        if (std::find(mistakes.begin(), mistakes.end(), m) == mistakes.end())
            mistakes.push_back(m);
        if (!sentence.empty())
            sentences.push_back(sentence);
    }

    // The split by `protons` of `group` named as if they gave as many lines.
    void lines_short(int group, int protons)
    {
        add(Mistake::LineCount);
        miscounted.push_back(std::string(kProtons[protons]) + " " + letter(group) + " "
            + std::string(gives(protons)) + " " + std::string(kIntoLines[protons + 1]) + ", а не "
            + std::string(kFeminine[protons]));
    }

    std::size_t slips() const { return sentences.size() + miscounted.size(); }

    std::string text() const
    {
        std::string all;
        for (const std::string& s : sentences)
            all += " " + s;
        if (!miscounted.empty()) {
            all += " Ліній завжди на одну більше, ніж протонів, тож " + miscounted.front();
            for (std::size_t i = 1; i < miscounted.size(); ++i)
                all += ", а " + miscounted[i];
            all += ".";
        }
        return all;
    }
};

std::string word_order(const System& s)
{
    return "Слова назви переставлено: перше слово називає розщеплення більшою константою, тут "
        + constant(larger_group(s)) + ", тобто протонами " + letter(larger_group(s)) + ".";
}

// `what` names what the protons of X give, the larger constant being J(MX).
std::string order_toggled(const std::string& what)
{
    return "Тут " + order_description(1) + ", більша константа J(MX), тож " + what + ", а не A.";
}

std::string outer_reason(const System& s, int group)
{
    return letter(group) + " взаємодіє лише з M, і " + std::string(kProtons[s.nM]) + " M "
        + std::string(splits(s.nM)) + " його сигнал на " + std::string(kIntoLines[s.nM + 1]) + ", це "
        + quoted(outer_description(s.nM)) + ".";
}

std::string middle_reason(const System& s)
{
    const int large = larger_group(s);
    const int small = smaller_group(s);
    return "Сигнал M спершу розщеплюється більшою константою " + constant(large) + ", "
        + std::string(kByProtons[s.size(large)]) + " " + letter(large) + ", на "
        + outer_description(s.size(large)) + ", а потім кожна його лінія розщеплюється меншою константою "
        + constant(small) + ", " + std::string(kByProtons[s.size(small)]) + " " + letter(small) + ", на "
        + outer_description(s.size(small)) + ", разом " + quoted(right_name(s, kGroupM)) + ".";
}

// X or A: split by M alone.
Findings outer_mistakes(const System& s, int group, const Words& said)
{
    Findings f;
    const int other = group == kGroupA ? kGroupX : kGroupA;
    const auto coupled = [&] {
        f.add(Mistake::AXCoupled,
            "A і X між собою не взаємодіють, тож протони " + letter(other) + " сигнал " + letter(group)
                + " не розщеплюють.");
    };
    if (said.second == 0) {
        if (fit(said.first, s.nM) == Fit::OneShort)
            f.lines_short(kGroupM, s.nM);
        else if (said.first == s.nM + s.size(other))
            coupled();  // both groups' protons counted as one splitting group
        return f;
    }
    // Two words: split by M and by the other outer group, in either order.
    for (const auto& [first_group, second_group] : {Words{kGroupM, other}, Words{other, kGroupM}}) {
        const Fit first = fit(said.first, s.size(first_group));
        const Fit second = fit(said.second, s.size(second_group));
        if (first == Fit::Wrong || second == Fit::Wrong)
            continue;
        coupled();
        if (first == Fit::OneShort)
            f.lines_short(first_group, s.size(first_group));
        if (second == Fit::OneShort)
            f.lines_short(second_group, s.size(second_group));
        break;
    }
    return f;
}

Findings middle_mistakes(const System& s, const Words& said)
{
    Findings f;
    if (said.second == 0) {
        f.add(Mistake::OneGroupOnly, "M взаємодіє і з A, і з X, тому його назва складається з двох слів.");
        return f;
    }
    const int large = larger_group(s);
    const int small = smaller_group(s);
    // The words read in the right order, then swapped; the reading with fewer
    // mistakes explains the answer.
    struct Reading {
        int first_group, second_group;
        bool swapped;
    };
    std::optional<Findings> best;
    for (const Reading& r : {Reading{large, small, false}, Reading{small, large, true}}) {
        const Fit first = fit(said.first, s.size(r.first_group));
        const Fit second = fit(said.second, s.size(r.second_group));
        if (first == Fit::Wrong || second == Fit::Wrong)
            continue;
        Findings reading;
        if (r.swapped && s.znak_J == 0)
            reading.add(Mistake::WordOrder, word_order(s));
        else if (r.swapped)
            reading.add(
                Mistake::LargerFromWrongGroup, order_toggled("перше слово називає розщеплення протонами X"));
        if (first == Fit::OneShort)
            reading.lines_short(r.first_group, s.size(r.first_group));
        if (second == Fit::OneShort)
            reading.lines_short(r.second_group, s.size(r.second_group));
        if (!best || reading.slips() < best->slips())
            best = reading;
    }
    return best.value_or(Findings{});
}

std::string size_reason(const System& s, int group)
{
    if (group == kGroupM) {
        const std::string lines(kIntoLines[s.nM + 1]);
        return "Сигнали A і X мають по " + lines + ", це " + quoted(outer_description(s.nM)) + ", а на "
            + lines + " їх " + std::string(splits(s.nM)) + " " + std::string(kProtons[s.nM]) + " M.";
    }
    const int n = s.size(group);
    if (group == larger_group(s))
        return "Широкими проміжками, тобто більшою константою " + constant(group)
            + ", сигнал M розщеплено на " + std::string(kIntoGroups[n + 1]) + ", а таке розщеплення "
            + std::string(gives(n)) + " " + std::string(kProtons[n]) + " " + letter(group) + ".";
    return "Вузькими проміжками, тобто меншою константою " + constant(group)
        + ", кожну групу ліній M розщеплено на " + std::string(kIntoLines[n + 1]) + ", а таке розщеплення "
        + std::string(gives(n)) + " " + std::string(kProtons[n]) + " " + letter(group) + ".";
}

std::string order_reason(const System& s)
{
    return "Лінії " + letter(larger_group(s)) + " рознесені ширше, ніж лінії " + letter(smaller_group(s))
        + ", тож " + order_description(s.znak_J) + ".";
}

Findings size_mistakes(const System& truth, const System& answer, int group)
{
    Findings f;
    const int said = answer.size(group);
    const int protons = truth.size(group);
    const bool outer_swapped = group != kGroupM && truth.nA != truth.nX && answer.nA == truth.nX
        && answer.nX == truth.nA && answer.znak_J == truth.znak_J;
    if (outer_swapped && truth.znak_J == 0)
        f.add(Mistake::WordOrder,
            "Кількості протонів A і X переставлено: широкі проміжки M дають протони A, бо більша константа "
            "тут J(AM).");
    else if (outer_swapped)
        f.add(Mistake::LargerFromWrongGroup, order_toggled("широкі проміжки M дають протони X"));
    else if (said == protons + 1)
        f.add(Mistake::LineCount,
            "Ліній завжди на одну більше, ніж протонів, тож " + std::string(kIntoLines[said]) + " означають "
                + std::string(kProtons[protons]) + " " + letter(group) + ", а не "
                + std::string(kMasculine[said]) + ".");
    return f;
}

}  // namespace

std::array<System, kStates> all_systems()
{
    std::array<System, kStates> systems;
    int i = 0;
    for (int znak_J = 0; znak_J <= 1; ++znak_J)
        for (int nA = 1; nA <= 3; ++nA)
            for (int nM = 1; nM <= 3; ++nM)
                for (int nX = 1; nX <= 3; ++nX)
                    systems[i++] = {nA, nM, nX, znak_J};
    return systems;
}

SpinSystem at_rest(const System& s)
{
    SpinSystem model;
    model.nA = std::int16_t(s.nA);
    model.nM = std::int16_t(s.nM);
    model.nX = std::int16_t(s.nX);
    model.znak_J = std::int16_t(s.znak_J);
    model.calculate();
    return model;
}

std::vector<Task> draw_round(std::mt19937& engine)
{
    std::array<System, kStates> pool = all_systems();
    std::vector<Task> round;
    // The first picks of a Fisher–Yates shuffle: every state at most once.
    for (int i = 0; i < kRoundLength; ++i) {
        std::uniform_int_distribution<int> pick(i, kStates - 1);
        std::swap(pool[i], pool[pick(engine)]);
        round.push_back({i % 2 == 0 ? Kind::NameMultiplets : Kind::WhichSystem, pool[i]});
    }
    return round;
}

std::array<std::string, kNameCount> multiplet_names()
{
    std::array<std::string, kNameCount> names;
    int i = 0;
    for (int n = 1; n <= 3; ++n)
        names[i++] = outer_description(n);
    for (int larger = 1; larger <= 3; ++larger)
        for (int smaller = 1; smaller <= 3; ++smaller)
            names[i++] = middle_description(larger, smaller, 0);
    return names;
}

std::string right_name(const System& s, int group)
{
    return group == kGroupM ? middle_description(s.nA, s.nX, s.znak_J) : outer_description(s.nM);
}

std::vector<Explanation> mark_names(const System& truth, const std::array<std::string, 3>& names)
{
    std::vector<Explanation> wrong;
    for (int group = kGroupA; group <= kGroupX; ++group) {
        const std::string& name = names[group];
        if (name == right_name(truth, group))
            continue;
        const std::string reason = group == kGroupM ? middle_reason(truth) : outer_reason(truth, group);
        const std::string who = "Сигнал " + letter(group);
        if (name.empty()) {
            wrong.push_back({group, {Mistake::NotSet}, who + ", назву не вибрано. " + reason});
            continue;
        }
        Findings f;
        if (const std::optional<Words> said = words_of(name))
            f = group == kGroupM ? middle_mistakes(truth, *said) : outer_mistakes(truth, group, *said);
        wrong.push_back(
            {group, f.mistakes, who + ", ваша відповідь — " + quoted(name) + ". " + reason + f.text()});
    }
    return wrong;
}

std::vector<Explanation> mark_system(const System& truth, const System& answer)
{
    std::vector<Explanation> wrong;
    for (int group = kGroupA; group <= kGroupX; ++group) {
        const int said = answer.size(group);
        if (said == truth.size(group))
            continue;
        const std::string who = "Група " + letter(group);
        if (said == kUnsetSize) {
            wrong.push_back({group, {Mistake::NotSet},
                who + ", кількість протонів не задано. " + size_reason(truth, group)});
            continue;
        }
        const Findings f = size_mistakes(truth, answer, group);
        wrong.push_back({group, f.mistakes,
            who + ", ваша відповідь — " + std::string(kProtons[said]) + ". " + size_reason(truth, group)
                + f.text()});
    }
    if (answer.znak_J != truth.znak_J) {
        if (answer.znak_J == kUnsetOrder)
            wrong.push_back(
                {kOrder, {Mistake::NotSet}, "Порядок констант не задано. " + order_reason(truth)});
        else
            wrong.push_back({kOrder, {},
                "Порядок констант, ваша відповідь — " + order_description(answer.znak_J) + ". "
                    + order_reason(truth)});
    }
    return wrong;
}

std::string spoken_formula(const System& s)
{
    std::string text;
    for (int group = kGroupA; group <= kGroupX; ++group) {
        if (!text.empty())
            text += ' ';
        text += letter(group);
        const int n = s.size(group);
        text += n == kUnsetSize ? std::string(" невідомо") : std::to_string(n);
    }
    return text;
}

std::string spoken_system(const System& s)
{
    return for_the_ear("Система " + spoken_formula(s) + ", " + order_description(s.znak_J));
}

std::string protons(int n)
{
    return n >= 1 && n <= 3 ? std::string(kProtons[n]) : "кількість протонів не задано";
}

std::string spoken_spectrum(const SpinSystem& at_rest)
{
    // The chart's own words, a signal a line, each line made a sentence.
    const std::string shown = describe_spectrum(at_rest);
    std::string text;
    for (std::size_t start = 0; start < shown.size();) {
        const std::size_t end = std::min(shown.find('\n', start), shown.size());
        if (!text.empty())
            text += ' ';
        text += "Сигнал " + for_the_ear(std::string_view(shown).substr(start, end - start));
        start = end + 1;
    }
    return text;
}

std::string spoken_ratios(const SpinSystem& at_rest)
{
    // Each of the chart's lines is "X: name, 1 : 2 : 1"; the name is left out.
    const std::string shown = describe_spectrum(at_rest);
    std::string text;
    for (std::size_t start = 0; start < shown.size();) {
        const std::size_t end = std::min(shown.find('\n', start), shown.size());
        const std::string_view line = std::string_view(shown).substr(start, end - start);
        const std::size_t ratios = line.find(", ");
        text += "Сигнал " + std::string(line.substr(0, line.find(':'))) + ", "
            + for_the_ear(line.substr(ratios + 2)) + ' ';
        start = end + 1;
    }
    return text
        + (at_rest.znak_J == 0 ? "Лінії сигналу A стоять ширше, ніж лінії сигналу X."
                               : "Лінії сигналу X стоять ширше, ніж лінії сигналу A.");
}

std::string for_the_ear(std::string_view shown)
{
    // Longest first, so that the order is read before its constants.
    static constexpr std::pair<std::string_view, std::string_view> kSpoken[] = {
        {"J(AM) > J(MX)", "J AM більша за J MX"},
        {"J(AM) < J(MX)", "J AM менша за J MX"},
        {"J(AM)", "J AM"},
        {"J(MX)", "J MX"},
        {"«", ""},
        {"»", ""},
        {" : ", ", "},
        {":", ","},
        {"(", ""},
        {")", ""},
    };
    std::string text;
    for (std::size_t i = 0; i < shown.size();) {
        bool replaced = false;
        for (const auto& [from, to] : kSpoken) {
            if (shown.substr(i, from.size()) == from) {
                text += to;
                i += from.size();
                replaced = true;
                break;
            }
        }
        if (!replaced)
            text += shown[i++];
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\n'))
        text.pop_back();
    if (!text.empty() && text.back() != '.')
        text += '.';
    return text;
}

}  // namespace spektrion::quiz
