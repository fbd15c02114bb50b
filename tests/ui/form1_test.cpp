// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "model/quiz.h"
#include "model/spectrum.h"
#include "tests/support/pixels.h"
#include "tests/support/spectrum.h"
#include "ui/canvas.h"
#include "ui/click_label.h"
#include "ui/form1.h"
#include "words/words.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace spektrion {
namespace {

using namespace testing_pixels;
using namespace testing_spectrum;

const QString kHelpLabel1
    = QString::fromUtf8(" Константи спін-спінової взаємодії. Клікніть, щоб змінити нерівність");
const QString kHelpLabH = QString::fromUtf8(" Кількість протонів (1-3) в даній групі. Клікніть, щоб змінити");
const QString kHelpPicture1 = QString::fromUtf8(" Змодельований ПМР спектр");

class Form1Test : public testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<Form1>();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        // The toolkit drops a move to where the pointer already is, and every test's
        // window lies at the same place: start from a corner no test moves to.
        QTest::mouseMove(form.get(), QPoint(790, 2));
    }

    void click(QWidget* w, Qt::MouseButton button = Qt::LeftButton) { QTest::mouseClick(w, button); }

    std::vector<QString> subscripts() const
    {
        return {form->LabN[0]->text(), form->LabN[1]->text(), form->LabN[2]->text()};
    }

    std::vector<int> sizes() const { return {form->model().nA, form->model().nM, form->model().nX}; }

    QImage chart_shown() const
    {
        return form->Picture1->grab().toImage().convertToFormat(QImage::Format_RGB32).copy(1, 1, 777, 408);
    }

    // The table, the chart as drawn and as shown, and every caption match the state.
    void expect_shows_its_state() const
    {
        const SpinSystem& m = form->model();
        SpinSystem fresh = state(m.nA, m.nM, m.nX, m.znak_J);
        fresh.calculate();
        EXPECT_EQ(m.spektr, fresh.spektr);
        const QImage expected = drawn(fresh);
        EXPECT_EQ(form->Picture1->surface().image(), expected);
        EXPECT_EQ(chart_shown(), expected);
        const int group_sizes[3] = {m.nA, m.nM, m.nX};
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(
                form->LabN[i]->text(), group_sizes[i] > 1 ? QString::number(group_sizes[i]) : QString());
        EXPECT_EQ(form->Label1->text(), QString::fromUtf8(m.znak_J == 0 ? "J(AM) > J(MX)" : "J(AM) < J(MX)"));
        const QString outer = QString::fromStdString(words::multiplet_name({m.nM}));
        EXPECT_EQ(form->Lab_syg[0]->text(), outer);
        EXPECT_EQ(form->Lab_syg[2]->text(), outer);
        EXPECT_EQ(form->Lab_syg[1]->text(),
            QString::fromStdString(words::multiplet_name(quiz::right_name(m.state(), Group::M))));
    }

    std::unique_ptr<Form1> form;
};

TEST_F(Form1Test, StartsWithTheDefaultsAndTheirCaptions)
{
    EXPECT_EQ(sizes(), (std::vector<int>{2, 2, 2}));
    EXPECT_EQ(form->model().znak_J, 0);
    EXPECT_EQ(form->windowTitle(), QString::fromUtf8("Spektrion навчальний симулятор"));
    EXPECT_EQ(form->LabH[0]->text(), "A");
    EXPECT_EQ(form->LabH[1]->text(), "M");
    EXPECT_EQ(form->LabH[2]->text(), "X");
    EXPECT_EQ(subscripts(), (std::vector<QString>{"2", "2", "2"}));
    EXPECT_EQ(form->Label1->text(), "J(AM) > J(MX)");
    EXPECT_EQ(form->Lab_syg[0]->text(), QString::fromUtf8("триплет"));
    EXPECT_EQ(form->Lab_syg[1]->text(), QString::fromUtf8("триплет триплетів"));
    EXPECT_EQ(form->Lab_syg[2]->text(), QString::fromUtf8("триплет"));
    EXPECT_TRUE(form->Lab_help->text().isEmpty());
    expect_shows_its_state();
}

