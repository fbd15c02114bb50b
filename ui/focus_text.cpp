// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "ui/focus_text.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>
#include <QStyle>

namespace spektrion {
namespace {

// A label, as a screen reader knows it: named by its text unless given a name.
class AccessibleText : public QAccessibleWidget {
public:
    explicit AccessibleText(FocusText* text)
        : QAccessibleWidget(text, QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        QString s = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && s.isEmpty())
            s = static_cast<const FocusText*>(widget())->text();
        return s;
    }
};

QAccessibleInterface* accessible_text(const QString& class_name, QObject* object)
{
    if (class_name != QLatin1String(FocusText::staticMetaObject.className()))
        return nullptr;
    return new AccessibleText(static_cast<FocusText*>(object));
}

// The text keeps clear of the frame, and a little more on the right: the unsmoothed
// face's glyphs may reach past the width the wrapping measured.
constexpr QMargins kPadding(1, 1, 7, 1);

}  // namespace

FocusText::FocusText(const QRect& box, QWidget* parent)
    : QWidget(parent)
{
    // Installed once: the toolkit passes over a factory it already has.
    QAccessible::installFactory(accessible_text);
    setGeometry(box);
}

void FocusText::setText(const QString& text)
{
    if (text == text_)
        return;
    text_ = text;
    setFocusPolicy(text_.isEmpty() ? Qt::NoFocus : Qt::StrongFocus);
    updateGeometry();
    update();
    if (accessibleName().isEmpty() && QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

int FocusText::heightForWidth(int width) const
{
    if (text_.isEmpty())
        return 0;
    const QRect room(0, 0, width - kPadding.left() - kPadding.right(), QWIDGETSIZE_MAX);
    return fontMetrics().boundingRect(room, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text_).height()
        + kPadding.top() + kPadding.bottom();
}

QSize FocusText::sizeHint() const
{
    // Before a layout has given it a width, a line of some forty characters.
    const int across = width() > 0 ? width() : fontMetrics().averageCharWidth() * 40;
    return {across, heightForWidth(across)};
}

void FocusText::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    style()->drawItemText(&painter, rect() - kPadding, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
        palette(), isEnabled(), text_, QPalette::WindowText);
    if (hasFocus()) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

}  // namespace spektrion
