// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "ui/form1.h"
#include "app/startup.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>

#ifdef Q_OS_WASM
#include <emscripten/val.h>
#endif

namespace {

void startup_message_handler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    spektrion::window_startup_message("spektrion", type, context, message);
}

}  // namespace

int main(int argc, char* argv[])
{
#ifdef Q_OS_WASM
    // On a screen smaller than the window the page picks a smaller scale and leaves it
    // in spektrionScale; the toolkit takes it as a desktop's scale factor.
    const emscripten::val page_scale = emscripten::val::global("spektrionScale");
    if (page_scale.isNumber())
        qputenv("QT_SCALE_FACTOR", QByteArray::number(page_scale.as<double>(), 'g', 17));
#endif
    if (!spektrion::scale_factor_usable("spektrion"))
        return 1;
    // The simulator takes no options. The toolkit would read its own from the command
    // line (a title, a style sheet file, a platform), so it is given only the program's
    // name; the environment a desktop sets (DISPLAY, QT_SCALE_FACTOR) still applies.
    spektrion::ToolkitArguments toolkit(argc, argv, spektrion::window_platform());
    qInstallMessageHandler(startup_message_handler);
    QApplication app(toolkit.argc(), toolkit.argv());
    qInstallMessageHandler(nullptr);
    spektrion::register_embedded_fonts();

    spektrion::Form1 window;
#ifdef Q_OS_WASM
    // In a browser the page around the canvas is the window's frame: the canvas is
    // exactly the window, with no title bar drawn inside it.
    window.setWindowFlag(Qt::FramelessWindowHint);
#endif
    window.setGeometry(QStyle::alignedRect(
        Qt::LeftToRight, Qt::AlignCenter, window.size(), window.screen()->availableGeometry()));
    window.show();
    return app.exec();
}
