// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

// The floor for start-up time and memory: a bare Qt window of the simulator's size
// holding one label with a Cyrillic text, and nothing else.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(792, 521);
    auto* label = new QLabel(QString::fromUtf8("Змодельований ПМР спектр"), &window);
    label->move(8, 492);
    window.show();
    return app.exec();
}
