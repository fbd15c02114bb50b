// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "app/window_program.h"
#include "ui/form1.h"

namespace {

constexpr char kProgram[] = "spektrion";

}  // namespace

int main(int argc, char* argv[])
{
    return spektrion::run_window<spektrion::Form1, kProgram>(argc, argv);
}
