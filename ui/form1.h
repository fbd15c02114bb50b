// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

#include "model/spin_system.h"

#include <QWidget>

#include <array>
#include <cstdint>

namespace spektrion {

class Canvas;
class ClickLabel;

// The simulator's one window. It owns the spin system and every control; a click
// changes one field of the model and recalculates everything through rozrah, and a
// pointer move only sets the help bar's text.
class Form1 : public QWidget {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 792;
    static constexpr int kClientHeight = 521;

    explicit Form1(QWidget* parent = nullptr);

    const SpinSystem& model() const { return model_; }
    // Shows the window in state `s`, as the clicks that lead there would: the formula,
    // the order and the spectrum.
    void show_state(const SpinState& s);

    // The controls, indexed as the window indexes them: LabH and LabN by group
    // (0 = A, 1 = M, 2 = X), Lab_syg by signal from left to right (0 = X, 1 = M, 2 = A).
    Canvas* Picture1 = nullptr;
    std::array<ClickLabel*, 3> Lab_syg{};
    ClickLabel* Lab_help = nullptr;
    ClickLabel* Label1 = nullptr;
    std::array<ClickLabel*, 3> LabN{};
    std::array<ClickLabel*, 3> LabH{};

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void create_controls();
    void connect_handlers();

    void Form_Load();
    void LabH_Click(std::int16_t Index);
    void LabN_Click(std::int16_t Index);
    void Label1_Click();
    void cycle_group(std::int16_t Index);
    // The subscripts from the sizes: none for one proton.
    void show_subscripts();

    // Runs the hover handler of whatever lies under `pos` (window coordinates). Every
    // pointer move comes here, also while a button is held and the toolkit would
    // send it to the control that took the press.
    void route_pointer_move(QPoint pos);
    void Form_MouseMove();
    void Label1_MouseMove();
    void LabH_MouseMove(std::int16_t Index);
    void Picture1_MouseMove();

    // Recalculates the spectrum from the model, from scratch, and shows it: the chart
    // (bars, then ratios and colons) and the descriptions.
    void rozrah();

    SpinSystem model_;
};

}  // namespace spektrion