struct Place {
    const char* name;
    QRect box;
};

TEST_F(Form1Test, EveryControlHasItsPlaceAndSize)
{
    EXPECT_EQ(form->size(), QSize(792, 521));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    const std::vector<std::pair<QWidget*, QRect>> places = {
        {form->Picture1, QRect(8, 52, 779, 410)},
        {form->Lab_syg[2], QRect(496, 464, 105, 21)},
        {form->Lab_syg[1], QRect(248, 464, 201, 21)},
        {form->Lab_syg[0], QRect(96, 464, 105, 21)},
        {form->Lab_help, QRect(8, 492, 777, 21)},
        {form->Label1, QRect(356, 8, 181, 33)},
        {form->LabN[2], QRect(288, 20, 17, 25)},
        {form->LabN[1], QRect(252, 20, 17, 25)},
        {form->LabN[0], QRect(212, 20, 17, 25)},
        {form->LabH[2], QRect(268, 8, 21, 29)},
        {form->LabH[1], QRect(228, 8, 25, 29)},
        {form->LabH[0], QRect(196, 8, 17, 29)},
    };
    for (const auto& [widget, box] : places)
        EXPECT_EQ(widget->geometry(), box)
            << widget->metaObject()->className() << " " << widget->objectName().toStdString();
}

TEST_F(Form1Test, LabelsShowTheirColoursAndFitTheirTexts)
{
    const QImage shot = form->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // The bare window, the help bar and the description backgrounds.
    EXPECT_EQ(rgb(shot, 2, 2), 0xE0E0E0u);
    EXPECT_EQ(rgb(shot, 700, 20), 0xE0E0E0u);
    EXPECT_TRUE(all_of(shot, QRect(8, 492, 777, 21), 0xFFFFC0u));
    // Each formula label carries ink of its group's colour; the coupling label is black.
    const QRgb colours[3] = {0xFF0000u, 0x008000u, 0x0000FFu};
    for (int i = 0; i < 3; ++i) {
        EXPECT_GT(count(shot, form->LabH[i]->geometry(), colours[i]), 20) << "letter " << i;
        EXPECT_GT(count(shot, form->LabN[i]->geometry(), colours[i]), 10) << "subscript " << i;
    }
    EXPECT_GT(count(shot, form->Label1->geometry(), 0x000000u), 100);
    // Texts fit on one line inside their boxes, the longest description included.
    for (QLabel* label : {form->Label1, form->Lab_syg[0], form->Lab_syg[1], form->Lab_syg[2], form->LabH[0],
             form->LabH[1], form->LabH[2], form->LabN[0]}) {
        const QFontMetrics metrics(label->font());
        EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width()) << label->text().toStdString();
        EXPECT_LE(metrics.height(), label->height() + 4) << label->text().toStdString();
    }
    const QFontMetrics syg(form->Lab_syg[1]->font());
    EXPECT_LE(syg.horizontalAdvance(QString::fromUtf8("квартет квартетів")), 201);
    EXPECT_LE(QFontMetrics(form->Lab_syg[0]->font()).horizontalAdvance(QString::fromUtf8("квартет")), 105);
    EXPECT_LE(QFontMetrics(form->Lab_help->font()).horizontalAdvance(kHelpLabel1), 777);
}

TEST_F(Form1Test, ThreeClicksOnALetterCycleItsSizeAndSubscript)
{
    const std::vector<std::pair<int, QString>> steps = {{3, "3"}, {1, ""}, {2, "2"}};
    for (const auto& [size, text] : steps) {
        click(form->LabH[0]);
        EXPECT_EQ(form->model().nA, size);
        EXPECT_EQ(subscripts(), (std::vector<QString>{text, "2", "2"}));
        expect_shows_its_state();
    }
}

