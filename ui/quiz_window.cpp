// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "ui/quiz_window.h"

#include "display/chart.h"
#include "display/look.h"
#include "display/plot.h"
#include "display/tree.h"
#include "model/spectrum.h"
#include "ui/canvas.h"
#include "ui/click_label.h"
#include "ui/focus_text.h"
#include "ui/formula_button.h"
#include "ui/icon.h"
#include "ui/tree_band.h"
#include "ui/window_look.h"
#include "words/words.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

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
// A narrow window's: its margins, and the room the chart's focus ring takes.
constexpr int kNarrowMargin = 8;
constexpr int kRing = 2;

// A list's rows tall enough for a finger.
class FingerRows : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QSize hint = QStyledItemDelegate::sizeHint(option, index);
        return {hint.width(), std::max(hint.height(), kFingerSize)};
    }
};

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

// A size not yet chosen shows as "?".
QString shown_size(std::optional<int> size)
{
    return size ? subscript(*size) : QStringLiteral("?");
}

}  // namespace

QuizWindow::QuizWindow(std::uint32_t seed, std::optional<int> narrow, QWidget* parent)
    : QWidget(parent)
    , engine_(seed)
    , narrow_(narrow.has_value())
{
    const QSize size = narrow_ ? QSize(std::max(*narrow, kNarrowestWindow), kClientHeight)
                               : QSize(kClientWidth, kClientHeight);
    dress_window(*this, text(words::kQuizTitle), size, kTextPixelSize);
    setWindowIcon(window_icon());
    create_controls(narrow_);
    if (narrow_)
        lay_out_narrow();
    start_round();
}

void QuizWindow::create_controls(bool narrow)
{
    heading = new FocusText(kHeading, this);
    heading->setFont(label_font(kBoldPixelSize, true));
    instruction = make_text(this, kInstruction);

    // A narrow window's formula is larger, its letters in a box of their own and the
    // order under them.
    const QRect letter_row = kLabH[0].box | kLabN[2].box;
    const auto look = [narrow](const LabelLook& l, QPoint corner) {
        return narrow ? scaled(l, kNarrowFormula, corner) : l;
    };
    QWidget* formula = this;
    if (narrow) {
        formula = new QWidget(this);
        formula->setFixedSize(letter_row.size() * kNarrowFormula);
    }
    // As the simulator makes them: later boxes above earlier ones where they share a column.
    order = new FormulaButton(
        look(kLabel1, kLabel1.box.topLeft()), palette().color(QPalette::ButtonText).rgb(), this);
    for (int i = 2; i >= 0; --i)
        subscripts[i]
            = new FormulaButton(look(kLabN[i], letter_row.topLeft()), look::kGroupColours[i], formula);
    for (int i = 2; i >= 0; --i) {
        letters[i] = new FormulaButton(look(kLabH[i], letter_row.topLeft()), look::kGroupColours[i], formula);
        letters[i]->setText(QString(look::group_letter(kGroups[i])));
    }
    for (const Group g : kGroups) {
        const int i = index_of(g);
        subscripts[i]->setFocusPolicy(Qt::NoFocus);
        connect(letters[i], &QAbstractButton::clicked, this, [this, g] { cycle_size(g); });
        connect(subscripts[i], &QAbstractButton::clicked, this, [this, g] { cycle_size(g); });
    }
    connect(order, &QAbstractButton::clicked, this, &QuizWindow::toggle_order);

    if (narrow) {
        auto* band = new QWidget(this);
        trees = new TreeBand(band, chart_zoom());
        chart = new Canvas(chart::image(), band, chart_zoom());
        size_chart();
        chart_words = make_text(this, QRect());
    } else {
        trees = new TreeBand(this);
        trees->move(kTrees);
        chart = new Canvas(chart::image(), this);
        chart->move(kChart);
    }
    chart->setFocusPolicy(Qt::StrongFocus);
    chart->setAccessibleName(text(words::kChartName));
    chart->installEventFilter(this);

    QStringList choices;
    for (const MultipletName& name : quiz::multiplet_names())
        choices << text(words::multiplet_name(name));
    for (int p = 0; p < 3; ++p) {
        const QRect under = kLabSyg[p].box.translated(0, tree::kBandHeight);
        names[p] = new QComboBox(this);
        names[p]->setGeometry(
            under.center().x() - kChoiceWidth / 2, kBelowChart, kChoiceWidth, kChoiceHeight);
        names[p]->addItems(choices);
        names[p]->setPlaceholderText(text(words::kChooseName));
        names[p]->setAccessibleName(text(words::name_choice(group_at(p))));
        if (narrow) {
            names[p]->setMinimumHeight(kFingerSize);
            names[p]->setItemDelegate(new FingerRows(names[p]));
        }
        right_names[p]
            = make_label(this, {under, kLabSyg[p].pixel_size, kLabSyg[p].bold, kLabSyg[p].alignment},
                QString(), kWindowBack, QColor::fromRgb(kBlack));
    }

    verdict = new FocusText(kVerdict, this);
    verdict->setFont(heading->font());
    explanation = new FocusText(kExplanation, this);
    check_button = make_button(this, kCheck, text(words::kCheck));
    next_button = make_button(this, kNext, text(words::kNext));
    // Where "Перевірити" was, so that a second click on "Підсумок" does not throw the
    // score away.
    again_button = make_button(this, kCheck, text(words::kAgain));
    connect(check_button, &QPushButton::clicked, this, &QuizWindow::check);
    connect(next_button, &QPushButton::clicked, this, &QuizWindow::next);
    connect(again_button, &QPushButton::clicked, this, &QuizWindow::start_round);
    if (narrow)
        for (QPushButton* b : {check_button, next_button, again_button})
            b->setMinimumHeight(kFingerSize);

    QWidget* const chain[] = {heading, names[0], names[1], names[2], letters[0], letters[1], letters[2],
        order, chart, check_button, verdict, explanation, next_button, again_button};
    for (std::size_t i = 1; i < std::size(chain); ++i)
        setTabOrder(chain[i - 1], chain[i]);
}

