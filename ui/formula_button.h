// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

#include "ui/window_look.h"

#include <QAbstractButton>

namespace spektrion {

// A letter, subscript or the coupling order of the formula, drawn as the simulator's
// label in the same box and face, but a button: a screen reader finds it as one with
// a press action, and Space presses it when it has the focus. The focus shows as a
// dotted frame.
class FormulaButton : public QAbstractButton {
    Q_OBJECT

public:
    FormulaButton(const window_look::LabelLook& look, QRgb colour, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::Alignment alignment_;
};

}  // namespace spektrion
