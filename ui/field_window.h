// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

#include "model/exact.h"

#include <QWidget>

#include <array>
#include <optional>

class QDoubleSpinBox;
class QSlider;

namespace spektrion {

class FocusText;
class FormulaButton;

// The spectrum at a chosen spectrometer frequency: the formula as in the simulator,
// a slider with a spin box for every parameter, the picture of the exact spectrum under
// the first-order one, and for each coupled pair its Δν/J in a sentence. Every change
// redraws at once, also while a slider is dragged.
//
// A narrow window (a phone's page) stands the formula, drawn larger, the picture at the
// window's width and the parameters in one column, each slider as tall as a finger
// and set wherever it is touched.
class FieldWindow : public QWidget {
    Q_OBJECT

public:
    explicit FieldWindow(std::optional<int> narrow = {}, QWidget* parent = nullptr);

    const field::Sizes& sizes() const { return sizes_; }
    const field::Setting& setting() const { return setting_; }
    void show_setting(const field::Sizes& sizes, const field::Setting& setting);

    // One parameter: its slider, which moves by the parameter's step, and its spin box.
    struct Control {
        QSlider* slider = nullptr;
        QDoubleSpinBox* box = nullptr;
    };
    std::array<Control, field::kParameters> controls{};  // by field::Parameter
    Control& control(field::Parameter p) { return controls[std::size_t(p)]; }
    std::array<FormulaButton*, 3> letters{};
    std::array<FormulaButton*, 3> subscripts{};
    QWidget* picture = nullptr;
    std::array<FocusText*, 2> sentences{};  // A with M, M with X

public slots:
    // A narrow window laid out again at another width (a phone turned).
    void set_narrow_width(int width);

signals:
    // After every change of the sizes or the setting, once it is shown.
    void setting_changed();

private:
    void create_controls(bool narrow);
    void cycle_size(Group g);
    // A parameter set and shown; take_value sets it and its controls alone.
    void set_value(field::Parameter p, double value);
    void take_value(field::Parameter p, double value);
    void show_changes();

    bool narrow_ = false;
    field::Sizes sizes_{2, 2, 2};
    field::Setting setting_;
};

}  // namespace spektrion
