// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

// The browser's one program: the simulator, the quiz or the spectrum at a field, as the
// page's address asks. "#quiz&seed=S" draws the round of seed S; "#field&…" opens the
// setting a link carries (field_link.h), and the address follows every change of it,
// so that copying it shares what is on the screen. The simulator reads no link.
#include "app/window_program.h"
#include "model/field_link.h"
#include "model/selection.h"
#include "ui/field_window.h"
#include "ui/form1.h"
#include "ui/quiz_window.h"
#include "words/words.h"

#include <emscripten/val.h>

#include <random>
#include <string>

namespace spektrion {
namespace {

constexpr char kProgram[] = "spektrion";

// One line under the page's menu, for a link that could not be read.
void notice(std::string_view text)
{
    emscripten::val::global("document")
        .call<emscripten::val>("getElementById", std::string("notice"))
        .set("textContent", std::string(text));
}

std::unique_ptr<QWidget> quiz_window(std::string_view rest)
{
    std::optional<std::uint32_t> seed;
    if (rest.starts_with("seed="))
        seed = parse_seed(rest.substr(5));
    if (!seed && !rest.empty())
        notice(words::kBadRoundLink);
    return std::make_unique<QuizWindow>(seed ? *seed : std::random_device{}());
}

std::unique_ptr<QWidget> field_window(std::string_view rest)
{
    std::optional<field::Link> link = field::parse_link(rest);
    if (!link)
        notice(words::kBadFieldLink);
    auto window = std::make_unique<FieldWindow>();
    const field::Link shown = link.value_or(field::Link{});
    window->show_setting(shown.sizes, shown.setting);
    FieldWindow* const w = window.get();
    QObject::connect(w, &FieldWindow::setting_changed, w, [w] {
        emscripten::val::global("history").call<void>("replaceState", emscripten::val::null(), std::string(),
            "#field&" + field::format_link({w->sizes(), w->setting()}));
    });
    // The address says at once what is shown, the defaults where the link was wrong.
    emit w->setting_changed();
    return window;
}

// The window the address names: "#quiz…", "#field…", anything else the simulator.
std::unique_ptr<QWidget> chosen_window()
{
    const std::string hash = emscripten::val::global("location")["hash"].as<std::string>();
    const std::string_view address = std::string_view(hash).substr(hash.empty() ? 0 : 1);
    const std::size_t and_at = address.find('&');
    const std::string_view name = address.substr(0, and_at);
    const std::string_view rest = and_at == std::string_view::npos ? std::string_view() : address.substr(and_at + 1);
    if (name == "quiz")
        return quiz_window(rest);
    if (name == "field")
        return field_window(rest);
    return std::make_unique<Form1>();
}

}  // namespace
}  // namespace spektrion

int main(int argc, char* argv[])
{
    return spektrion::run_made_window<spektrion::kProgram>(argc, argv, spektrion::chosen_window);
}