TEST(ClickTest, ClickOnASubscriptEqualsAClickOnItsLetter)
{
    for (int i = 0; i < 3; ++i) {
        Form1 by_letter;
        Form1 by_subscript;
        QTest::mouseClick(by_letter.LabH[i], Qt::LeftButton);
        QTest::mouseClick(by_subscript.LabN[i], Qt::LeftButton);
        const SpinSystem& l = by_letter.model();
        const SpinSystem& s = by_subscript.model();
        EXPECT_EQ((std::vector<int>{s.nA, s.nM, s.nX}), (std::vector<int>{l.nA, l.nM, l.nX}))
            << "group " << i;
        EXPECT_EQ(s.nA + s.nM + s.nX, 7) << "group " << i;
        EXPECT_EQ(by_subscript.LabN[i]->text(), "3");
        EXPECT_EQ(by_subscript.Picture1->surface().image(), by_letter.Picture1->surface().image());
    }
}

TEST_F(Form1Test, ClickOnEmptySubscriptStillCycles)
{
    click(form->LabH[1]);
    click(form->LabH[1]);
    ASSERT_EQ(form->model().nM, 1);
    ASSERT_TRUE(form->LabN[1]->text().isEmpty());
    // The empty box keeps its place and still takes the click.
    EXPECT_EQ(form->LabN[1]->geometry(), QRect(252, 20, 17, 25));
    click(form->LabN[1]);
    EXPECT_EQ(form->model().nM, 2);
    EXPECT_EQ(form->LabN[1]->text(), "2");
    expect_shows_its_state();
}

TEST_F(Form1Test, TogglingTheOrderTwiceRestoresTheTable)
{
    const LineTable before = form->model().spektr;
    const QImage chart_before = form->Picture1->surface().image();
    click(form->Label1);
    EXPECT_EQ(form->model().znak_J, 1);
    EXPECT_EQ(form->Label1->text(), "J(AM) < J(MX)");
    expect_shows_its_state();
    click(form->Label1);
    EXPECT_EQ(form->model().znak_J, 0);
    EXPECT_EQ(form->Label1->text(), "J(AM) > J(MX)");
    EXPECT_EQ(form->model().spektr, before);
    EXPECT_EQ(form->Picture1->surface().image(), chart_before);
}

TEST_F(Form1Test, EveryStateIsReachedByClicksAndShown)
{
    std::set<std::vector<int>> seen;
    for (int j = 0; j < 2; ++j) {
        for (int a = 0; a < 3; ++a) {
            for (int m = 0; m < 3; ++m) {
                for (int x = 0; x < 3; ++x) {
                    seen.insert({form->model().nA, form->model().nM, form->model().nX, form->model().znak_J});
                    expect_shows_its_state();
                    click(form->LabH[2]);
                }
                click(form->LabN[1]);
            }
            click(form->LabH[0]);
        }
        click(form->Label1);
    }
    EXPECT_EQ(seen.size(), 54u);
}

TEST_F(Form1Test, OnlyTheLeftButtonClicksAndOnlyOnTheSameLabel)
{
    click(form->LabH[0], Qt::RightButton);
    click(form->LabH[0], Qt::MiddleButton);
    click(form->Label1, Qt::RightButton);
    EXPECT_EQ(sizes(), (std::vector<int>{2, 2, 2}));
    EXPECT_EQ(form->model().znak_J, 0);

    // Pressed on A, released over M: neither counts it as a click.
    QTest::mousePress(form->LabH[0], Qt::LeftButton);
    QTest::mouseRelease(form->LabH[0], Qt::LeftButton, {},
        form->LabH[0]->mapFromGlobal(form->LabH[1]->mapToGlobal(QPoint(5, 5))));
    EXPECT_EQ(sizes(), (std::vector<int>{2, 2, 2}));
}

TEST_F(Form1Test, KeysChangeNothing)
{
    EXPECT_EQ(QApplication::focusWidget(), form->Picture1);
    for (QWidget* w : std::vector<QWidget*>{form->LabH[0], form->LabN[0], form->Label1, form->Lab_help})
        EXPECT_EQ(w->focusPolicy(), Qt::NoFocus);
    const QImage before = form->grab().toImage();
    for (const Qt::Key key :
        {Qt::Key_Space, Qt::Key_Return, Qt::Key_Tab, Qt::Key_Up, Qt::Key_A, Qt::Key_2, Qt::Key_Escape}) {
        QTest::keyClick(form.get(), key);
        QTest::keyClick(form->Picture1, key);
    }
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(sizes(), (std::vector<int>{2, 2, 2}));
    EXPECT_EQ(form->model().znak_J, 0);
    EXPECT_EQ(form->grab().toImage(), before);
}

