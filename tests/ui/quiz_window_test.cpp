// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "model/quiz.h"
#include "model/state.h"
#include "tests/support/pixels.h"
#include "tests/support/spectrum.h"
#include "ui/canvas.h"
#include "ui/click_label.h"
#include "ui/focus_text.h"
#include "ui/form1.h"
#include "ui/formula_button.h"
#include "ui/quiz_window.h"
#include "ui/tree_band.h"
#include "words/words.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace spektrion {
namespace {

using quiz::Kind;

class QuizWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        // A round whose first tasks are A1 M2 X2, A2 M2 X2 and A2 M3 X1 (J(AM) < J(MX)).
        window = std::make_unique<QuizWindow>(48703u);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    QImage chart_shown() const
    {
        return window->chart->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    bool trees_drawn() const
    {
        const QImage band = window->trees->grab().toImage();
        return testing_pixels::count(band, band.rect(), 0xFFFFFFu) < band.width() * band.height();
    }

    // Clicks on the letter or its subscript, in turn, until the group has `size` (three
    // clicks at most reach any size; more find the clicks ignored).
    void set_by_clicks(Group group, int size)
    {
        const std::size_t i_group = std::size_t(index_of(group));
        for (int i = 0; i < 6 && window->answer().size(group) != size; ++i)
            QTest::mouseClick(i % 2 ? window->subscripts[i_group] : window->letters[i_group], Qt::LeftButton);
    }

    void answer_by_mouse(bool right)
    {
        const SpinState& s = window->task().system;
        if (window->task().kind == Kind::NameMultiplets) {
            for (int p = 0; p < 3; ++p) {
                const Group group = group_at(p);
                QComboBox* box = window->names[p];
                box->setCurrentIndex(
                    box->findText(QString::fromStdString(words::multiplet_name(quiz::right_name(s, group)))));
            }
            if (!right)
                window->names[1]->setCurrentIndex((window->names[1]->currentIndex() + 1) % 12);
        } else {
            set_by_clicks(Group::A, s.nA);
            set_by_clicks(Group::M, right ? s.nM : s.nM % 3 + 1);
            set_by_clicks(Group::X, s.nX);
            for (int i = 0; i < 3 && window->answer().order != s.order; ++i)
                QTest::mouseClick(window->order, Qt::LeftButton);
        }
    }

    std::unique_ptr<QuizWindow> window;
};

TEST_F(QuizWindowTest, ARoundIsAnsweredCheckedAndScored)
{
    for (int n = 1; n <= 10; ++n) {
        ASSERT_EQ(window->task_number(), n);
        EXPECT_EQ(window->heading->text(), QStringLiteral("Завдання %1 з 10").arg(n));
        EXPECT_EQ(window->names[0]->isVisible(), n % 2 == 1);
        EXPECT_FALSE(trees_drawn());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // nothing answered yet
        EXPECT_TRUE(window->verdict->text().isEmpty());
        const bool right = n != 3 && n != 6;
        answer_by_mouse(right);
        QTest::mouseClick(window->check_button, Qt::LeftButton);
        EXPECT_EQ(window->verdict->text(), right ? "Правильно." : "Неправильно.");
        EXPECT_EQ(window->explanation->text().isEmpty(), right);
        EXPECT_EQ(QApplication::focusWidget(), window->verdict);
        EXPECT_TRUE(trees_drawn());
        EXPECT_EQ(chart_shown().copy(1, 1, 777, 408),
            testing_spectrum::drawn(testing_spectrum::state(window->task().system)));
        QTest::mouseClick(window->next_button, Qt::LeftButton);
    }
    EXPECT_EQ(window->verdict->text(), "8 з 10");
    EXPECT_EQ(window->explanation->text(), "Помилки в завданнях 3 і 6.");
    // A second click where "Підсумок" was, or a second Enter, keeps the score in view.
    EXPECT_EQ(window->childAt(window->next_button->geometry().center()), nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(window->verdict->text(), "8 з 10");
    EXPECT_TRUE(window->again_button->isVisible());
    QTest::mouseClick(window->again_button, Qt::LeftButton);
    EXPECT_EQ(window->task_number(), 1);
    EXPECT_EQ(window->score(), 0);
    // The next round's summary names its own mistakes only.
    for (int n = 1; n <= 10; ++n) {
        answer_by_mouse(n != 4);
        QTest::mouseClick(window->check_button, Qt::LeftButton);
        QTest::mouseClick(window->next_button, Qt::LeftButton);
    }
    EXPECT_EQ(window->explanation->text(), "Помилка в завданні 4.");
}

TEST_F(QuizWindowTest, ClicksSetTheSystemWhileTheChartStaysUntilChecked)
{
    // The first task's formula (A1 M2 X2, J(AM) > J(MX)) as the simulator draws it.
    Form1 simulator;
    for (int i = 0; i < 2; ++i)
        QTest::mouseClick(simulator.LabH[0], Qt::LeftButton);  // 2 → 3 → 1
    const QRect formula(196, 8, 341, 37);
    EXPECT_TRUE(
        testing_pixels::same_pixels(window->grab(formula).toImage(), simulator.grab(formula).toImage()));
    answer_by_mouse(true);
    QTest::mouseClick(window->check_button, Qt::LeftButton);
    QTest::mouseClick(window->next_button, Qt::LeftButton);
    ASSERT_EQ(window->task().kind, Kind::WhichSystem);
    const QImage before = chart_shown();
    EXPECT_EQ(window->subscripts[0]->text(), "?");
    EXPECT_EQ(window->order->text(), "J(AM) ? J(MX)");
    const QString cycle[] = {"", "2", "3", ""};
    for (const QString& shown : cycle) {
        QTest::mouseClick(window->letters[0], Qt::LeftButton);
        EXPECT_EQ(window->subscripts[0]->text(), shown);
        EXPECT_EQ(chart_shown(), before);
    }
    QTest::mouseClick(window->subscripts[2], Qt::LeftButton);
    QTest::mouseClick(window->subscripts[2], Qt::LeftButton);
    EXPECT_EQ(window->answer().size(Group::X), 2);
    for (const char* shown : {"J(AM) > J(MX)", "J(AM) < J(MX)", "J(AM) > J(MX)"}) {
        QTest::mouseClick(window->order, Qt::LeftButton);
        EXPECT_EQ(window->order->text(), shown);
    }
    EXPECT_EQ(chart_shown(), before);
    EXPECT_FALSE(trees_drawn());
    QTest::mouseClick(window->check_button, Qt::LeftButton);
    EXPECT_EQ(chart_shown(), before);
    EXPECT_TRUE(trees_drawn());
}

TEST_F(QuizWindowTest, TheKeyboardAloneAnswersAndAScreenReaderFindsButtons)
{
    const auto key = [](Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); };
    EXPECT_EQ(QApplication::focusWidget(), window->heading);
    const SpinState s = window->task().system;
    // A1 M2 X2: under X a name a line short, the others right.
    for (int p = 0; p < 3; ++p) {
        key(Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), window->names[p]);
        const int wanted = window->names[p]->findText(p == 0
                ? QStringLiteral("дублет")
                : QString::fromStdString(words::multiplet_name(quiz::right_name(s, group_at(p)))));
        for (int i = 0; i <= wanted; ++i)
            key(Qt::Key_Down);
        EXPECT_EQ(window->names[p]->currentIndex(), wanted);
    }
    // On to the chart, the button and round again: no stop at a text not yet shown.
    for (QWidget* next : {static_cast<QWidget*>(window->chart), static_cast<QWidget*>(window->check_button),
             static_cast<QWidget*>(window->heading)}) {
        key(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next);
    }
    key(Qt::Key_Return);
    EXPECT_EQ(window->verdict->text(), "Неправильно.");
    EXPECT_EQ(window->explanation->text(),
        "Сигнал X, ваша відповідь — «дублет». X взаємодіє лише з M, і два протони M розщеплюють його сигнал "
        "на три лінії, це «триплет». Ліній завжди на одну більше, ніж протонів, тож два протони M дають три "
        "лінії, а не дві.");
    EXPECT_EQ(QApplication::focusWidget(), window->verdict);
    // A held Enter's repeats do nothing: the task stays in view.
    QKeyEvent held(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(window->verdict, &held);
    EXPECT_EQ(window->task_number(), 1);
    // The dotted frame round the focused text only; the explanation before "Далі".
    const QImage shown = window->grab().toImage();
    for (const FocusText* t : {window->verdict, window->explanation})
        EXPECT_EQ(testing_pixels::count(shown, QRect(t->x(), t->geometry().bottom(), t->width(), 1), 0u) > 0,
            t == window->verdict);
    key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window->explanation);
    key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window->next_button);
    key(Qt::Key_Return);
    ASSERT_EQ(window->task().kind, Kind::WhichSystem);
    const SpinState t = window->task().system;
    const int sizes[3] = {t.nA, t.nM, t.nX};
    for (int g = 0; g < 3; ++g) {
        key(Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), window->letters[g]);
        for (int i = 0; i < sizes[g]; ++i)
            key(Qt::Key_Space);
    }
    key(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), window->order);
    // The first press sets J(AM) > J(MX), the second J(AM) < J(MX).
    for (int i = 0; i <= (t.order == Order::AMLarger ? 0 : 1); ++i)
        key(Qt::Key_Space);
    for (QWidget* w : {static_cast<QWidget*>(window->letters[1]), static_cast<QWidget*>(window->order)}) {
        QAccessibleInterface* button = QAccessible::queryAccessibleInterface(w);
        EXPECT_EQ(button->role(), QAccessible::Button);
        EXPECT_TRUE(
            button->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
        EXPECT_FALSE(button->text(QAccessible::Name).isEmpty());
    }
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window->order)->text(QAccessible::Name),
        "J AM більша за J MX.");
    key(Qt::Key_Return);
    EXPECT_EQ(window->verdict->text(), "Правильно.");
    EXPECT_EQ(window->score(), 1);
    QAccessibleInterface* verdict = QAccessible::queryAccessibleInterface(window->verdict);
    EXPECT_EQ(verdict->role(), QAccessible::StaticText);
    EXPECT_EQ(verdict->text(QAccessible::Name), "Правильно.");
}

}  // namespace
}  // namespace spektrion
