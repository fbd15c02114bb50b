// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "app/window_program.h"
#include "ui/form1.h"

namespace {

void startup_message_handler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    spektrion::window_startup_message("spektrion", type, context, message);
}

}  // namespace

int main(int argc, char* argv[])
{
    return spektrion::run_window<spektrion::Form1>("spektrion", argc, argv, startup_message_handler);
}
