// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

// spektrion-worksheet: a printable A4 worksheet (PDF) of spin systems to work out by
// hand, with an answer key, or the same tasks as a question bank for a course (Moodle
// XML): the tasks chosen from the command line, the file's name choosing which, written
// whole or not at all.
#include "display/worksheet.h"
#include "app/tool.h"
#include "display/question_bank.h"
#include "model/selection.h"
#include "model/state.h"

#include <QBuffer>
#include <QGuiApplication>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace spektrion {
namespace {

constexpr char kUsage[]
    = "Usage: spektrion-worksheet [--count N] [--seed S] [--system A,M,X,ORDER]... [--all]\n"
      "                           -o FILE.pdf|FILE.xml\n"
      "Writes a printable A4 worksheet of A-M-X spin systems to work out by hand: for\n"
      "each, the formula, an empty chart and lines for the multiplet names; then an\n"
      "answer key with the spectra, their splitting trees and the spectra in words.\n"
      "Or, to FILE.xml, a question bank in Moodle XML for a course: for each spin system\n"
      "a question of each of the quiz's kinds, with drop-downs, the quiz's explanation\n"
      "of every wrong choice and the answer with its pictures.\n"
      "\n"
      "Options:\n"
      "  --count N      N different spin systems chosen at random, 1 to 54 (default 6)\n"
      "  --seed S       the choice made from seed S, a whole number (default 1): the same\n"
      "                 seed gives the same worksheet\n"
      "  --system A,M,X,ORDER\n"
      "                 a spin system of your own instead: protons in A, M and X (1 to 3)\n"
      "                 and '>' for J(AM) > J(MX) or '<' for J(AM) < J(MX); repeat it for\n"
      "                 more tasks, in the order given\n"
      "  --all          all 54 spin systems, in order (108 questions in a bank)\n"
      "  -o FILE.pdf    where to write the worksheet\n"
      "  -o FILE.xml    where to write the question bank instead\n"
      "  -h, --help     print this help and exit\n"
      "  --version      print the version and exit\n";

struct Request {
    std::string answer;  // set for --help and --version
    std::vector<SpinState> tasks;
    QByteArray output;  // the file name's bytes, as given
    bool bank = false;  // a question bank rather than a worksheet
};

constexpr ToolMessages kMessages("spektrion-worksheet");

std::optional<int> read_count(const std::string& given)
{
    bool ok = false;
    const int n = QString::fromStdString(given).toInt(&ok);
    return ok && n >= 1 && n <= kStates ? std::optional(n) : std::nullopt;
}

std::optional<Request> parse(const std::vector<QByteArray>& raw)
{
    ToolCommandLine line(raw, kMessages);
    Request r;
    std::optional<int> count;
    std::optional<std::uint32_t> seed;
    bool all = false;
    while (line.next()) {
        const QString& a = line.option();
        if (a == u"--count") {
            count = line.value(read_count, "a number of tasks from 1 to 54");
            if (!count)
                return std::nullopt;
        } else if (a == u"--seed") {
            seed = line.value(parse_seed, "a whole number from 0 to 4294967295");
            if (!seed)
                return std::nullopt;
        } else if (a == u"--system") {
            const std::string given = line.following();
            const std::optional<SpinState> task = line.value(parse_state,
                "three numbers 1 to 3 and '>' or '<', as " + format_state({3, 1, 2, Order::MXLarger}));
            if (!task)
                return std::nullopt;
            if (std::find(r.tasks.begin(), r.tasks.end(), *task) != r.tasks.end())
                return kMessages.refuse(
                    "--system " + given + " is given twice; every task is a different spin system");
            r.tasks.push_back(*task);
        } else if (a == u"--all") {
            all = true;
        } else if (!line.common(kUsage, "spektrion-worksheet " SPEKTRION_VERSION "\n")) {
            return std::nullopt;
        }
    }
    r.answer = line.answer();
    r.output = line.output();
    if (!r.answer.empty())
        return r;
    if (int(count.has_value()) + int(!r.tasks.empty()) + int(all) > 1)
        return kMessages.refuse("--count, --system and --all each choose the tasks; give one of them");
    // A seed draws tasks at random: beside the tasks given it would choose nothing.
    if (seed && (all || !r.tasks.empty()))
        return kMessages.refuse(
            "--seed draws the tasks at random; --system and --all choose them themselves");
    if (r.output.isEmpty())
        return kMessages.refuse("missing -o FILE.pdf or -o FILE.xml");
    r.bank = r.output.toLower().endsWith(".xml");
    if (!r.bank && !r.output.toLower().endsWith(".pdf"))
        return kMessages.refuse("bad -o '" + r.output.toStdString()
            + "': name it *.pdf for a worksheet or *.xml for a question bank");
    if (all) {
        const std::array<SpinState, kStates> states = all_states();
        r.tasks.assign(states.begin(), states.end());
    } else if (r.tasks.empty()) {
        r.tasks = random_states(count.value_or(6), seed.value_or(1));
    }
    return r;
}

}  // namespace
}  // namespace spektrion

int main(int argc, char** argv)
{
    using namespace spektrion;
    prepare_command_line_tool();
    ToolkitArguments toolkit(argc, argv);
    QGuiApplication app(toolkit.argc(), toolkit.argv());
    register_embedded_fonts();
    const std::optional<Request> request = parse(tool_arguments(argc, argv));
    if (!request)
        return 2;
    if (!request->answer.empty())
        return kMessages.print(request->answer) ? 0 : 1;
    // Made whole in memory first, then written beside the target and moved into
    // place: a failure leaves no partial file and any old one as it was.
    if (request->bank)
        return write_output(kMessages, request->output, question_bank(request->tasks)) ? 0 : 1;
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    if (!write_worksheet(request->tasks, QStringLiteral("spektrion-worksheet " SPEKTRION_VERSION), pdf)) {
        kMessages.error("cannot write '" + request->output.toStdString() + "': no PDF was made");
        return 1;
    }
    return write_output(kMessages, request->output, pdf.data()) ? 0 : 1;
}
