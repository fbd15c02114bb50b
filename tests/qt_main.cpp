// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

// Entry point of the test programs that need a Qt application: on the offscreen
// platform unless the environment chose one. The display's tests get a Gui-only one.
#ifdef SPEKTRION_GUI_ONLY
#include <QGuiApplication>
using Application = QGuiApplication;
#else
#include <QApplication>
using Application = QApplication;
#endif

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
