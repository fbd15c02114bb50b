// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "model/quiz.h"
#include "model/selection.h"
#include "model/spectrum.h"
#include "model/state.h"
#include "words/words.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace spektrion::quiz {
namespace {

// The chemistry written out again, apart from the code under test: a group of n
// protons splits a neighbour into n + 1 lines; M's name says the larger constant's
// split first.
const std::array<std::string, 4> kName = {"", "дублет", "триплет", "квартет"};
const std::string kOf[] = {"", " дублетів", " триплетів", " квартетів"};
const std::string kLines[] = {"", "", "дві лінії", "три лінії", "чотири лінії"};
const std::string kProtons[] = {"", "один протон", "два протони", "три протони"};

std::string both(int first, int second)
{
    return kName[first] + kOf[second];
}

// A state as an answer that sets every part of it.
PartialState answer_of(const SpinState& s)
{
    return {{s.nA, s.nM, s.nX}, s.order};
}

struct Case {
    std::string what;
    Kind kind;
    ChosenNames names;  // NameMultiplets, by group A, M, X
    PartialState answer;  // WhichSystem
    std::set<Part> parts;  // the parts explained
    std::set<Mistake> mistakes;  // named in each of them
    std::vector<std::string> facts;  // in each explanation's text
};

std::vector<Case> cases_of(const SpinState& s)
{
    const bool am_larger = s.order == Order::AMLarger;
    const int L = am_larger ? s.nA : s.nX;  // the larger constant's group
    const int S = am_larger ? s.nX : s.nA;
    const std::string large = am_larger ? "J(AM)" : "J(MX)";
    const std::string outer = "«" + kName[s.nM] + "»";
    const std::string middle = "«" + both(L, S) + "»";
    const ChosenNames right = {MultipletName{s.nM}, MultipletName{L, S}, MultipletName{s.nM}};
    const Mistake swapped = am_larger ? Mistake::WordOrder : Mistake::LargerFromWrongGroup;
    const auto names = [&](Group group, const std::optional<MultipletName>& name) {
        ChosenNames n = right;
        n[std::size_t(index_of(group))] = name;
        return n;
    };
    const auto kind1 = [&](std::string what, Group group, const std::optional<MultipletName>& name,
                           std::set<Mistake> m, std::vector<std::string> facts) {
        facts.push_back(group == Group::M ? middle : outer);
        return Case{what, Kind::NameMultiplets, names(group, name), {}, {part_of(group)}, m, facts};
    };
    const auto kind2 = [&](std::string what, PartialState answer, std::set<Part> parts, std::set<Mistake> m,
                           std::vector<std::string> facts) {
        return Case{what, Kind::WhichSystem, {}, answer, parts, m, facts};
    };
    std::vector<Case> cases;
    if (L != S)
        cases.push_back(kind1("M's words swapped", Group::M, MultipletName{S, L}, {swapped}, {large}));
    if (L >= 2)
        cases.push_back(kind1("M's first word a line short", Group::M, MultipletName{L - 1, S},
            {Mistake::LineCount}, {large, kLines[L + 1]}));
    if (S >= 2)
        cases.push_back(kind1("M's second word a line short", Group::M, MultipletName{L, S - 1},
            {Mistake::LineCount}, {large, kLines[S + 1]}));
    // Swapped and a line short, unless that reads as a single slip.
    if (S >= 2 && L != S && L != S - 1)
        cases.push_back(kind1("M's words swapped and a line short", Group::M, MultipletName{S - 1, L},
            {swapped, Mistake::LineCount}, {large, kLines[S + 1]}));
    cases.push_back(
        kind1("M as split by one group", Group::M, MultipletName{L}, {Mistake::OneGroupOnly}, {large}));
    cases.push_back(kind1("M not named", Group::M, std::nullopt, {Mistake::NotSet}, {large}));
    for (const Group group : {Group::A, Group::X}) {
        const int other = group == Group::A ? s.nX : s.nA;
        if (s.nM >= 2)
            cases.push_back(kind1(
                "a line short", group, MultipletName{s.nM - 1}, {Mistake::LineCount}, {kLines[s.nM + 1]}));
        cases.push_back(kind1(
            "split by the other outer group", group, MultipletName{s.nM, other}, {Mistake::AXCoupled}, {}));
        if (s.nM + other <= 3)
            cases.push_back(kind1("the other outer group's protons added", group, MultipletName{s.nM + other},
                {Mistake::AXCoupled}, {}));
    }
    const auto with = [&](int nA, int nM, int nX, Order order) { return PartialState{{nA, nM, nX}, order}; };
    if (s.nM <= 2)
        cases.push_back(kind2("M's lines taken for protons", with(s.nA, s.nM + 1, s.nX, s.order), {Part::M},
            {Mistake::LineCount}, {kProtons[s.nM], outer}));
    if (s.nA <= 2)
        cases.push_back(kind2("A's lines taken for protons", with(s.nA + 1, s.nM, s.nX, s.order), {Part::A},
            {Mistake::LineCount}, {kProtons[s.nA], "J(AM)"}));
    if (s.nX <= 2)
        cases.push_back(kind2("X's lines taken for protons", with(s.nA, s.nM, s.nX + 1, s.order), {Part::X},
            {Mistake::LineCount}, {kProtons[s.nX], "J(MX)"}));
    if (s.nA != s.nX)
        cases.push_back(kind2(
            "A and X swapped", with(s.nX, s.nM, s.nA, s.order), {Part::A, Part::X}, {swapped}, {large}));
    cases.push_back(kind2("the order flipped", with(s.nA, s.nM, s.nX, spektrion::swapped(s.order)),
        {Part::Order}, {}, {am_larger ? "J(AM) > J(MX)" : "J(AM) < J(MX)"}));
    cases.push_back(kind2(
        "nothing set", PartialState{}, {Part::A, Part::M, Part::X, Part::Order}, {Mistake::NotSet}, {}));
    return cases;
}

// Each signal's lines: slot, height and ratio.
std::array<std::vector<SpectrumLine>, 3> lines_of(const SpinState& s)
{
    const Spectrum spectrum = spectrum_of(s);
    return {spectrum.by_position[0].lines, spectrum.by_position[1].lines, spectrum.by_position[2].lines};
}

TEST(QuizTest, EveryStateGivesItsOwnSpectrum)
{
    const auto systems = all_states();
    for (std::size_t i = 0; i < systems.size(); ++i)
        for (std::size_t j = i + 1; j < systems.size(); ++j)
            EXPECT_NE(lines_of(systems[i]), lines_of(systems[j]))
                << format_state(systems[i]) << " and " << format_state(systems[j]);
}

TEST(QuizTest, EveryWrongAnswerIsExplainedByItsMistake)
{
    for (const SpinState& s : all_states()) {
        const ChosenNames right = {right_name(s, Group::A), right_name(s, Group::M), right_name(s, Group::X)};
        EXPECT_TRUE(mark_names(s, right).empty()) << words::spoken_formula(s);
        EXPECT_TRUE(mark_system(s, answer_of(s)).empty()) << words::spoken_formula(s);
        for (const Case& c : cases_of(s)) {
            SCOPED_TRACE(words::spoken_formula(s)
                + (s.order == Order::AMLarger ? " J(AM) larger, " : " J(MX) larger, ") + c.what);
            const std::vector<Explanation> got
                = c.kind == Kind::NameMultiplets ? mark_names(s, c.names) : mark_system(s, c.answer);
            std::set<Part> parts;
            for (const Explanation& e : got) {
                const std::string text = words::explanation(s, e);
                parts.insert(e.part);
                EXPECT_EQ(std::set<Mistake>(e.mistakes.begin(), e.mistakes.end()), c.mistakes) << text;
                for (const std::string& fact : c.facts)
                    EXPECT_NE(text.find(fact), std::string::npos) << fact << " not in: " << text;
                // M's explanation takes the larger constant's split first.
                if (c.kind == Kind::NameMultiplets && e.part == Part::M) {
                    const std::size_t am = text.find("J(AM)");
                    const std::size_t mx = text.find("J(MX)");
                    EXPECT_TRUE(s.order == Order::AMLarger ? am < mx : mx < am) << text;
                }
                const std::string spoken = words::explanation(s, e, words::Voice::Ear);
                for (const char* mark : {":", "(", ")", "«", "»"})
                    EXPECT_EQ(spoken.find(mark), std::string::npos) << spoken;
                EXPECT_EQ(spoken.back(), '.');
            }
            EXPECT_EQ(parts, c.parts);
        }
    }
}

// Whole explanations, written out from the chemistry, a kind of mistake and of task a row:
// the names chosen for A, M and X, or none and a WhichSystem answer.
struct Written {
    SpinState truth;
    ChosenNames names;
    PartialState answer;
    std::string text;  // every explanation, in order, joined by a space
    words::Voice voice = words::Voice::Text;
};

const Written kWritten[] = {
    {{3, 1, 2, Order::AMLarger}, {MultipletName{1}, MultipletName{2, 3}, MultipletName{1}}, {},
        "Сигнал M, ваша відповідь — «триплет квартетів». Сигнал M спершу розщеплюється більшою константою "
        "J(AM), трьома протонами A, на квартет, а потім кожна його лінія розщеплюється меншою константою "
        "J(MX), двома протонами X, на триплет, разом «квартет триплетів». Слова назви переставлено: перше "
        "слово називає розщеплення більшою константою, тут J(AM), тобто протонами A."},
    {{1, 1, 3, Order::MXLarger}, {MultipletName{1}, MultipletName{1, 3}, MultipletName{1}}, {},
        "Сигнал M, ваша відповідь — «дублет квартетів». Сигнал M спершу розщеплюється більшою константою "
        "J(MX), трьома протонами X, на квартет, а потім кожна його лінія розщеплюється меншою константою "
        "J(AM), одним протоном A, на дублет, разом «квартет дублетів». Тут J(AM) < J(MX), більша константа "
        "J(MX), тож перше слово називає розщеплення протонами X, а не A."},
    {{3, 2, 2, Order::AMLarger}, {MultipletName{2}, MultipletName{2, 1}, MultipletName{2}}, {},
        "Сигнал M, ваша відповідь — «триплет дублетів». Сигнал M спершу розщеплюється більшою константою "
        "J(AM), трьома протонами A, на квартет, а потім кожна його лінія розщеплюється меншою константою "
        "J(MX), двома протонами X, на триплет, разом «квартет триплетів». Ліній завжди на одну більше, ніж "
        "протонів, тож три протони A дають чотири лінії, а не три, а два протони X дають три лінії, а не "
        "дві."},
    {{1, 2, 1, Order::AMLarger}, {MultipletName{1}, MultipletName{1, 1}, MultipletName{2}}, {},
        "Сигнал A, ваша відповідь — «дублет». A взаємодіє лише з M, і два протони M розщеплюють його "
        "сигнал на три лінії, це «триплет». Ліній завжди на одну більше, ніж протонів, тож два протони M "
        "дають три лінії, а не дві."},
    {{2, 1, 1, Order::AMLarger}, {std::nullopt, MultipletName{2}, MultipletName{1, 2}}, {},
        "Сигнал A, назву не вибрано. A взаємодіє лише з M, і один протон M розщеплює його сигнал на дві "
        "лінії, це «дублет». Сигнал M, ваша відповідь — «триплет». Сигнал M спершу розщеплюється більшою "
        "константою J(AM), двома протонами A, на триплет, а потім кожна його лінія розщеплюється меншою "
        "константою J(MX), одним протоном X, на дублет, разом «триплет дублетів». M взаємодіє і з A, і з X, "
        "тому його назва складається з двох слів. Сигнал X, ваша відповідь — «дублет триплетів». X "
        "взаємодіє лише з M, і один протон M розщеплює його сигнал на дві лінії, це «дублет». A і X між "
        "собою не взаємодіють, тож протони A сигнал X не розщеплюють."},
    {{3, 1, 1, Order::AMLarger}, {}, {{1, 1, 3}, Order::AMLarger},
        "Група A, ваша відповідь — один протон. Широкими проміжками, тобто більшою константою J(AM), "
        "сигнал M розщеплено на чотири групи ліній, а таке розщеплення дають три протони A. Кількості "
        "протонів A і X переставлено: широкі проміжки M дають протони A, бо більша константа тут J(AM). "
        "Група X, ваша відповідь — три протони. Вузькими проміжками, тобто меншою константою J(MX), кожну "
        "групу ліній M розщеплено на дві лінії, а таке розщеплення дає один протон X. Кількості протонів "
        "A і X переставлено: широкі проміжки M дають протони A, бо більша константа тут J(AM)."},
    {{2, 2, 2, Order::AMLarger}, {}, {{2, 2, 2}, Order::MXLarger},
        "Порядок констант, ваша відповідь — J(AM) < J(MX). Лінії A рознесені ширше, ніж лінії X, тож "
        "J(AM) > J(MX)."},
    {{1, 2, 1, Order::AMLarger}, {}, {{1, 3, 1}, Order::AMLarger},
        "Група M, ваша відповідь — три протони. Сигнали A і X мають по три лінії, це «триплет», а на три "
        "лінії їх розщеплюють два протони M. Ліній завжди на одну більше, ніж протонів, тож три лінії "
        "означають два протони M, а не три."},
    {{1, 1, 3, Order::MXLarger}, {}, {{3, 1, 1}, Order::MXLarger},
        "Група A, ваша відповідь — три протони. Вузькими проміжками, тобто меншою константою J(AM), кожну "
        "групу ліній M розщеплено на дві лінії, а таке розщеплення дає один протон A. Тут J(AM) < J(MX), "
        "більша константа J(MX), тож широкі проміжки M дають протони X, а не A. Група X, ваша відповідь — "
        "один протон. Широкими проміжками, тобто більшою константою J(MX), сигнал M розщеплено на чотири "
        "групи ліній, а таке розщеплення дають три протони X. Тут J(AM) < J(MX), більша константа J(MX), "
        "тож широкі проміжки M дають протони X, а не A."},
    // As a screen reader says it: no marks, the constants by their letters.
    {{3, 1, 2, Order::AMLarger}, {MultipletName{1}, MultipletName{2, 3}, MultipletName{1}}, {},
        "Сигнал M, ваша відповідь — триплет квартетів. Сигнал M спершу розщеплюється більшою константою "
        "J AM, трьома протонами A, на квартет, а потім кожна його лінія розщеплюється меншою константою "
        "J MX, двома протонами X, на триплет, разом квартет триплетів. Слова назви переставлено, перше "
        "слово називає розщеплення більшою константою, тут J AM, тобто протонами A.",
        words::Voice::Ear},
};

TEST(QuizTest, ExplanationsSayWhatTheChemistrySays)
{
    for (const Written& w : kWritten) {
        std::string text;
        for (const Explanation& e : !w.names[std::size_t(index_of(Group::M))] ? mark_system(w.truth, w.answer)
                                                                              : mark_names(w.truth, w.names))
            text += (text.empty() ? "" : " ") + words::explanation(w.truth, e, w.voice);
        EXPECT_EQ(text, w.text);
    }
}

TEST(QuizTest, ARoundHasTenDifferentStatesInAlternatingKinds)
{
    std::set<std::vector<int>> rounds, drawn;
    for (unsigned seed = 1; seed <= 100; ++seed) {
        std::mt19937 engine(seed);
        const std::vector<Task> round = draw_round(engine);
        ASSERT_EQ(round.size(), 10u);
        std::set<std::vector<int>> states;
        std::vector<int> flat;
        for (std::size_t i = 0; i < round.size(); ++i) {
            const SpinState& s = round[i].system;
            EXPECT_EQ(round[i].kind, i % 2 == 0 ? Kind::NameMultiplets : Kind::WhichSystem);
            states.insert({s.nA, s.nM, s.nX, int(s.order)});
            flat.insert(flat.end(), {s.nA, s.nM, s.nX, int(s.order)});
        }
        EXPECT_EQ(states.size(), 10u);
        rounds.insert(flat);
        drawn.insert(states.begin(), states.end());
    }
    EXPECT_GT(rounds.size(), 15u);
    EXPECT_EQ(drawn.size(), std::size_t(kStates)) << "a state never drawn";
}

// A seed is a round a teacher gives a class: read as written, and drawing the same ten
// tasks everywhere, since the picks take the engine's numbers, which the standard fixes.
TEST(QuizTest, ASeedNamesOneRound)
{
    const std::pair<const char*, std::optional<std::uint32_t>> seeds[]
        = {{"0", 0u}, {"4294967295", 4294967295u}, {"007", 7u}, {"4294967296", std::nullopt},
            {"-1", std::nullopt}, {"+1", std::nullopt}, {" 1", std::nullopt}, {"1 ", std::nullopt},
            {"", std::nullopt}, {"1e3", std::nullopt}};
    for (const auto& [text, seed] : seeds)
        EXPECT_EQ(parse_seed(text), seed) << "'" << text << "'";
    std::mt19937 engine(2026);
    std::string drawn;
    for (const Task& t : draw_round(engine))
        drawn += format_state(t.system) + ' ';
    EXPECT_EQ(drawn, "1,3,1,< 2,1,3,> 1,3,3,> 1,2,1,> 3,3,2,> 2,3,2,> 3,3,1,< 1,1,2,> 2,1,3,< 2,3,2,< ");
}

TEST(QuizTest, TheSpectrumAndFormulaReadForTheEar)
{
    const SpinState s{3, 2, 1, Order::MXLarger};
    EXPECT_EQ(words::spoken_formula(s), "A3 M2 X1");
    EXPECT_EQ(words::spoken_system(s), "Система A3 M2 X1, J AM менша за J MX.");
    const std::string spoken = words::spoken_spectrum(spectrum_of(s));
    EXPECT_EQ(spoken.find_first_of(":()"), std::string::npos) << spoken;
    EXPECT_NE(spoken.find("Сигнал X, " + kName[2] + ", 1, 2, 1."), std::string::npos) << spoken;
    EXPECT_NE(spoken.find("Сигнал M, " + both(1, 3) + ", "), std::string::npos) << spoken;
    EXPECT_EQ(words::spoken_order(Order::MXLarger), "J AM менша за J MX.");
    // Before a WhichSystem task is checked: no names, and J(MX) the larger spreads X.
    EXPECT_EQ(words::spoken_ratios(spectrum_of(s)),
        "Сигнал X, 1, 2, 1. Сигнал M, 1, 3, 3, 1, 1, 3, 3, 1. Сигнал A, 1, 2, 1. "
        "Лінії сигналу X стоять ширше, ніж лінії сигналу A.");
}

}  // namespace
}  // namespace spektrion::quiz
