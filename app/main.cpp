// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "form1.h"
#include "startup.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>

#include <cmath>
#include <cstdio>
#include <unistd.h>

#ifdef Q_OS_WASM
#include <emscripten/val.h>
#endif

namespace {

// While the application object is being made, a failure to reach a display is a
// qFatal that would abort with a core dump; say in one sentence what failed and leave
// instead. Where QT_QPA_PLATFORM names a display system other than X or Wayland, that
// system is what is missing; where a display is named, it is that display or the
// plug-in that reaches it; otherwise there is no display at all.
void startup_message_handler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg) {
        const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
        const QByteArray plugin = platform.split(';').constFirst().split(':').constFirst();
        const bool desktop = plugin.isEmpty() || plugin == "xcb" || plugin.startsWith("wayland");
        const QByteArray display
            = qgetenv("WAYLAND_DISPLAY").isEmpty() ? qgetenv("DISPLAY") : qgetenv("WAYLAND_DISPLAY");
        if (!desktop)
            std::fprintf(stderr,
                "spektrion: the display system '%s' that QT_QPA_PLATFORM asks for is not available; "
                "unset QT_QPA_PLATFORM to use the desktop's own.\n",
                platform.constData());
        else if (!display.isEmpty())
            std::fprintf(stderr,
                "spektrion: the window cannot be shown on the display '%s': it cannot be reached, or "
                "the toolkit's plug-in for it cannot start.\n",
                display.constData());
        else
            std::fputs("spektrion: there is no display to show the window on; start Spektrion from "
                       "its menu entry or a terminal of a desktop session.\n",
                stderr);
        _exit(1);
    }
    // The platform plugin's own complaints precede its fatal message; one sentence is enough.
    if (QByteArrayView(context.category).startsWith("qt.qpa"))
        return;
    std::fputs(qPrintable(qFormatLogMessage(type, context, message) + u'\n'), stderr);
}

// The toolkit takes any scale factor, and at 0 or "nan" shows no window and says
// nothing; such a setting is refused before it starts.
bool scale_factor_usable()
{
    const QByteArray setting = qgetenv("QT_SCALE_FACTOR");
    if (setting.isEmpty())
        return true;
    bool ok = false;
    const double factor = setting.toDouble(&ok);
#ifdef Q_OS_WASM
    // The page shrinks the window to a phone's width, to a little under half its size.
    constexpr double kSmallest = 0.25;
#else
    constexpr double kSmallest = 0.5;
#endif
    if (ok && std::isfinite(factor) && factor >= kSmallest && factor <= 8.0)
        return true;
    std::fprintf(stderr,
        "spektrion: QT_SCALE_FACTOR='%s' is not a scale the window can be shown at; set a factor "
        "from %g to 8, or unset it.\n",
        setting.constData(), kSmallest);
    return false;
}

}  // namespace

int main(int argc, char* argv[])
{
#ifdef Q_OS_WASM
    // On a screen narrower than the window the page picks a smaller scale and leaves it
    // in spektrionScale; the toolkit takes it as a desktop's scale factor.
    const emscripten::val page_scale = emscripten::val::global("spektrionScale");
    if (page_scale.isNumber())
        qputenv("QT_SCALE_FACTOR", QByteArray::number(page_scale.as<double>(), 'g', 17));
#endif
    if (!scale_factor_usable())
        return 1;
    // The simulator takes no options. The toolkit would read its own from the command
    // line (a title, a style sheet file, a platform), so it is given only the program's
    // name; the environment a desktop sets (DISPLAY, QT_SCALE_FACTOR) still applies.
    QByteArray platform;
#ifdef Q_OS_WIN
    // Windows' own text rendering differs from FreeType's; FreeType draws the carried
    // faces as on Linux, pixel for pixel. A setting of the user's own still wins.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        platform = "windows:fontengine=freetype";
#endif
    spektrion::ToolkitArguments toolkit(argc, argv, platform);
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
