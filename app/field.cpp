// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "app/window_program.h"
#include "ui/field_window.h"

namespace {

constexpr char kProgram[] = "spektrion-field";

}  // namespace

int main(int argc, char* argv[])
{
    return spektrion::run_window<spektrion::FieldWindow, kProgram>(argc, argv);
}
