// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "app/window_program.h"
#include "ui/quiz_window.h"

#include <random>

namespace {

void startup_message_handler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    spektrion::window_startup_message("spektrion-quiz", type, context, message);
}

}  // namespace

int main(int argc, char* argv[])
{
    // A new round at every start: nothing is saved between runs.
    return spektrion::run_window<spektrion::QuizWindow>(
        "spektrion-quiz", argc, argv, startup_message_handler, std::random_device{}());
}
