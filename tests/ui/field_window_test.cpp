// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "ui/field_window.h"
#include "ui/focus_text.h"
#include "ui/formula_button.h"

#include <QAccessible>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

namespace spektrion {
namespace {

// Each parameter moved by its slider and typed into its box: the other follows, the
// setting takes it, and the sentences say what the new Δν/J lets a student expect.
TEST(FieldWindowTest, SlidersBoxesAndPresetsSetTheSpectrum)
{
    FieldWindow window;
    struct Row {
        field::Parameter parameter;
        int slider;  // a slider position
        double value;  // what it stands for
        double typed;  // a value typed into the box
        int typed_slider;  // where the slider goes then
        double (*read)(const field::Setting&);
    };
    const Row rows[] = {
        {field::Parameter::Frequency, 80, 80.0, 600.0, 600, [](const field::Setting& s) { return s.mhz; }},
        {field::Parameter::ShiftA, 421, 4.21, 0.0, 0,
            [](const field::Setting& s) { return s.shifts_ppm[0]; }},
        {field::Parameter::ShiftX, 1000, 10.0, 1.25, 125,
            [](const field::Setting& s) { return s.shifts_ppm[2]; }},
        {field::Parameter::CouplingMX, 0, 0.0, 20.0, 200, [](const field::Setting& s) { return s.j_mx; }},
        {field::Parameter::Width, 1, 0.1, 5.0, 50, [](const field::Setting& s) { return s.width; }},
    };
    for (const Row& r : rows) {
        const FieldWindow::Control& c = window.control(r.parameter);
        c.slider->setValue(r.slider);
        EXPECT_DOUBLE_EQ(r.read(window.setting()), r.value) << int(r.parameter);
        EXPECT_DOUBLE_EQ(c.box->value(), r.value) << int(r.parameter);
        c.box->setValue(r.typed);
        EXPECT_DOUBLE_EQ(r.read(window.setting()), r.typed) << int(r.parameter);
        EXPECT_EQ(c.slider->value(), r.typed_slider) << int(r.parameter);
    }
    const QString first_order = window.sentences[0]->text();
    const QList<QPushButton*> presets = window.findChildren<QPushButton*>();
    const auto sixty
        = std::find_if(presets.begin(), presets.end(), [](QPushButton* b) { return b->text() == "60"; });
    ASSERT_NE(sixty, presets.end());
    QTest::mouseClick(*sixty, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(window.setting().mhz, 60.0);
    EXPECT_NE(window.sentences[0]->text(), first_order);
    EXPECT_EQ(window.picture->accessibleDescription(),
        window.sentences[0]->text() + ' ' + window.sentences[1]->text());

    // The formula as in the simulator, by the letter or its subscript: 2 → 3 → 1 → 2.
    for (const int expected : {3, 1, 2}) {
        QTest::mouseClick(expected == 1 ? window.subscripts[2] : window.letters[2], Qt::LeftButton);
        EXPECT_EQ(window.sizes()[2], expected);
        EXPECT_EQ(window.subscripts[2]->text(), expected > 1 ? QString::number(expected) : QString());
    }
}

// Typed as a student types, then Enter: the number typed is the number taken, a point
// read as the comma (as the keypad's key gives it); a number out of range is refused by
// showing the value it had again, never cut to another.
TEST(FieldWindowTest, ANumberTypedIsTheNumberTaken)
{
    FieldWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    struct Row {
        field::Parameter parameter;
        const char* typed;
        double value;
        const char* shown;
    };
    for (const Row& r : {Row{field::Parameter::CouplingMX, "2,5", 2.5, "2,5"},
             {field::Parameter::CouplingAM, "7,5", 7.5, "7,5"},
             {field::Parameter::ShiftA, "3,65", 3.65, "3,65"},
             {field::Parameter::CouplingAM, "1.5", 1.5, "1,5"},
             {field::Parameter::ShiftX, "3#05", 3.05, "3,05"},
             {field::Parameter::Frequency, "2000", 400.0, "400"},
             {field::Parameter::Width, "5,5", 0.5, "0,5"}}) {
        QLineEdit* editor = window.control(r.parameter).box->findChild<QLineEdit*>();
        editor->setFocus();
        editor->selectAll();
        for (const char* key = r.typed; *key; ++key) {
            if (*key == '#')  // the keypad's decimal key
                QTest::keyClick(editor, Qt::Key_Period, Qt::KeypadModifier);
            else
                QTest::keyClicks(editor, QString(QLatin1Char(*key)));
        }
        QTest::keyClick(editor, Qt::Key_Return);
        field::Setting setting = window.setting();
        EXPECT_DOUBLE_EQ(field::value_of(setting, r.parameter), r.value) << r.typed;
        EXPECT_EQ(editor->text(), QString::fromLatin1(r.shown)) << r.typed;
    }
    EXPECT_TRUE(window.sentences[0]->text().startsWith(QStringLiteral("A і M: Δν/J = 13. ")))
        << window.sentences[0]->text().toStdString();
}

// By the keyboard alone: Tab visits every control and both sentences, and a screen
// reader has a name for each stop.
TEST(FieldWindowTest, EveryStopOfTheKeyboardIsNamed)
{
    FieldWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QSet<QWidget*> visited;
    window.letters[0]->setFocus();
    for (QWidget* stop = QApplication::focusWidget(); stop && !visited.contains(stop);
         stop = QApplication::focusWidget()) {
        visited << stop;
        QAccessibleInterface* said = QAccessible::queryAccessibleInterface(stop);
        ASSERT_NE(said, nullptr);
        EXPECT_FALSE(said->text(QAccessible::Name).isEmpty()) << stop->metaObject()->className();
        QTest::keyClick(stop, Qt::Key_Tab);
    }
    QDoubleSpinBox* const width = window.control(field::Parameter::Width).box;
    for (QWidget* w : {static_cast<QWidget*>(window.letters[2]), window.picture,
             static_cast<QWidget*>(window.sentences[0]), static_cast<QWidget*>(window.sentences[1])})
        EXPECT_TRUE(visited.contains(w)) << w->metaObject()->className();
    EXPECT_TRUE(visited.contains(width) || visited.contains(width->findChild<QLineEdit*>()));
}

}  // namespace
}  // namespace spektrion
