// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "words/words.h"

#include "model/number_text.h"
#include "model/spin_system.h"

#include <algorithm>
#include <cmath>

namespace spektrion::words {
namespace {

using quiz::Explanation;
using quiz::group_of;
using quiz::Mistake;

// Indexed by a number 1..4 (of protons, or of lines); index 0 is never used.
constexpr std::string_view kNames[] = {"", "дублет", "триплет", "квартет"};
constexpr std::string_view kOfNames[] = {"", " дублетів", " триплетів", " квартетів"};
constexpr std::string_view kProtons[] = {"", "один протон", "два протони", "три протони"};
constexpr std::string_view kByProtons[] = {"", "одним протоном", "двома протонами", "трьома протонами"};
constexpr std::string_view kIntoLines[] = {"", "одну лінію", "дві лінії", "три лінії", "чотири лінії"};
constexpr std::string_view kIntoGroups[]
    = {"", "одну групу ліній", "дві групи ліній", "три групи ліній", "чотири групи ліній"};
constexpr std::string_view kFeminine[] = {"", "одну", "дві", "три", "чотири"};
constexpr std::string_view kMasculine[] = {"", "один", "два", "три", "чотири"};

template <std::size_t N> std::string word(const std::string_view (&list)[N], int n)
{
    return n >= 1 && std::size_t(n) < N ? std::string(list[n]) : std::string();
}

std::string letter_of(Group g)
{
    return std::string(1, letter(g));
}

// The constant between M and the outer group `g`.
std::string constant(Group g, Voice voice)
{
    if (voice == Voice::Ear)
        return g == Group::A ? "J AM" : "J MX";
    return g == Group::A ? "J(AM)" : "J(MX)";
}

std::string quoted(const std::string& name, Voice voice)
{
    return voice == Voice::Ear ? name : "«" + name + "»";
}

std::string colon(Voice voice)
{
    return voice == Voice::Ear ? "," : ":";
}

std::string_view splits(int protons)
{
    return protons == 1 ? "розщеплює" : "розщеплюють";
}

std::string_view gives(int protons)
{
    return protons == 1 ? "дає" : "дають";
}

std::string outer_name(const SpinState& s)
{
    return multiplet_name({s.nM});
}

std::string right_name(const SpinState& s, Group g)
{
    return multiplet_name(quiz::right_name(s, g));
}

// "Ліній завжди на одну більше, ніж протонів, тож два протони M дають три лінії, а не дві."
std::string miscounted(const SpinState& s, const std::vector<Group>& groups)
{
    std::string text;
    for (const Group g : groups) {
        const int n = s.size(g);
        text += text.empty() ? " Ліній завжди на одну більше, ніж протонів, тож " : ", а ";
        text += word(kProtons, n) + " " + letter_of(g) + " " + std::string(gives(n)) + " "
            + word(kIntoLines, n + 1) + ", а не " + word(kFeminine, n);
    }
    return text.empty() ? text : text + ".";
}

// `what` names what the protons of X give, the larger constant being J(MX).
std::string order_toggled(const std::string& what, Voice voice)
{
    return " Тут " + order_text(Order::MXLarger, voice) + ", більша константа " + constant(Group::X, voice)
        + ", тож " + what + ", а не A.";
}

std::string outer_reason(const SpinState& s, Group g, Voice voice)
{
    return letter_of(g) + " взаємодіє лише з M, і " + word(kProtons, s.nM) + " M " + std::string(splits(s.nM))
        + " його сигнал на " + word(kIntoLines, s.nM + 1) + ", це " + quoted(outer_name(s), voice) + ".";
}

std::string middle_reason(const SpinState& s, Voice voice)
{
    const Group large = larger_group(s.order);
    const Group small = smaller_group(s.order);
    return "Сигнал M спершу розщеплюється більшою константою " + constant(large, voice) + ", "
        + word(kByProtons, s.size(large)) + " " + letter_of(large) + ", на " + multiplet_name({s.size(large)})
        + ", а потім кожна його лінія розщеплюється меншою константою " + constant(small, voice) + ", "
        + word(kByProtons, s.size(small)) + " " + letter_of(small) + ", на " + multiplet_name({s.size(small)})
        + ", разом " + quoted(right_name(s, Group::M), voice) + ".";
}

// The sentences of a wrong name's mistakes, those of miscounted lines last.
std::string name_mistakes(const SpinState& s, const Explanation& e, Voice voice)
{
    const Group g = group_of(e.part);
    std::string text;
    for (const Mistake m : e.mistakes) {
        if (m == Mistake::AXCoupled)
            text += " A і X між собою не взаємодіють, тож протони " + letter_of(other_outer(g)) + " сигнал "
                + letter_of(g) + " не розщеплюють.";
        else if (m == Mistake::WordOrder)
            text += " Слова назви переставлено" + colon(voice)
                + " перше слово називає розщеплення більшою константою, тут "
                + constant(larger_group(s.order), voice) + ", тобто протонами "
                + letter_of(larger_group(s.order)) + ".";
        else if (m == Mistake::LargerFromWrongGroup)
            text += order_toggled("перше слово називає розщеплення протонами X", voice);
        else if (m == Mistake::OneGroupOnly)
            text += " M взаємодіє і з A, і з X, тому його назва складається з двох слів.";
    }
    return text + miscounted(s, e.miscounted);
}

std::string size_reason(const SpinState& s, Group g, Voice voice)
{
    if (g == Group::M) {
        const std::string lines = word(kIntoLines, s.nM + 1);
        return "Сигнали A і X мають по " + lines + ", це " + quoted(outer_name(s), voice) + ", а на " + lines
            + " їх " + std::string(splits(s.nM)) + " " + word(kProtons, s.nM) + " M.";
    }
    const int n = s.size(g);
    if (g == larger_group(s.order))
        return "Широкими проміжками, тобто більшою константою " + constant(g, voice)
            + ", сигнал M розщеплено на " + word(kIntoGroups, n + 1) + ", а таке розщеплення "
            + std::string(gives(n)) + " " + word(kProtons, n) + " " + letter_of(g) + ".";
    return "Вузькими проміжками, тобто меншою константою " + constant(g, voice)
        + ", кожну групу ліній M розщеплено на " + word(kIntoLines, n + 1) + ", а таке розщеплення "
        + std::string(gives(n)) + " " + word(kProtons, n) + " " + letter_of(g) + ".";
}

std::string size_mistakes(const SpinState& s, const Explanation& e, Voice voice)
{
    const Group g = group_of(e.part);
    std::string text;
    for (const Mistake m : e.mistakes) {
        if (m == Mistake::WordOrder)
            text += " Кількості протонів A і X переставлено" + colon(voice)
                + " широкі проміжки M дають протони A, бо більша константа тут " + constant(Group::A, voice)
                + ".";
        else if (m == Mistake::LargerFromWrongGroup)
            text += order_toggled("широкі проміжки M дають протони X", voice);
        else if (m == Mistake::LineCount) {
            const int said = e.size.value_or(0);
            text += " Ліній завжди на одну більше, ніж протонів, тож " + word(kIntoLines, said)
                + " означають " + word(kProtons, s.size(g)) + " " + letter_of(g) + ", а не "
                + word(kMasculine, said) + ".";
        }
    }
    return text;
}

std::string order_reason(const SpinState& s, Voice voice)
{
    return "Лінії " + letter_of(larger_group(s.order)) + " рознесені ширше, ніж лінії "
        + letter_of(smaller_group(s.order)) + ", тож " + order_text(s.order, voice) + ".";
}

// A signal's ratios as the chart prints them, "1 : 2 : 1", or for the ear "1, 2, 1".
std::string ratios(const Signal& signal, Voice voice)
{
    std::string text;
    for (const SpectrumLine& line : signal.lines)
        text += (text.empty() ? "" : voice == Voice::Ear ? ", " : " : ") + ratio_text(line.ratio);
    return text;
}

}  // namespace

std::string multiplet_name(const MultipletName& name)
{
    return word(kNames, name.first) + word(kOfNames, name.second);
}

std::string order_text(Order o, Voice voice)
{
    const bool am_larger = o == Order::AMLarger;
    switch (voice) {
    case Voice::Ear: return am_larger ? "J AM більша за J MX" : "J AM менша за J MX";
    case Voice::Label: return am_larger ? "J(AM)\u00A0>\u00A0J(MX)" : "J(AM)\u00A0<\u00A0J(MX)";
    case Voice::Text: break;
    }
    return am_larger ? "J(AM) > J(MX)" : "J(AM) < J(MX)";
}

std::string describe_spectrum(const Spectrum& spectrum)
{
    std::string text;
    for (const Signal& signal : spectrum.by_position)
        text += letter_of(signal.group) + ": " + multiplet_name(signal.name()) + ", "
            + ratios(signal, Voice::Text) + '\n';
    return text;
}

std::string explanation(const SpinState& truth, const Explanation& e, Voice voice)
{
    const bool not_set = e.mistakes == std::vector{Mistake::NotSet};
    if (e.part == quiz::Part::Order) {
        const std::string said = not_set
            ? "Порядок констант не задано. "
            : "Порядок констант, ваша відповідь — " + order_text(*e.order, voice) + ". ";
        return said + order_reason(truth, voice);
    }
    const Group g = group_of(e.part);
    if (e.kind == quiz::Kind::NameMultiplets) {
        const std::string reason
            = g == Group::M ? middle_reason(truth, voice) : outer_reason(truth, g, voice);
        const std::string who = "Сигнал " + letter_of(g);
        if (not_set)
            return who + ", назву не вибрано. " + reason;
        return who + ", ваша відповідь — " + quoted(multiplet_name(*e.name), voice) + ". " + reason
            + name_mistakes(truth, e, voice);
    }
    const std::string who = "Група " + letter_of(g);
    if (not_set)
        return who + ", кількість протонів не задано. " + size_reason(truth, g, voice);
    return who + ", ваша відповідь — " + word(kProtons, e.size.value_or(0)) + ". "
        + size_reason(truth, g, voice) + size_mistakes(truth, e, voice);
}

std::string spoken_formula(const PartialState& s)
{
    std::string text;
    for (const Group g : kGroups) {
        const std::optional<int> n = s.size(g);
        text += (text.empty() ? "" : " ") + letter_of(g) + (n ? std::to_string(*n) : " невідомо");
    }
    return text;
}

std::string spoken_formula(const SpinState& s)
{
    return spoken_formula(PartialState::whole(s));
}

std::string spoken_system(const SpinState& s)
{
    return "Система " + spoken_formula(s) + ", " + order_text(s.order, Voice::Ear) + ".";
}

std::string protons(std::optional<int> n)
{
    const std::string said = n ? word(kProtons, *n) : std::string();
    return said.empty() ? "кількість протонів не задано" : said;
}

std::string spoken_group(Group g, std::optional<int> n)
{
    return letter_of(g) + ", " + protons(n) + ".";
}

std::string spoken_order(std::optional<Order> o)
{
    return o ? order_text(*o, Voice::Ear) + "." : "Порядок констант не задано.";
}

std::string spoken_spectrum(const Spectrum& spectrum)
{
    std::string text;
    for (const Signal& signal : spectrum.by_position)
        text += (text.empty() ? "Сигнал " : " Сигнал ") + letter_of(signal.group) + ", "
            + multiplet_name(signal.name()) + ", " + ratios(signal, Voice::Ear) + ".";
    return text;
}

std::string spoken_ratios(const Spectrum& spectrum)
{
    std::string text;
    for (const Signal& signal : spectrum.by_position)
        text += "Сигнал " + letter_of(signal.group) + ", " + ratios(signal, Voice::Ear) + ". ";
    const Group wider = larger_group(spectrum.state.order);
    return text + "Лінії сигналу " + letter_of(wider) + " стоять ширше, ніж лінії сигналу "
        + letter_of(other_outer(wider)) + ".";
}

std::string name_choice(Group g)
{
    return "Мультиплет сигналу " + letter_of(g);
}

std::string task_heading(int number, int of)
{
    return "Завдання " + std::to_string(number) + " з " + std::to_string(of);
}

std::string score(int right, int of)
{
    return std::to_string(right) + " з " + std::to_string(of);
}

std::string score_summary(const std::vector<int>& wrong_tasks)
{
    if (wrong_tasks.empty())
        return "Усі завдання розв'язано правильно.";
    if (wrong_tasks.size() == 1)
        return "Помилка в завданні " + std::to_string(wrong_tasks.front()) + ".";
    std::string list;
    for (std::size_t i = 0; i + 1 < wrong_tasks.size(); ++i)
        list += (i == 0 ? "" : ", ") + std::to_string(wrong_tasks[i]);
    return "Помилки в завданнях " + list + " і " + std::to_string(wrong_tasks.back()) + ".";
}

std::string spoken_score(int right, int of, const std::vector<int>& wrong_tasks)
{
    return "Результат " + score(right, of) + ". " + score_summary(wrong_tasks);
}

std::string pair_sentence(const field::Pair& pair)
{
    const std::string who = letter_of(pair.outer) + " і M: ";
    // Δν/J as a reader takes it in: whole from 10 up, one decimal from 1, below that two
    // significant digits, so that shifts that differ never show 0. Cut, not rounded, at
    // those places: the verdict's thresholds (3 and 10) have no more, so the number and
    // the verdict never disagree.
    const int decimals = pair.ratio >= field::kLeaning ? 0
        : pair.ratio >= 1.0 || !(pair.ratio > 0.0)     ? 1
                                                   : std::min(6, 1 - int(std::floor(std::log10(pair.ratio))));
    std::string number = truncated_with_comma(pair.ratio, decimals);
    if (pair.ratio < 1.0)
        number.erase(std::max(number.find_last_not_of('0') + 1, number.find(',') + 2));
    const std::string ratio = who + "Δν/J = " + number + ". ";
    switch (pair.regime) {
    case field::Regime::Uncoupled: return who + "J = 0, сигнали не розщеплюють один одного.";
    case field::Regime::Equivalent:
        return who + "однаковий хімічний зсув, тож їхня взаємодія в спектрі не проявляється.";
    case field::Regime::FirstOrder:
        return ratio + "Перший порядок: мультиплети такі, як передбачає правило n + 1.";
    case field::Regime::Leaning:
        return ratio + "Мультиплети нахиляються один до одного: ближчі лінії вищі, дальші нижчі (дашок).";
    case field::Regime::Strong:
        return ratio + "Сильний зв'язок: лінії зсуваються, з'являються нові, і правило n + 1 уже не діє.";
    }
    return {};
}

std::string parameter_label(field::Parameter p)
{
    switch (p) {
    case field::Parameter::Frequency: return "Частота спектрометра, МГц";
    case field::Parameter::ShiftA: return "δ(A), м.ч.";
    case field::Parameter::ShiftM: return "δ(M), м.ч.";
    case field::Parameter::ShiftX: return "δ(X), м.ч.";
    case field::Parameter::CouplingAM: return "J(AM), Гц";
    case field::Parameter::CouplingMX: return "J(MX), Гц";
    case field::Parameter::Width: break;
    }
    return "Ширина лінії, Гц";
}

std::string frequency_preset(int mhz)
{
    return std::to_string(mhz) + " МГц";
}

std::string worksheet_task(int number)
{
    return "Завдання " + std::to_string(number) + ".   ";
}

std::string bank_question(std::string_view kind, int number)
{
    return std::string(kind) + (number < 10 ? " 0" : " ") + std::to_string(number);
}

std::string signal_label(Group g)
{
    return "Сигнал " + letter_of(g) + ":";
}

}  // namespace spektrion::words
