// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

// The browser's one program: the simulator, the quiz or the spectrum at a field, as the
// page's address asks. "#quiz&seed=S" draws the round of seed S; "#field&…" opens the
// setting a link carries (field_link.h), and the address follows every change of it,
// so that copying it shares what is on the screen. The simulator reads no link.
// Where the page is narrower than the quiz or the field window, it names a width
// (spektrionNarrow) and the window lays itself out in one column that wide; the page's
// canvas then follows the window's height, and a new width the page names
// (spektrionNarrowTo) lays it out again.
#include "app/window_program.h"
#include "model/field_link.h"
#include "model/selection.h"
#include "ui/field_window.h"
#include "ui/form1.h"
#include "ui/quiz_window.h"
#include "words/words.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <optional>
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

// The width the page asks a window to lay itself out in, where it is narrow.
std::optional<int> narrow_width()
{
    const emscripten::val width = emscripten::val::global("spektrionNarrow");
    if (!width.isNumber())
        return {};
    return width.as<int>();
}

// Tells the page each new height of a narrow window, so that its canvas is as tall.
// The browser's platform makes a new window as tall as the canvas it finds; a window
// takes its own height back at once.
class PageFit : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize) {
            auto* window = static_cast<QWidget*>(watched);
            const int wanted = window->minimumHeight();
            if (window->height() == wanted)
                emscripten::val::global("spektrionFit")(wanted);
            else
                QTimer::singleShot(
                    0, window, [window] { window->resize(window->width(), window->minimumHeight()); });
        }
        return QObject::eventFilter(watched, event);
    }
};

// The page grew or shrank but stays narrow (a phone turned): the window lays itself out
// again at the new width, keeping what it shows.
void narrow_to(int width)
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->metaObject()->indexOfSlot("set_narrow_width(int)") >= 0)
            QMetaObject::invokeMethod(window, "set_narrow_width", Q_ARG(int, width));
}

EMSCRIPTEN_BINDINGS(spektrion_page)
{
    emscripten::function("spektrionNarrowTo", &narrow_to);
}

template <typename Window> std::unique_ptr<Window> fitted(std::unique_ptr<Window> window)
{
    if (narrow_width())
        window->installEventFilter(new PageFit(window.get()));
    return window;
}

std::unique_ptr<QWidget> quiz_window(std::string_view rest)
{
    std::optional<std::uint32_t> seed;
    if (rest.starts_with("seed="))
        seed = parse_seed(rest.substr(5));
    if (!seed && !rest.empty())
        notice(words::kBadRoundLink);
    return fitted(std::make_unique<QuizWindow>(seed ? *seed : std::random_device{}(), narrow_width()));
}

std::unique_ptr<QWidget> field_window(std::string_view rest)
{
    std::optional<field::Link> link = field::parse_link(rest);
    if (!link)
        notice(words::kBadFieldLink);
    auto window = fitted(std::make_unique<FieldWindow>(narrow_width()));
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
    const std::string_view rest
        = and_at == std::string_view::npos ? std::string_view() : address.substr(and_at + 1);
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
