// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

#include "app/launch.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <memory>
#include <utility>

#ifdef Q_OS_WASM
#include <emscripten/val.h>
#endif

namespace spektrion {

// Installed while program `Program`'s application object is made: says in one
// sentence, headed by the program's name, why a display cannot be reached.
template <const char* Program>
void startup_message(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    window_startup_message(Program, type, context, message);
}

// The life of window program `Program`, which takes no options: an unusable scale
// factor is refused; the application object is made with startup_message installed;
// the carried faces are registered; then the window `make()` returns is shown,
// centred, until it is closed.
template <const char* Program, typename Make>
int run_made_window(int argc, char** argv, Make make)
{
    const char* const program = Program;
#ifdef Q_OS_WASM
    // On a screen smaller than the window the page picks a smaller scale and leaves it
    // in spektrionScale; the toolkit takes it as a desktop's scale factor.
    const emscripten::val page_scale = emscripten::val::global("spektrionScale");
    if (page_scale.isNumber())
        qputenv("QT_SCALE_FACTOR", QByteArray::number(page_scale.as<double>(), 'g', 17));
#endif
    if (!scale_factor_usable(program))
        return 1;
    // The toolkit would read its own options from the command line (a title, a style
    // sheet file, a platform), so it is given only the program's name; the environment
    // a desktop sets (DISPLAY, QT_SCALE_FACTOR) still applies.
    ToolkitArguments toolkit(argc, argv, window_platform());
    qInstallMessageHandler(startup_message<Program>);
    QApplication app(toolkit.argc(), toolkit.argv());
    qInstallMessageHandler(nullptr);
    register_embedded_fonts();

    const std::unique_ptr<QWidget> window = make();
#ifdef Q_OS_WASM
    // In a browser the page around the canvas is the window's frame: the canvas is
    // exactly the window, with no title bar drawn inside it.
    window->setWindowFlag(Qt::FramelessWindowHint);
#endif
    window->setGeometry(QStyle::alignedRect(
        Qt::LeftToRight, Qt::AlignCenter, window->size(), window->screen()->availableGeometry()));
    window->show();
    return app.exec();
}

// run_made_window for a `Window` made from `args`.
template <typename Window, const char* Program, typename... Args>
int run_window(int argc, char** argv, Args&&... args)
{
    return run_made_window<Program>(
        argc, argv, [&] { return std::unique_ptr<QWidget>(new Window(std::forward<Args>(args)...)); });
}

}  // namespace spektrion
