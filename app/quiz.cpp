// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "ui/quiz_window.h"
#include "app/startup.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>

#include <random>

namespace {

void startup_message_handler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    spektrion::window_startup_message("spektrion-quiz", type, context, message);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (!spektrion::scale_factor_usable("spektrion-quiz"))
        return 1;
    // Like the simulator, the quiz takes no options and the toolkit none of its own.
    spektrion::ToolkitArguments toolkit(argc, argv, spektrion::window_platform());
    qInstallMessageHandler(startup_message_handler);
    QApplication app(toolkit.argc(), toolkit.argv());
    qInstallMessageHandler(nullptr);
    spektrion::register_embedded_fonts();

    // A new round at every start: nothing is saved between runs.
    spektrion::QuizWindow window(std::random_device{}());
#ifdef Q_OS_WASM
    window.setWindowFlag(Qt::FramelessWindowHint);
#endif
    window.setGeometry(QStyle::alignedRect(
        Qt::LeftToRight, Qt::AlignCenter, window.size(), window.screen()->availableGeometry()));
    window.show();
    return app.exec();
}
