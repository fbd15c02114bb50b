// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "app/tool.h"
#include "app/window_program.h"
#include "model/selection.h"
#include "ui/quiz_window.h"

#include <algorithm>
#include <optional>
#include <random>

namespace {

constexpr char kProgram[] = "spektrion-quiz";

// The round a seed draws: a new one at every start unless `--seed S` is given, and
// then the same for everyone who gives it (nothing is saved between runs). Every other
// argument is passed over, as the simulator passes over the toolkit's options.
std::optional<std::uint32_t> chosen_seed(int argc, char** argv)
{
    const std::vector<QByteArray> args = spektrion::tool_arguments(argc, argv);
    const auto option = std::find(args.begin(), args.end(), QByteArrayLiteral("--seed"));
    if (option == args.end())
        return std::random_device{}();
    const std::optional<std::uint32_t> seed
        = option + 1 != args.end() ? spektrion::parse_seed(option[1].toStdString()) : std::nullopt;
    if (!seed)
        spektrion::ToolMessages(kProgram).error("--seed takes a whole number from 0 to 4294967295");
    return seed;
}

}  // namespace

int main(int argc, char* argv[])
{
    const std::optional<std::uint32_t> seed = chosen_seed(argc, argv);
    if (!seed)
        return 2;
    return spektrion::run_window<spektrion::QuizWindow, kProgram>(argc, argv, *seed);
}
