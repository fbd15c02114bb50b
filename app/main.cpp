#include "form1.h"

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
    qInstallMessageHandler(startup_message_handler);
    QApplication app(argc, argv);
    qInstallMessageHandler(nullptr);

    spektrion::Form1 window;
    window.setGeometry(QStyle::alignedRect(
        Qt::LeftToRight, Qt::AlignCenter, window.size(), window.screen()->availableGeometry()));
    window.show();
    return app.exec();
}