// The chart as wide as a narrow window allows, never wider than its own.
qreal QuizWindow::chart_zoom() const
{
    const int room = width() - 2 * (kNarrowMargin + kRing + Canvas::kFrame);
    return std::min(1.0, qreal(room) / chart::kWidth);
}

void QuizWindow::size_chart()
{
    trees->set_zoom(chart_zoom());
    chart->set_zoom(chart_zoom());
    trees->move(kRing + Canvas::kFrame, kRing);
    chart->move(kRing, kRing + trees->height());
    chart->parentWidget()->setFixedSize(chart->width() + 2 * kRing, chart->y() + chart->height() + kRing);
}

void QuizWindow::set_narrow_width(int width)
{
    if (!narrow_)
        return;
    setFixedWidth(std::max(width, kNarrowestWindow));
    size_chart();
    fit_height(*this);
}

void QuizWindow::lay_out_narrow()
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(kNarrowMargin, kNarrowMargin, kNarrowMargin, kNarrowMargin);
    column->addWidget(heading);
    column->addWidget(instruction);
    column->addWidget(letters[0]->parentWidget(), 0, Qt::AlignHCenter);
    column->addWidget(order, 0, Qt::AlignHCenter);
    column->addWidget(chart->parentWidget(), 0, Qt::AlignHCenter);
    column->addWidget(chart_words);
    // Each group's name in a row of its own, headed by its letter, in the chart's order.
    for (int p = 0; p < 3; ++p) {
        const Group g = group_at(p);
        name_letters_[p] = make_label(this, {QRect(), kBoldPixelSize, true, Qt::AlignLeft | Qt::AlignVCenter},
            QString(look::group_letter(g)), kWindowBack, QColor::fromRgb(look::group_colour(g)));
        name_letters_[p]->setFixedWidth(kBoldPixelSize * 3 / 2);
        right_names[p]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        auto* row = new QHBoxLayout;
        row->addWidget(name_letters_[p]);
        row->addWidget(names[p], 1);
        row->addWidget(right_names[p], 1);
        column->addLayout(row);
    }
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {check_button, again_button, next_button})
        buttons->addWidget(b, 1);
    column->addLayout(buttons);
    column->addWidget(verdict);
    column->addWidget(explanation);
    column->addStretch();
}

void QuizWindow::show_chart_words(const std::string& said)
{
    if (!chart_words)
        return;
    chart_words->setText(text(said).trimmed());
    chart_words->setVisible(!said.empty());
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
    heading->setText(text(words::task_heading(task_number(), quiz::kRoundLength)));
    instruction->setText(text(naming ? words::kNameTask : words::kSystemTask));
    instruction->show();
    verdict->clear();
    explanation->clear();
    verdict->setAccessibleName(QString());
    explanation->setAccessibleName(QString());
    trees->clear();

    answer_ = {};
    show_formula(naming ? PartialState::whole(t.system) : answer_);
    for (int p = 0; p < 3; ++p) {
        names[p]->setCurrentIndex(-1);
        names[p]->setEnabled(true);
        names[p]->setVisible(naming);
        right_names[p]->hide();
        if (narrow_)
            name_letters_[p]->setVisible(naming);
    }

    Surface& surface = chart->surface();
    if (naming) {
        surface.clear();
        chart->setAccessibleDescription(text(words::kNoSpectrum));
        show_chart_words({});
    } else {
        const Spectrum shown = spectrum_of(t.system);
        plot::plot_spectrum(surface, shown);
        const std::string ratios = words::spoken_ratios(shown);
        chart->setAccessibleDescription(text(ratios));
        show_chart_words(ratios);
    }
    chart->show_changes();

    // Orca reads a label's name and never its description, so what the task asks about
    // goes into the heading's name.
    const QString system = naming ? text(words::spoken_system(t.system)) : chart->accessibleDescription();
    heading->setAccessibleName(heading->text() + QStringLiteral(". ") + instruction->text() + u' ' + system);

    check_button->setEnabled(true);
    next_button->setEnabled(false);
    next_button->setText(text(task_number() == quiz::kRoundLength ? words::kSummary : words::kNext));
    if (narrow_)
        fit_height(*this);
    heading->setFocus();
}

