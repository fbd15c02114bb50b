// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

#include "model/quiz.h"
#include "model/state.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

namespace spektrion {

class Canvas;
class ClickLabel;
class FocusText;
class FormulaButton;
class TreeBand;

// The quiz's one window: a round of ten tasks over the simulator's formula and chart,
// each checked and explained, then the score. Beside the chart a column holds the
// task, the verdict, the explanation and the buttons. Every result a screen reader
// must hear is announced by moving the focus to the control that holds it.
//
// A narrow window (a phone's page) stands everything in one column of that width: the
// task, the formula drawn larger, the chart drawn smaller with what it shows in words
// under it, a row for each group's name, the buttons, the verdict and the explanation.
// It is as tall as they need and grows and shrinks with the explanation.
class QuizWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 1108;
    static constexpr int kClientHeight = 674;

    explicit QuizWindow(std::uint32_t seed, std::optional<int> narrow = {}, QWidget* parent = nullptr);

    const quiz::Task& task() const { return round_[index_]; }
    int task_number() const { return index_ + 1; }
    // The sizes and order set so far in a WhichSystem task.
    const PartialState& answer() const { return answer_; }
    int score() const { return right_; }

    // The controls. The formula by index_of (A, M, X); the choices and names under the
    // chart by chart_position (X, M, A from left to right), as the simulator's Lab_syg.
    FocusText* heading = nullptr;
    QLabel* instruction = nullptr;
    std::array<FormulaButton*, 3> letters{};
    std::array<FormulaButton*, 3> subscripts{};
    FormulaButton* order = nullptr;
    TreeBand* trees = nullptr;
    Canvas* chart = nullptr;
    std::array<QComboBox*, 3> names{};
    std::array<ClickLabel*, 3> right_names{};
    QLabel* chart_words = nullptr;  // a narrow window's only
    FocusText* verdict = nullptr;
    FocusText* explanation = nullptr;
    QPushButton* check_button = nullptr;
    QPushButton* next_button = nullptr;
    QPushButton* again_button = nullptr;

public slots:
    // A narrow window laid out again at another width (a phone turned), the round kept.
    void set_narrow_width(int width);
    void check();
    void next();
    void start_round();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void create_controls(bool narrow);
    void lay_out_narrow();
    qreal chart_zoom() const;
    void size_chart();
    void show_chart_words(const std::string& words);
    void show_task();
    void show_formula(const PartialState& shown);
    void cycle_size(Group g);
    void toggle_order();
    void show_score();
    bool answer_begun() const;
    QRect chart_ring() const;

    std::mt19937 engine_;
    std::array<QLabel*, 3> name_letters_{};  // a narrow window's, by chart_position
    bool narrow_ = false;
    std::vector<quiz::Task> round_;
    int index_ = 0;
    bool checked_ = false;
    PartialState answer_;
    int right_ = 0;
    std::vector<int> wrong_tasks_;
};

}  // namespace spektrion
