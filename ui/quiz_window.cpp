// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "ui/quiz_window.h"

#include "ui/canvas.h"
#include "display/chart.h"
#include "ui/click_label.h"
#include "ui/focus_text.h"
#include "ui/formula_button.h"
#include "ui/icon.h"
#include "display/look.h"
#include "display/plot.h"
#include "display/tree.h"
#include "ui/tree_band.h"
#include "ui/window_look.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

namespace spektrion {
namespace {

using namespace window_look;

// The simulator's formula and chart, the chart lowered by the band of trees above it;
// the column of the task beside them.
constexpr QPoint kTrees(9, 52);  // the chart's first column, inside the canvas's frame
constexpr QPoint kChart(8, 52 + tree::kBandHeight);
constexpr int kBelowChart = 636;
constexpr int kChoiceWidth = 190;
constexpr int kChoiceHeight = 24;
constexpr int kColumnLeft = 800;
constexpr int kColumnWidth = 300;
constexpr QRect kHeading(kColumnLeft, 8, kColumnWidth, 22);
constexpr QRect kInstruction(kColumnLeft, 34, kColumnWidth, 64);
constexpr QRect kVerdict(kColumnLeft, 102, kColumnWidth, 26);
constexpr QRect kExplanation(kColumnLeft, 130, kColumnWidth, 494);
constexpr QRect kCheck(kColumnLeft, 632, 146, 28);
constexpr QRect kNext(kColumnLeft + 154, 632, 146, 28);
constexpr int kTextPixelSize = 13;  // the window's own, which its controls inherit
constexpr int kBoldPixelSize = 16;

constexpr char16_t kTitle[] = u"Spektrion перевірка знань";
constexpr char16_t kNameTask[] = u"Назвіть мультиплети. Виберіть під кожним сигналом назву його мультиплету.";
constexpr char16_t kSystemTask[] = u"Яка це система? Клацайте літеру або її індекс, щоб змінити кількість "
                                   u"протонів, і нерівність, щоб змінити порядок констант.";
constexpr char16_t kUnsetOrder[] = u"J(AM) ? J(MX)";
constexpr char16_t kChooseName[] = u"виберіть назву";
constexpr char16_t kNoSpectrum[] = u"Спектр буде показано після перевірки.";

QString ear(const QString& shown)
{
    return text(quiz::for_the_ear(shown.toStdString()));
}

QLabel* make_text(QWidget* parent, const QRect& box)
{
    auto* label = new QLabel(parent);
    label->setGeometry(box);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QPushButton* make_button(QWidget* parent, const QRect& box, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setGeometry(box);
    return button;
}

int group_at(int position)
{
    return 2 - position;  // X, M, A from left to right
}

QString subscript(int size)
{
    return size == quiz::kUnsetSize ? QStringLiteral("?") : size > 1 ? QString::number(size) : QString();
}

}  // namespace

QuizWindow::QuizWindow(std::uint32_t seed, QWidget* parent)
    : QWidget(parent)
    , engine_(seed)
{
    dress_window(*this, text(kTitle), QSize(kClientWidth, kClientHeight), kTextPixelSize);
    setWindowIcon(window_icon());
    create_controls();
    start_round();
}

void QuizWindow::create_controls()
{
    heading = new FocusText(kHeading, this);
    heading->setFont(label_font(kBoldPixelSize, true));
    instruction = make_text(this, kInstruction);

    // As the simulator makes them: later boxes above earlier ones where they share a column.
    order = new FormulaButton(kLabel1, palette().color(QPalette::ButtonText).rgb(), this);
    for (int i = 2; i >= 0; --i)
        subscripts[i] = new FormulaButton(kLabN[i], look::kGroupColours[i], this);
    for (int i = 2; i >= 0; --i) {
        letters[i] = new FormulaButton(kLabH[i], look::kGroupColours[i], this);
        letters[i]->setText(QString(QChar(look::kGroupLetters[i])));
    }
    for (int i = 0; i < 3; ++i) {
        subscripts[i]->setFocusPolicy(Qt::NoFocus);
        connect(letters[i], &QAbstractButton::clicked, this, [this, i] { cycle_size(i); });
        connect(subscripts[i], &QAbstractButton::clicked, this, [this, i] { cycle_size(i); });
    }
    connect(order, &QAbstractButton::clicked, this, &QuizWindow::toggle_order);

    trees = new TreeBand(this);
    trees->move(kTrees);
    chart = new Canvas(chart::image(), this);
    chart->move(kChart);
    chart->setFocusPolicy(Qt::StrongFocus);
    chart->setAccessibleName(QStringLiteral("Спектр ПМР"));
    chart->installEventFilter(this);

    QStringList choices;
    for (const std::string& name : quiz::multiplet_names())
        choices << text(name);
    for (int p = 0; p < 3; ++p) {
        const QRect under = kLabSyg[p].box.translated(0, tree::kBandHeight);
        names[p] = new QComboBox(this);
        names[p]->setGeometry(
            under.center().x() - kChoiceWidth / 2, kBelowChart, kChoiceWidth, kChoiceHeight);
        names[p]->addItems(choices);
        names[p]->setPlaceholderText(text(kChooseName));
        names[p]->setAccessibleName(
            QStringLiteral("Мультиплет сигналу %1").arg(QChar(look::kGroupLetters[group_at(p)])));
        right_names[p]
            = make_label(this, {under, kLabSyg[p].pixel_size, kLabSyg[p].bold, kLabSyg[p].alignment},
                QString(), kWindowBack, QColor::fromRgb(kBlack));
    }

    verdict = new FocusText(kVerdict, this);
    verdict->setFont(heading->font());
    explanation = new FocusText(kExplanation, this);
    check_button = make_button(this, kCheck, QStringLiteral("Перевірити"));
    next_button = make_button(this, kNext, QStringLiteral("Далі"));
    // Where "Перевірити" was, so that a second click on "Підсумок" does not throw the
    // score away.
    again_button = make_button(this, kCheck, QStringLiteral("Ще раз"));
    connect(check_button, &QPushButton::clicked, this, &QuizWindow::check);
    connect(next_button, &QPushButton::clicked, this, &QuizWindow::next);
    connect(again_button, &QPushButton::clicked, this, &QuizWindow::start_round);

    QWidget* const chain[] = {heading, names[0], names[1], names[2], letters[0], letters[1], letters[2],
        order, chart, check_button, verdict, explanation, next_button, again_button};
    for (std::size_t i = 1; i < std::size(chain); ++i)
        setTabOrder(chain[i - 1], chain[i]);
}

void QuizWindow::start_round()
{
    round_ = quiz::draw_round(engine_);
    index_ = 0;
    right_ = 0;
    wrong_tasks_.clear();
    again_button->hide();
    check_button->show();
    next_button->show();
    show_task();
}

void QuizWindow::show_task()
{
    checked_ = false;
    const quiz::Task& t = task();
    const bool naming = t.kind == quiz::Kind::NameMultiplets;
    heading->setText(QStringLiteral("Завдання %1 з %2").arg(task_number()).arg(quiz::kRoundLength));
    instruction->setText(text(naming ? kNameTask : kSystemTask));
    instruction->show();
    verdict->clear();
    explanation->clear();
    verdict->setAccessibleName(QString());
    explanation->setAccessibleName(QString());
    trees->clear();

    answer_ = {quiz::kUnsetSize, quiz::kUnsetSize, quiz::kUnsetSize, quiz::kUnsetOrder};
    show_formula(naming ? t.system : answer_);
    for (int p = 0; p < 3; ++p) {
        names[p]->setCurrentIndex(-1);
        names[p]->setEnabled(true);
        names[p]->setVisible(naming);
        right_names[p]->hide();
    }

    Surface& surface = chart->surface();
    if (naming) {
        surface.clear();
        chart->setAccessibleDescription(text(kNoSpectrum));
    } else {
        const SpinSystem shown = quiz::at_rest(t.system);
        plot::plot_spectrum(surface, shown);
        chart->setAccessibleDescription(text(quiz::spoken_ratios(shown)));
    }
    chart->show_changes();

    // Orca reads a label's name and never its description, so what the task asks about
    // goes into the heading's name.
    const QString system = naming ? text(quiz::spoken_system(t.system)) : chart->accessibleDescription();
    heading->setAccessibleName(heading->text() + QStringLiteral(". ") + instruction->text() + u' ' + system);

    check_button->setEnabled(true);
    next_button->setEnabled(false);
    next_button->setText(
        task_number() == quiz::kRoundLength ? QStringLiteral("Підсумок") : QStringLiteral("Далі"));
    heading->setFocus();
}

void QuizWindow::show_formula(const quiz::System& shown)
{
    // The letters and the label are stops for the keyboard only while they can be set.
    const bool answering = task().kind == quiz::Kind::WhichSystem && !checked_;
    for (FormulaButton* b : {letters[0], letters[1], letters[2], order})
        b->setFocusPolicy(answering ? Qt::StrongFocus : Qt::NoFocus);
    for (int g = 0; g < 3; ++g) {
        subscripts[g]->setText(subscript(shown.size(g)));
        const QString name
            = QStringLiteral("%1, %2.").arg(letters[g]->text(), text(quiz::protons(shown.size(g))));
        letters[g]->setAccessibleName(name);
        subscripts[g]->setAccessibleName(name);
        letters[g]->setAccessibleDescription(
            answering ? QStringLiteral("Натисніть, щоб змінити.") : QString());
    }
    const bool unset = shown.znak_J == quiz::kUnsetOrder;
    order->setText(unset ? text(kUnsetOrder) : look::order_text(shown.znak_J));
    order->setAccessibleName(unset ? QStringLiteral("Порядок констант не задано.") : ear(order->text()));
    order->setAccessibleDescription(
        answering ? QStringLiteral("Натисніть, щоб змінити нерівність.") : QString());
}

void QuizWindow::cycle_size(int group)
{
    if (task().kind != quiz::Kind::WhichSystem || checked_)
        return;
    int& size = group == quiz::kGroupA ? answer_.nA : group == quiz::kGroupM ? answer_.nM : answer_.nX;
    size = size % 3 + 1;  // unset, then 1 → 2 → 3 → 1
    show_formula(answer_);
}

void QuizWindow::toggle_order()
{
    if (task().kind != quiz::Kind::WhichSystem || checked_)
        return;
    answer_.znak_J = answer_.znak_J == quiz::kUnsetOrder ? 0 : 1 - answer_.znak_J;
    show_formula(answer_);
}

void QuizWindow::check()
{
    if (checked_ || index_ >= int(round_.size()))
        return;
    checked_ = true;
    const quiz::Task& t = task();
    std::vector<quiz::Explanation> wrong;
    if (t.kind == quiz::Kind::NameMultiplets) {
        std::array<std::string, 3> chosen;
        for (int p = 0; p < 3; ++p) {
            chosen[group_at(p)]
                = names[p]->currentIndex() < 0 ? std::string() : names[p]->currentText().toStdString();
            names[p]->setEnabled(false);
        }
        wrong = quiz::mark_names(t.system, chosen);
    } else {
        wrong = quiz::mark_system(t.system, answer_);
        show_formula(t.system);
        for (int p = 0; p < 3; ++p) {
            right_names[p]->setText(text(quiz::right_name(t.system, group_at(p))));
            right_names[p]->show();
        }
    }

    // The truth: the spectrum as the simulator draws it, under its splitting trees.
    const SpinSystem truth = quiz::at_rest(t.system);
    plot::plot_spectrum(chart->surface(), truth);
    chart->show_changes();
    chart->setAccessibleDescription(text(quiz::spoken_spectrum(truth)));
    trees->show_trees(truth);

    if (wrong.empty())
        ++right_;
    else
        wrong_tasks_.push_back(task_number());
    QStringList paragraphs;
    for (const quiz::Explanation& e : wrong)
        paragraphs << text(e.text);
    verdict->setText(wrong.empty() ? QStringLiteral("Правильно.") : QStringLiteral("Неправильно."));
    // An order stays on one line: "J(AM) >" at a line's end reads as a sentence cut off.
    QString shown = paragraphs.join(QStringLiteral("\n\n"));
    for (const QChar sign : {u'>', u'<'})
        shown.replace(QStringLiteral(") %1 J").arg(sign), QStringLiteral(")\u00A0%1\u00A0J").arg(sign));
    explanation->setText(shown);
    // The verdict takes the focus, and with it the explanation is heard.
    const QString spoken = paragraphs.isEmpty() ? QString() : ear(paragraphs.join(u' '));
    verdict->setAccessibleName(spoken.isEmpty() ? verdict->text() : verdict->text() + u' ' + spoken);
    explanation->setAccessibleName(spoken);
    check_button->setEnabled(false);
    next_button->setEnabled(true);
    verdict->setFocus();
}

void QuizWindow::next()
{
    if (!checked_)
        return;
    if (task_number() == quiz::kRoundLength) {
        show_score();
        return;
    }
    ++index_;
    show_task();
}

void QuizWindow::show_score()
{
    heading->setText(QStringLiteral("Підсумок"));
    instruction->hide();
    verdict->setText(QStringLiteral("%1 з %2").arg(right_).arg(quiz::kRoundLength));
    QStringList numbers;
    for (const int n : wrong_tasks_)
        numbers << QString::number(n);
    QString summary;
    if (numbers.isEmpty())
        summary = QStringLiteral("Усі завдання розв'язано правильно.");
    else if (numbers.size() == 1)
        summary = QStringLiteral("Помилка в завданні %1.").arg(numbers.first());
    else {
        const QString last = numbers.takeLast();
        summary
            = QStringLiteral("Помилки в завданнях %1 і %2.").arg(numbers.join(QStringLiteral(", ")), last);
    }
    explanation->setText(summary);
    verdict->setAccessibleName(
        QStringLiteral("Результат ") + verdict->text() + QStringLiteral(". ") + summary);
    explanation->setAccessibleName(summary);
    heading->setAccessibleName(heading->text() + u'.');
    next_button->hide();
    check_button->hide();
    again_button->show();
    verdict->setFocus();
}

// The chart draws no focus of its own (the simulator's holds the focus from the start,
// unseen), so the window rings the trees and the chart while it has it.
QRect QuizWindow::chart_ring() const
{
    return (trees->geometry() | chart->geometry()).adjusted(-2, -2, 2, 2);
}

bool QuizWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == chart && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        update(chart_ring());
    return QWidget::eventFilter(watched, event);
}

void QuizWindow::paintEvent(QPaintEvent* /*event*/)
{
    if (!chart->hasFocus())
        return;
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(chart_ring().adjusted(0, 0, -1, -1));
}

bool QuizWindow::answer_begun() const
{
    if (task().kind == quiz::Kind::NameMultiplets)
        return std::any_of(
            names.begin(), names.end(), [](const QComboBox* c) { return c->currentIndex() >= 0; });
    return answer_.nA != quiz::kUnsetSize || answer_.nM != quiz::kUnsetSize || answer_.nX != quiz::kUnsetSize
        || answer_.znak_J != quiz::kUnsetOrder;
}

void QuizWindow::keyPressEvent(QKeyEvent* event)
{
    // Enter checks the task, and once it is checked goes on: the controls that take
    // Enter themselves (an open list) never pass it here. So that a key pressed twice or
    // held loses nothing, Enter checks only an answer begun (the button checks any), and
    // after the last task starts a new round only from "Ще раз" itself.
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (event->isAutoRepeat())
        return;
    if (again_button->isVisible()) {
        if (again_button->hasFocus())
            start_round();
    } else if (!checked_) {
        if (answer_begun())
            check();
    } else {
        next();
    }
}

}  // namespace spektrion
