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
        const bool click = pressed_ && rect().contains(event->position().toPoint());
        pressed_ = false;
        if (click)
            emit clicked();
    }
    event->accept();
}

void ClickLabel::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    emit mouseMoved();
}

}  // namespace spektrion
