// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "ui/formula_button.h"

#include <QPainter>
#include <QStyle>

namespace spektrion {

FormulaButton::FormulaButton(const window_look::LabelLook& look, QRgb colour, QWidget* parent)
    : QAbstractButton(parent)
    , alignment_(look.alignment | Qt::AlignTop)
{
    setGeometry(look.box);
    setFont(window_look::label_font(look));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(window_look::kWindowBack));
    palette.setColor(QPalette::WindowText, QColor::fromRgb(colour));
    setPalette(palette);
    setFocusPolicy(Qt::StrongFocus);
}

QSize FormulaButton::sizeHint() const
{
    return size();
}

void FormulaButton::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    // As a plain-text label draws its text, so that the formula looks as the simulator's.
    style()->drawItemText(&painter, rect(), int(alignment_), palette(), true, text(), QPalette::WindowText);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

}  // namespace spektrion
