// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

// Every Ukrainian text the programs show, print or speak, made from model values:
// multiplet names, the coupling order, the spectrum in words, the quiz's explanations,
// the texts for a screen reader and the windows' and tools' own texts. UTF-8, no Qt.
#include "model/exact.h"
#include "model/quiz.h"
#include "model/spectrum.h"
#include "model/state.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace spektrion::words {

// Where a text goes. Text: as printed. Label: for a label that wraps its lines, an
// order kept on one line ("J(AM) >" at a line's end reads as a sentence cut off). Ear:
// for a screen reader, which reads what it is given literally: no colons, brackets or
// quotation marks, lists with commas, the order in words.
enum class Voice { Text, Label, Ear };

// "дублет", "триплет квартетів"; empty for sizes outside 1 to 3.
std::string multiplet_name(const MultipletName& name);
// "J(AM) > J(MX)"; for the ear "J AM більша за J MX".
std::string order_text(Order o, Voice voice = Voice::Text);
// The order before an answer sets it.
inline constexpr std::string_view kUnsetOrder = "J(AM) ? J(MX)";

// The spectrum in words, one line per signal in chart order X, M, A: its multiplet's
// name and its ratios as the chart prints them, "M: триплет триплетів, 1 : 2 : 1 …",
// each line ending with a newline.
std::string describe_spectrum(const Spectrum& spectrum);

// Why an answer's part is wrong, in sentences: what was chosen, what the chemistry
// says, and the mistake recognised.
std::string explanation(const SpinState& truth, const quiz::Explanation& e, Voice voice = Voice::Text);

// For a screen reader. "A3 M1 X2"; a size not chosen is "невідомо".
std::string spoken_formula(const PartialState& s);
std::string spoken_formula(const SpinState& s);
// "Система A3 M1 X2, J AM більша за J MX."
std::string spoken_system(const SpinState& s);
// "два протони"; none chosen, "кількість протонів не задано".
std::string protons(std::optional<int> n);
// A formula letter: "A, два протони."
std::string spoken_group(Group g, std::optional<int> n);
// "J AM більша за J MX."; none chosen, "Порядок констант не задано."
std::string spoken_order(std::optional<Order> o);
// The three signals in chart order, a sentence each: "Сигнал X, триплет, 1, 2, 1."
std::string spoken_spectrum(const Spectrum& spectrum);
// What the chart shows before a WhichSystem task is checked, without the names it
// hides: each signal's ratios, and which outer signal's lines stand wider apart.
std::string spoken_ratios(const Spectrum& spectrum);

// The simulator's window.
inline constexpr std::string_view kSimulatorTitle = "Spektrion навчальний симулятор";
inline constexpr std::string_view kHelpOrder
    = " Константи спін-спінової взаємодії. Клікніть, щоб змінити нерівність";
inline constexpr std::string_view kHelpGroup
    = " Кількість протонів (1-3) в даній групі. Клікніть, щоб змінити";
inline constexpr std::string_view kHelpChart = " Змодельований ПМР спектр";

// The quiz's window.
inline constexpr std::string_view kQuizTitle = "Spektrion перевірка знань";
inline constexpr std::string_view kNameTask
    = "Назвіть мультиплети. Виберіть під кожним сигналом назву його мультиплету.";
inline constexpr std::string_view kSystemTask
    = "Яка це система? Клацайте літеру або її індекс, щоб змінити "
      "кількість протонів, і нерівність, щоб змінити порядок констант.";
