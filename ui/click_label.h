#pragma once

#include <QLabel>

namespace spektrion {

// A text label of the window. It reports a click (left press and release on the
// label) and every pointer move over it, and it swallows the moves itself: a label
// without a hover handler must leave the help bar alone rather than pass the move on
// to the window's background handler.
class ClickLabel : public QLabel {
    Q_OBJECT

public:
    explicit ClickLabel(QWidget* parent = nullptr);

signals:
    void clicked();
    void mouseMoved();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

}  // namespace spektrion
