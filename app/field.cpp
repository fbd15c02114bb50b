// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "app/window_program.h"
#include "ui/field_window.h"

namespace {

void startup_message_handler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    spektrion::window_startup_message("spektrion-field", type, context, message);
}

}  // namespace

int main(int argc, char* argv[])
{
    return spektrion::run_window<spektrion::FieldWindow>(
        "spektrion-field", argc, argv, startup_message_handler);
}