inline constexpr std::string_view kChooseName = "виберіть назву";
inline constexpr std::string_view kNoSpectrum = "Спектр буде показано після перевірки.";
inline constexpr std::string_view kChartName = "Спектр ПМР";
inline constexpr std::string_view kCheck = "Перевірити";
inline constexpr std::string_view kNext = "Далі";
inline constexpr std::string_view kAgain = "Ще раз";
inline constexpr std::string_view kSummary = "Підсумок";
inline constexpr std::string_view kRight = "Правильно.";
inline constexpr std::string_view kWrong = "Неправильно.";
inline constexpr std::string_view kPressToChange = "Натисніть, щоб змінити.";
inline constexpr std::string_view kPressToChangeOrder = "Натисніть, щоб змінити нерівність.";
// "Мультиплет сигналу X": the list of names under a signal.
std::string name_choice(Group g);
// "Завдання 3 з 10".
std::string task_heading(int number, int of);
// "7 з 10".
std::string score(int right, int of);
// Which tasks went wrong: "Помилки в завданнях 2, 5 і 8."
std::string score_summary(const std::vector<int>& wrong_tasks);
// The score as a screen reader announces it: "Результат 7 з 10. Помилки в …"
std::string spoken_score(int right, int of, const std::vector<int>& wrong_tasks);

// The worksheet.
inline constexpr std::string_view kWorksheetTitle = "Spektrion: робочий аркуш зі спектрів ПМР";
inline constexpr std::string_view kWorksheetHeading = "Спектри ПМР першого порядку: спінова система A–M–X";
inline constexpr std::string_view kDrawTask
    = "Намалюйте спектр ПМР першого порядку і назвіть мультиплет кожного сигналу.";
inline constexpr std::string_view kAnswers = "Відповіді";
// "Завдання 3." before a task's formula.
std::string worksheet_task(int number);

// The question bank for a course: a category and a question of each kind for every
// state, its drop-downs under the formula or the spectrum.
inline constexpr std::string_view kBankFolder = "Spektrion";
inline constexpr std::string_view kNameKind = "Назвіть мультиплети";
inline constexpr std::string_view kSystemKind = "Яка це система?";
inline constexpr std::string_view kBankNameTask = "Виберіть назву мультиплету кожного сигналу.";
inline constexpr std::string_view kBankSystemTask
    = "Виберіть кількість протонів у кожній групі і порядок констант.";
inline constexpr std::string_view kBankAnswer = "Спектр і дерева розщеплення:";
// "Назвіть мультиплети 07": a question's name in the bank, by its place there.
std::string bank_question(std::string_view kind, int number);
// "Сигнал X:" before a name's drop-down.
std::string signal_label(Group g);

// A picture's title.
inline constexpr std::string_view kSpectrumTitle = "Spektrion: спектр ПМР";

// A coupled pair at a field, what its Δν/J lets a student expect, in one sentence:
// "A і M: Δν/J = 6,2. Мультиплети нахиляються один до одного: …"
std::string pair_sentence(const field::Pair& pair);

// The window of the spectrum at a field.
inline constexpr std::string_view kFieldTitle = "Spektrion: спектр при заданій частоті";
inline constexpr std::string_view kFieldPicture = "Спектр ПМР при заданій частоті";
// A link to a window in the page that could not be read.
inline constexpr std::string_view kBadFieldLink
    = "Налаштування з посилання прочитати не вдалося, тож відкрито типові значення.";
inline constexpr std::string_view kBadRoundLink
    = "Номер раунду з посилання прочитати не вдалося, тож завдання вибрано випадково.";
// A parameter's name with its unit: "Частота спектрометра, МГц", "δ(A), м.ч.".
std::string parameter_label(field::Parameter p);
// "60 МГц": a frequency to go to at once.
std::string frequency_preset(int mhz);

// The units and the reference of the field's axes.
inline constexpr std::string_view kPpm = "м.ч.";
inline constexpr std::string_view kHz = "Гц";
inline constexpr std::string_view kTms = "ТМС";

// The chart's printed labels: "ТМС" beside the TMS line, "0" under it and the axis
// label "δ м.ч.", glyph by glyph without the blank.
inline constexpr std::string_view kChartGlyphs = "ТМС0δм.ч.";

}  // namespace spektrion::words
