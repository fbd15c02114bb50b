// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "form1.h"
#include "startup.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>

#include <cstdio>
#include <unistd.h>

namespace {

// While the application object is being made, a failure to reach a display is a
// qFatal that would abort with a core dump; say it in one sentence and leave instead.
void startup_message_handler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg) {
        std::fputs("spektrion: no display to show the window on; start it from a desktop session "
                   "or under a virtual X server, e.g. `xvfb-run make run`.\n",
            stderr);
        _exit(1);
    }
    // The platform plugin's own complaints precede its fatal message; one sentence is enough.
    if (QByteArrayView(context.category).startsWith("qt.qpa"))
        return;
    std::fputs(qPrintable(qFormatLogMessage(type, context, message) + u'\n'), stderr);
}

}  // namespace

int main(int argc, char* argv[])
{
    // The simulator takes no options. The toolkit would read its own from the command
    // line (a title, a style sheet file, a platform), so it is given only the program's
    // name; the environment a desktop sets (DISPLAY, QT_SCALE_FACTOR) still applies.
    char program_name[] = "spektrion";
    char* toolkit_argv[] = {argc > 0 && argv[0] ? argv[0] : program_name, nullptr};
    int toolkit_argc = 1;
#ifdef Q_OS_WIN
    // Windows' own text rendering differs from FreeType's; FreeType draws the carried
    // faces as on Linux, pixel for pixel. A setting of the user's own still wins.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
#endif
    qInstallMessageHandler(startup_message_handler);
    QApplication app(toolkit_argc, toolkit_argv);
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
