// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "app/launch.h"

#include <QDirIterator>
#include <QFontDatabase>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace spektrion {

void register_embedded_fonts()
{
    QDirIterator faces(QStringLiteral(":/spektrion/fonts"), QDir::Files);
    while (faces.hasNext())
        QFontDatabase::addApplicationFont(faces.next());
}

ToolkitArguments::ToolkitArguments(int argc, char** argv, QByteArray platform)
    : name_(argc > 0 && argv[0] ? argv[0] : "spektrion")
    , platform_(std::move(platform))
{
    argv_.push_back(name_.data());
    if (!platform_.isEmpty()) {
        argv_.push_back(option_.data());
        argv_.push_back(platform_.data());
    }
    argc_ = int(argv_.size());
    argv_.push_back(nullptr);
}

QByteArray window_platform()
{
#ifdef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return "windows:fontengine=freetype";
#endif
    return {};
}

// While the application object is being made, a failure to reach a display is a
// qFatal that would abort with a core dump; say in one sentence what failed and leave
// instead. Where QT_QPA_PLATFORM names a display system other than X or Wayland, that
// system is what is missing; where a display is named, it is that display or the
// plug-in that reaches it; otherwise there is no display at all.
void window_startup_message(
    const char* program, QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg) {
        const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
        const QByteArray plugin = platform.split(';').constFirst().split(':').constFirst();
        const bool desktop = plugin.isEmpty() || plugin == "xcb" || plugin.startsWith("wayland");
        const QByteArray display
            = qgetenv("WAYLAND_DISPLAY").isEmpty() ? qgetenv("DISPLAY") : qgetenv("WAYLAND_DISPLAY");
        if (!desktop)
            std::fprintf(stderr,
                "%s: the display system '%s' that QT_QPA_PLATFORM asks for is not available; "
                "unset QT_QPA_PLATFORM to use the desktop's own.\n",
                program, platform.constData());
        else if (!display.isEmpty())
            std::fprintf(stderr,
                "%s: the window cannot be shown on the display '%s': it cannot be reached, or "
                "the toolkit's plug-in for it cannot start.\n",
                program, display.constData());
        else
            std::fprintf(stderr,
                "%s: there is no display to show the window on; start Spektrion from its menu "
                "entry or a terminal of a desktop session.\n",
                program);
        std::_Exit(1);
    }
    // The platform plugin's own complaints precede its fatal message; one sentence is enough.
    if (QByteArrayView(context.category).startsWith("qt.qpa"))
        return;
    std::fputs(qPrintable(qFormatLogMessage(type, context, message) + u'\n'), stderr);
}

// The toolkit takes any scale factor, and at 0 or "nan" shows no window and says
// nothing; such a setting is refused before it starts.
bool scale_factor_usable(const char* program)
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
        "%s: QT_SCALE_FACTOR='%s' is not a scale the window can be shown at; set a factor "
        "from %g to 8, or unset it.\n",
        program, setting.constData(), kSmallest);
    return false;
}

}  // namespace spektrion
