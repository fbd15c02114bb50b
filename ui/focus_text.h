// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QWidget>

namespace spektrion {

// A plain text, wrapped at word boundaries, that the keyboard and a screen reader can
// stop at while it says something: a screen reader hears its accessible name when the
// focus comes to it, and a dotted frame shows the focus. A focusable QLabel would do
// the same, but it keeps a whole text document for every such label (to let the
// keyboard select its text), which cost the quiz a tenth of its start-up. Placed by
// its box, or in a layout as tall as its text wraps to.
class FocusText : public QWidget {
    Q_OBJECT

public:
    FocusText(const QRect& box, QWidget* parent);

    const QString& text() const { return text_; }
    void setText(const QString& text);
    void clear() { setText(QString()); }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
};

}  // namespace spektrion
