// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "startup.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFontDatabase>

#include <cstdio>
#include <cstdlib>

namespace spektrion {
namespace {

void quiet_message_handler(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtFatalMsg)
        return;
    const QString tool = QCoreApplication::instance() ? QCoreApplication::applicationName() : QString();
    std::fprintf(stderr, "%s: %s\n", tool.isEmpty() ? "spektrion" : qPrintable(tool), qPrintable(message));
    std::_Exit(1);
}

}  // namespace

void register_embedded_fonts()
{
    QDirIterator faces(QStringLiteral(":/spektrion/fonts"), QDir::Files);
    while (faces.hasNext())
        QFontDatabase::addApplicationFont(faces.next());
}

void prepare_command_line_tool()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quiet_message_handler);
}

}  // namespace spektrion
