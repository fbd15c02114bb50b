// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "ui/click_label.h"

#include <QMouseEvent>
#include <QPalette>

namespace spektrion {

ClickLabel::ClickLabel(QWidget* parent)
    : QLabel(parent)
{
    setMouseTracking(true);
}

void ClickLabel::mousePressEvent(QMouseEvent* event)
{
    // A double click arrives as a second press and counts as a second click.
    if (event->button() == Qt::LeftButton)
        pressed_ = true;
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        // The release must land where this label is the topmost control: the
        // formula's boxes overlap, and a drag from a subscript onto its letter is
        // no click on either.
        const QWidget* parent = parentWidget();
        const QPoint pos = event->position().toPoint();
        const bool over_this = parent ? parent->childAt(mapToParent(pos)) == this : rect().contains(pos);
        const bool click = pressed_ && over_this;
        pressed_ = false;
        if (click)
            emit clicked();
    }
    event->accept();
}

ClickLabel* make_label(QWidget* parent, const window_look::LabelLook& look, const QString& caption, QRgb back,
    const QColor& foreground)
{
    auto* label = new ClickLabel(parent);
    label->setGeometry(look.box);
    label->setFont(window_look::label_font(look));
    label->setAlignment(look.alignment | Qt::AlignTop);
    label->setMargin(0);
    label->setIndent(0);
    label->setWordWrap(false);
    label->setTextFormat(Qt::PlainText);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(back));
    palette.setColor(QPalette::WindowText, foreground);
    label->setPalette(palette);
    label->setText(caption);
    return label;
}

}  // namespace spektrion
