// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "app/window_program.h"
#include "ui/quiz_window.h"

#include <random>

namespace {

constexpr char kProgram[] = "spektrion-quiz";

}  // namespace

int main(int argc, char* argv[])
{
    // A new round at every start: nothing is saved between runs.
    return spektrion::run_window<spektrion::QuizWindow, kProgram>(argc, argv, std::random_device{}());
}
