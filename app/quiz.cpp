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
constexpr spektrion::ToolMessages kMessages(kProgram);
constexpr char kUsage[]
    = "Usage: spektrion-quiz [--seed S]\n"
      "Opens the quiz: ten questions on A-M-X spin systems, drawn at random, answered\n"
      "one by one, then the score.\n"
      "\n"
      "Options:\n"
      "  --seed S       the round that seed S names, a whole number from 0 to 4294967295:\n"
      "                 the same ten questions on every computer\n"
      "  -h, --help     print this help and exit\n"
      "  --version      print the version and exit\n";

// What the command line asks: the round's seed (a new one at every start unless
// `--seed S` is given, and then the same for everyone who gives it), or an answer to
// print. Anything else, a misspelt --seed or the toolkit's own options among it, is
// refused before any window: a teacher's typo must not give every student another round.
struct Request {
    std::uint32_t seed = 0;
    std::string answer;
};

std::optional<Request> parse(int argc, char** argv)
{
    spektrion::ToolCommandLine line(spektrion::tool_arguments(argc, argv), kMessages);
    std::optional<std::uint32_t> seed;
    const std::string expected = "a whole number from 0 to 4294967295";
    while (line.next()) {
        const QString& a = line.option();
        if (a != u"--seed" && !a.startsWith(u"--seed=")) {
            if (!line.common(kUsage, "spektrion-quiz " SPEKTRION_VERSION "\n", false))
                return std::nullopt;
            continue;
        }
        if (seed)
            return kMessages.refuse("--seed is given more than once; a round has one seed");
        if (a == u"--seed") {
            seed = line.value(spektrion::parse_seed, expected);
        } else {
            const std::string given = a.mid(7).toStdString();
            seed = spektrion::parse_seed(given);
            if (!seed)
                kMessages.usage_error("bad --seed '" + given + "': " + expected);
        }
        if (!seed)
            return std::nullopt;
    }
    return Request{seed ? *seed : std::random_device{}(), line.answer()};
}

}  // namespace

int main(int argc, char* argv[])
{
    const std::optional<Request> request = parse(argc, argv);
    if (!request)
        return 2;
    if (!request->answer.empty())
        return kMessages.print(request->answer) ? 0 : 1;
    return spektrion::run_window<spektrion::QuizWindow, kProgram>(argc, argv, request->seed);
}
