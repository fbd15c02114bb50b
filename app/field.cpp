// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "app/tool.h"
#include "app/window_program.h"
#include "ui/field_window.h"

namespace {

constexpr char kProgram[] = "spektrion-field";
constexpr spektrion::ToolMessages kMessages(kProgram);
constexpr char kUsage[] = "Usage: spektrion-field\n"
                          "Opens the exact proton NMR spectrum of an A-M-X system at a chosen spectrometer\n"
                          "frequency, beside the first-order prediction from the same shifts and constants.\n"
                          "\n"
                          "Options:\n"
                          "  -h, --help     print this help and exit\n"
                          "  --version      print the version and exit\n";

}  // namespace

int main(int argc, char* argv[])
{
    // The window takes no options: anything given is refused before any window, so
    // that a mistaken option is heard of rather than passed over.
    spektrion::ToolCommandLine line(spektrion::tool_arguments(argc, argv), kMessages);
    while (line.next())
        if (!line.common(kUsage, "spektrion-field " SPEKTRION_VERSION "\n", false))
            return 2;
    if (!line.answer().empty())
        return kMessages.print(line.answer()) ? 0 : 1;
    return spektrion::run_window<spektrion::FieldWindow, kProgram>(argc, argv);
}
