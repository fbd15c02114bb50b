// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

// Where a finger finds the controls of a narrow window, in window pixels, for the
// browser test that taps them there. Usage:
//   narrow_places quiz SEED WIDTH PNG   the round of SEED played through, every task
//                                       answered right by clicks on the places
//                                       printed; the window with its score to PNG
//   narrow_places field WIDTH           the frequency's slider
// Prints JSON; exits 1 if the round does not come out ten of ten.
#include "model/quiz.h"
#include "model/selection.h"
#include "ui/field_window.h"
#include "ui/formula_button.h"
#include "ui/quiz_window.h"
#include "words/words.h"

#include <QApplication>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <string>

using namespace spektrion;

namespace {

QJsonArray centre(const QWidget* w)
{
    const QPoint c = w->mapTo(w->window(), w->rect().center());
    return {c.x(), c.y()};
}

template <typename Widgets> QJsonArray centres(const Widgets& widgets)
{
    QJsonArray all;
    for (const QWidget* w : widgets)
        all.append(centre(w));
    return all;
}

int play_round(std::uint32_t seed, int width, const QString& picture)
{
    QuizWindow window(seed, width);
    window.show();
    // Active, as the page's window is, so that the focus shows.
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        return 2;
    const auto listed = quiz::multiplet_names();
    QJsonArray tasks;
    for (int n = 0; n < quiz::kRoundLength; ++n) {
        const SpinState truth = window.task().system;
        const bool naming = window.task().kind == quiz::Kind::NameMultiplets;
        QJsonObject task{{"kind", naming ? "names" : "system"}, {"letters", centres(window.letters)},
            {"order", centre(window.order)}, {"names", centres(window.names)},
            {"check", centre(window.check_button)}};
        if (naming) {
            QJsonArray choices;
            for (int p = 0; p < 3; ++p) {
                const MultipletName right = quiz::right_name(truth, group_at(p));
                const int k = int(std::find(listed.begin(), listed.end(), right) - listed.begin());
                choices.append(k);
                window.names[std::size_t(p)]->setCurrentIndex(k);
            }
            task["choices"] = choices;
        } else {
            // From nothing chosen, a click makes a group 1, 2, 3, and the order first
            // J(AM) > J(MX), then the other.
            QJsonArray clicks;
            for (const Group g : kGroups) {
                clicks.append(truth.size(g));
                for (int c = 0; c < truth.size(g); ++c)
                    QTest::mouseClick(window.letters[std::size_t(index_of(g))], Qt::LeftButton);
            }
            const int order_clicks = truth.order == Order::AMLarger ? 1 : 2;
            for (int c = 0; c < order_clicks; ++c)
                QTest::mouseClick(window.order, Qt::LeftButton);
            task["clicks"] = clicks;
            task["order_clicks"] = order_clicks;
        }
        QTest::mouseClick(window.check_button, Qt::LeftButton);
        // What the check reveals stands above the buttons.
        task["next"] = centre(window.next_button);
        QTest::mouseClick(window.next_button, Qt::LeftButton);
        tasks.append(task);
    }
    const QJsonObject round{{"tasks", tasks}, {"again", centre(window.again_button)},
        {"score", QString::fromStdString(words::score(window.score(), quiz::kRoundLength))}};
    std::puts(QJsonDocument(round).toJson(QJsonDocument::Compact).constData());
    if (!window.grab().save(picture))
        return 2;
    return window.score() == quiz::kRoundLength ? 0 : 1;
}

int field_places(int width)
{
    FieldWindow window(width);
    window.show();
    const QSlider* slider = window.control(field::Parameter::Frequency).slider;
    const QPoint left = slider->mapTo(&window, QPoint(0, slider->height() / 2));
    const QJsonObject places{{"slider", QJsonArray{left.x(), left.y(), slider->width()}},
        {"letter_a", centre(window.letters[std::size_t(index_of(Group::A))])}, {"height", window.height()}};
    std::puts(QJsonDocument(places).toJson(QJsonDocument::Compact).constData());
    return 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() == 5 && args[1] == QLatin1String("quiz")) {
        const std::optional<std::uint32_t> seed = parse_seed(args[2].toStdString());
        return seed ? play_round(*seed, args[3].toInt(), args[4]) : 2;
    }
    if (args.size() == 3 && args[1] == QLatin1String("field"))
        return field_places(args[2].toInt());
    std::fputs("usage: narrow_places quiz SEED WIDTH PNG | field WIDTH\n", stderr);
    return 2;
}
