// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

#include "ui/window_look.h"

#include <QLabel>

namespace spektrion {

// A text label of the window. It reports a click: a left press on the label and the
// left release over it again, with no other control lying above it at that point.
// Pointer moves are routed by the window, which filters them out of every control.
class ClickLabel : public QLabel {
    Q_OBJECT

public:
    explicit ClickLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

// A label of the window's look at its place: its box and face, plain text, no margin,
// filled with `back`.
ClickLabel* make_label(QWidget* parent, const window_look::LabelLook& look, const QString& caption, QRgb back,
    const QColor& foreground);

}  // namespace spektrion