// Moves the pointer to `pos` in the window, as the window system would.
void move_to(Form1& form, QPoint pos, Qt::MouseButtons held = Qt::NoButton)
{
    QWidget* target = form.childAt(pos);
    if (!target)
        target = &form;
    QMouseEvent event(QEvent::MouseMove, target->mapFrom(&form, pos), form.mapToGlobal(pos), Qt::NoButton,
        held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

struct HoverStep {
    QPoint pos;
    QString help;
};

struct HoverWalk {
    const char* name;
    std::vector<HoverStep> steps;
};

void PrintTo(const HoverWalk& w, std::ostream* os)
{
    *os << w.name;
}

class HoverTest : public testing::TestWithParam<HoverWalk> { };

const QPoint kOnA(204, 20), kOnSubscriptA(220, 35), kOnM(240, 20), kOnLabel1(440, 20), kOnChart(300, 200),
    kOnDescription(348, 470), kOnHelpBar(400, 500), kOnBareWindow(700, 25), kOnBareCorner(3, 515);

INSTANTIATE_TEST_SUITE_P(Routing, HoverTest,
    testing::Values(HoverWalk{"LetterThenItsSubscriptKeepsTheLettersText",
                        {{kOnA, kHelpLabH}, {kOnSubscriptA, kHelpLabH}}},
        HoverWalk{"LetterThenBareWindowEmptiesIt", {{kOnA, kHelpLabH}, {kOnBareWindow, ""}}},
        HoverWalk{"ChartThenADescriptionKeepsTheChartsText",
            {{kOnChart, kHelpPicture1}, {kOnDescription, kHelpPicture1}}},
        HoverWalk{
            "CouplingLabelThenHelpBarKeepsItsText", {{kOnLabel1, kHelpLabel1}, {kOnHelpBar, kHelpLabel1}}},
        HoverWalk{
            "AllLettersShareOneText", {{kOnLabel1, kHelpLabel1}, {kOnM, kHelpLabH}, {kOnBareCorner, ""}}},
        HoverWalk{"SubscriptAloneLeavesTheBarEmpty", {{kOnSubscriptA, ""}, {kOnDescription, ""}}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_P(HoverTest, HelpBarFollowsThePointer)
{
    for (const Qt::MouseButtons held : {Qt::MouseButtons(Qt::NoButton), Qt::MouseButtons(Qt::LeftButton)}) {
        Form1 form;
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        for (const HoverStep& step : GetParam().steps) {
            move_to(form, step.pos, held);
            EXPECT_EQ(form.Lab_help->text(), step.help) << "at " << step.pos.x() << ", " << step.pos.y();
        }
    }
}

TEST_F(Form1Test, PointerMovesThroughTheWindowSystemReachTheRightHandlers)
{
    // Through QTest, which goes the way of real window-system events.
    QTest::mouseMove(form.get(), kOnLabel1);
    EXPECT_EQ(form->Lab_help->text(), kHelpLabel1);
    QTest::mouseMove(form.get(), kOnDescription);
    EXPECT_EQ(form->Lab_help->text(), kHelpLabel1);
    QTest::mouseMove(form.get(), kOnBareWindow);
    EXPECT_TRUE(form->Lab_help->text().isEmpty());
    QTest::mouseMove(form.get(), kOnChart);
    EXPECT_EQ(form->Lab_help->text(), kHelpPicture1);
}

struct Drag {
    const char* name;
    QPoint from, to;
    QString help;  // in the help bar once the pointer, button held, reached `to`
};

void PrintTo(const Drag& d, std::ostream* os)
{
    *os << d.name;
}

class DragTest : public testing::TestWithParam<Drag> { };

INSTANTIATE_TEST_SUITE_P(HeldButton, DragTest,
    testing::Values(Drag{"LetterOntoChart", kOnA, kOnChart, kHelpPicture1},
        Drag{"ChartOntoBareWindow", kOnChart, kOnBareWindow, ""},
        Drag{"BareWindowOntoCouplingLabel", kOnBareWindow, kOnLabel1, kHelpLabel1},
        Drag{"SubscriptOntoItsLetter", kOnSubscriptA, kOnA, kHelpLabH},
        Drag{"LetterOntoItsSubscript", kOnA, kOnSubscriptA, kHelpLabH},
        Drag{"CouplingLabelOntoLetter", kOnLabel1, kOnM, kHelpLabH}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_P(DragTest, HelpBarFollowsThePointerAndTheDropClicksNothing)
{
    const Drag& d = GetParam();
    Form1 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QWindow* window = form.windowHandle();
    QTest::mouseMove(window, QPoint(790, 2));
    QTest::mouseMove(window, d.from);
    QTest::mousePress(window, Qt::LeftButton, {}, d.from);
    QTest::mouseMove(window, d.to);
    EXPECT_EQ(form.Lab_help->text(), d.help);
    QTest::mouseRelease(window, Qt::LeftButton, {}, d.to);
    const SpinSystem& m = form.model();
    EXPECT_EQ((std::vector<int>{m.nA, m.nM, m.nX, m.znak_J}), (std::vector<int>{2, 2, 2, 0}));
}

// Letters and subscripts share a column where their boxes meet; there the letter lies
// on top, takes the click and changes its own group.
TEST_F(Form1Test, SharedFormulaColumnsBelongToTheLetters)
{
    const std::pair<int, int> columns[] = {{212, 0}, {228, 1}, {252, 1}, {268, 2}, {288, 2}};
    for (const auto& [x, group] : columns) {
        const QPoint at(x, 30);
        EXPECT_EQ(form->childAt(at), form->LabH[group]) << "column " << x;
        const std::vector<int> before = sizes();
        QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, at);
        std::vector<int> after = before;
        after[group] = before[group] % 3 + 1;
        EXPECT_EQ(sizes(), after) << "column " << x;
    }
}

// The chart's words as the ear wants them, made from the words --describe prints: the
// formula first, then a sentence per line, the colons read as commas.
QString spoken(const SpinSystem& m)
{
    QString expected = QStringLiteral("Система A%1 M%2 X%3, J AM %4 за J MX.")
                           .arg(m.nA)
                           .arg(m.nM)
                           .arg(m.nX)
                           .arg(m.znak_J == 0 ? QStringLiteral("більша") : QStringLiteral("менша"));
    for (QString line : QString::fromStdString(words::describe_spectrum(spectrum_of(m.state())))
                            .split(u'\n', Qt::SkipEmptyParts))
        expected += QStringLiteral(" Сигнал ")
            + line.replace(QStringLiteral(" : "), QStringLiteral(", "))
                  .replace(QStringLiteral(": "), QStringLiteral(", "))
            + u'.';
    return expected;
}

// A screen reader finds the chart by its help text and reads the state and its
// spectrum in words, as they stand after every click.
TEST_F(Form1Test, ChartTellsAScreenReaderTheSpectrumInWords)
{
    QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(form->Picture1);
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->text(QAccessible::Name), kHelpPicture1.trimmed());
    for (QWidget* label : std::vector<QWidget*>{nullptr, form->LabH[0], form->Label1, form->LabN[2]}) {
        if (label)
            click(label);
        EXPECT_EQ(chart->text(QAccessible::Description), spoken(form->model()));
    }
}

TEST_F(Form1Test, ClicksLeaveTheHelpBarAlone)
{
    QTest::mouseMove(form.get(), kOnChart);
    click(form->LabH[0]);
    click(form->Label1);
    EXPECT_EQ(form->Lab_help->text(), kHelpPicture1);
}

}  // namespace
}  // namespace spektrion
