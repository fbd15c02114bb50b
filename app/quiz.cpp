// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "app/tool.h"
#include "app/window_program.h"
#include "model/selection.h"
#include "ui/quiz_window.h"

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
    std::vector<QByteArray> given;  // the value of every --seed S or --seed=S
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--seed")
            given.push_back(i + 1 < args.size() ? args[++i] : QByteArray());
        else if (args[i].startsWith("--seed="))
            given.push_back(args[i].mid(7));
    }
    if (given.empty())
        return std::random_device{}();
    const std::optional<std::uint32_t> seed
        = given.size() == 1 ? spektrion::parse_seed(given[0].toStdString()) : std::nullopt;
    if (!seed)
        spektrion::ToolMessages(kProgram).error(given.size() == 1
                ? "bad --seed '" + given[0].toStdString() + "': a whole number from 0 to 4294967295"
                : std::string("--seed is given more than once; a round has one seed"));
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
