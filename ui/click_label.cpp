// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "click_label.h"

#include <QMouseEvent>

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

}  // namespace spektrion