void QuizWindow::show_formula(const PartialState& shown)
{
    // The letters and the label are stops for the keyboard only while they can be set.
    const bool answering = task().kind == quiz::Kind::WhichSystem && !checked_;
    for (FormulaButton* b : {letters[0], letters[1], letters[2], order})
        b->setFocusPolicy(answering ? Qt::StrongFocus : Qt::NoFocus);
    for (const Group g : kGroups) {
        const int i = index_of(g);
        subscripts[i]->setText(shown_size(shown.size(g)));
        const QString name = text(words::spoken_group(g, shown.size(g)));
        letters[i]->setAccessibleName(name);
        subscripts[i]->setAccessibleName(name);
        letters[i]->setAccessibleDescription(answering ? text(words::kPressToChange) : QString());
    }
    order->setText(shown.order ? look::order_text(*shown.order) : text(words::kUnsetOrder));
    order->setAccessibleName(text(words::spoken_order(shown.order)));
    order->setAccessibleDescription(answering ? text(words::kPressToChangeOrder) : QString());
}

void QuizWindow::cycle_size(Group g)
{
    if (task().kind != quiz::Kind::WhichSystem || checked_)
        return;
    std::optional<int>& size = answer_.sizes[std::size_t(index_of(g))];
    size = size ? next_size(*size) : kSmallestGroup;
    show_formula(answer_);
}

void QuizWindow::toggle_order()
{
    if (task().kind != quiz::Kind::WhichSystem || checked_)
        return;
    answer_.order = answer_.order ? swapped(*answer_.order) : Order::AMLarger;
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
        const std::array<MultipletName, quiz::kNameCount> listed = quiz::multiplet_names();
        quiz::ChosenNames chosen;
        for (int p = 0; p < 3; ++p) {
            const int i = names[p]->currentIndex();
            if (i >= 0)
                chosen[std::size_t(index_of(group_at(p)))] = listed[std::size_t(i)];
            names[p]->setEnabled(false);
        }
        wrong = quiz::mark_names(t.system, chosen);
    } else {
        wrong = quiz::mark_system(t.system, answer_);
        show_formula(PartialState::whole(t.system));
        for (int p = 0; p < 3; ++p) {
            right_names[p]->setText(text(words::multiplet_name(quiz::right_name(t.system, group_at(p)))));
            right_names[p]->show();
            if (narrow_)
                name_letters_[p]->show();
        }
    }

    // The truth: the spectrum as the simulator draws it, under its splitting trees.
    const Spectrum truth = spectrum_of(t.system);
    plot::plot_spectrum(chart->surface(), truth);
    chart->show_changes();
    chart->setAccessibleDescription(text(words::spoken_spectrum(truth)));
    trees->show_trees(t.system);
    show_chart_words(words::describe_spectrum(truth));

    if (wrong.empty())
        ++right_;
    else
        wrong_tasks_.push_back(task_number());
    QStringList shown;
    QStringList heard;
    for (const quiz::Explanation& e : wrong) {
        shown << text(words::explanation(t.system, e, words::Voice::Label));
        heard << text(words::explanation(t.system, e, words::Voice::Ear));
    }
    verdict->setText(text(wrong.empty() ? words::kRight : words::kWrong));
    explanation->setText(shown.join(QStringLiteral("\n\n")));
    // The verdict takes the focus, and with it the explanation is heard.
    const QString spoken = heard.join(u' ');
    verdict->setAccessibleName(spoken.isEmpty() ? verdict->text() : verdict->text() + u' ' + spoken);
    explanation->setAccessibleName(spoken);
    check_button->setEnabled(false);
    next_button->setEnabled(true);
    if (narrow_)
        fit_height(*this);
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
    heading->setText(text(words::kSummary));
    instruction->hide();
    verdict->setText(text(words::score(right_, quiz::kRoundLength)));
    const QString summary = text(words::score_summary(wrong_tasks_));
    explanation->setText(summary);
    verdict->setAccessibleName(text(words::spoken_score(right_, quiz::kRoundLength, wrong_tasks_)));
    explanation->setAccessibleName(summary);
    heading->setAccessibleName(heading->text() + u'.');
    next_button->hide();
    check_button->hide();
    again_button->show();
    if (narrow_)
        fit_height(*this);
    verdict->setFocus();
}

// The chart draws no focus of its own (the simulator's holds the focus from the start,
// unseen), so the window rings the trees and the chart while it has it.
QRect QuizWindow::chart_ring() const
{
    const QRect band(trees->mapTo(this, QPoint()), trees->size());
    const QRect canvas(chart->mapTo(this, QPoint()), chart->size());
    return (band | canvas).adjusted(-kRing, -kRing, kRing, kRing);
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
    return answer_.begun();
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
