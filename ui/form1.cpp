// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "ui/form1.h"

#include "ui/canvas.h"
#include "display/chart.h"
#include "ui/click_label.h"
#include "ui/icon.h"
#include "display/look.h"
#include "display/plot.h"
#include "model/quiz.h"
#include "ui/window_look.h"

#include <QFont>
#include <QMouseEvent>
#include <QPalette>

namespace spektrion {
namespace {

using namespace window_look;

constexpr QRgb kHelpBack = 0xFFFFC0u;

constexpr QRect kPicture1(8, 52, 779, 410);
constexpr LabelLook kLabHelp = {QRect(8, 492, 777, 21), 13, false, Qt::AlignLeft};

constexpr char16_t kTitle[] = u"Spektrion навчальний симулятор";
constexpr char16_t kHelpLabel1[] = u" Константи спін-спінової взаємодії. Клікніть, щоб змінити нерівність";
constexpr char16_t kHelpLabH[] = u" Кількість протонів (1-3) в даній групі. Клікніть, щоб змінити";
constexpr char16_t kHelpPicture1[] = u" Змодельований ПМР спектр";

QString subscript(int size)
{
    return size > 1 ? QString::number(size) : QString();
}

}  // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent)
{
    // The window's own font is Arial 8.25 pt.
    dress_window(*this, text(kTitle), QSize(kClientWidth, kClientHeight), kWindowFontPixelSize);
    setWindowIcon(window_icon());
    setMouseTracking(true);

    create_controls();
    connect_handlers();
    Form_Load();
}

void Form1::create_controls()
{
    // Created in this order, so later controls lie above earlier ones where the
    // formula boxes share a column.
    Picture1 = new Canvas(chart::image(), this);
    Picture1->move(kPicture1.topLeft());
    Picture1->setFocusPolicy(Qt::StrongFocus);
    Picture1->setAccessibleName(text(kHelpPicture1).trimmed());

    const QString triplet = text(outer_description(2));
    const QString captions[3] = {triplet, text(middle_description(2, 2, 0)), triplet};
    for (int i = 2; i >= 0; --i)
        Lab_syg[i] = make_label(this, kLabSyg[i], captions[i], kWindowBack, QColor::fromRgb(kBlack));
    Lab_help = make_label(this, kLabHelp, QString(), kHelpBack, QColor::fromRgb(kBlack));
    Label1
        = make_label(this, kLabel1, look::order_text(0), kWindowBack, palette().color(QPalette::ButtonText));
    for (int i = 2; i >= 0; --i)
        LabN[i]
            = make_label(this, kLabN[i], subscript(2), kWindowBack, QColor::fromRgb(look::kGroupColours[i]));
    for (int i = 2; i >= 0; --i)
        LabH[i] = make_label(this, kLabH[i], QString(QChar(look::kGroupLetters[i])), kWindowBack,
            QColor::fromRgb(look::kGroupColours[i]));
    Picture1->setFocus();
    for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        control->installEventFilter(this);
}

void Form1::connect_handlers()
{
    for (std::int16_t i = 0; i < 3; ++i) {
        connect(LabH[i], &ClickLabel::clicked, this, [this, i] { LabH_Click(i); });
        connect(LabN[i], &ClickLabel::clicked, this, [this, i] { LabN_Click(i); });
    }
    connect(Label1, &ClickLabel::clicked, this, &Form1::Label1_Click);
}

void Form1::Form_Load()
{
    model_.nA = 2;
    model_.nM = 2;
    model_.nX = 2;
    model_.znak_J = 0;
    rozrah();
}

void Form1::LabH_Click(std::int16_t Index)
{
    cycle_group(Index);
}

void Form1::LabN_Click(std::int16_t Index)
{
    cycle_group(Index);
}

void Form1::cycle_group(std::int16_t Index)
{
    if (Index == 0)
        ++model_.nA;
    if (Index == 1)
        ++model_.nM;
    if (Index == 2)
        ++model_.nX;
    for (std::int16_t* size : {&model_.nA, &model_.nM, &model_.nX})
        if (*size == 4)
            *size = 1;
    for (ClickLabel* label : LabN)
        label->setText(QString());
    const std::int16_t sizes[3] = {model_.nA, model_.nM, model_.nX};
    for (int i = 0; i < 3; ++i)
        if (sizes[i] > 1)
            LabN[i]->setText(subscript(sizes[i]));
    rozrah();
}

void Form1::Label1_Click()
{
    model_.znak_J = std::int16_t(1 - model_.znak_J);
    Label1->setText(look::order_text(model_.znak_J));
    rozrah();
}

void Form1::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    route_pointer_move(mapFromGlobal(event->globalPosition().toPoint()));
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseMove)
        return QWidget::eventFilter(watched, event);
    const auto* move = static_cast<QMouseEvent*>(event);
    route_pointer_move(mapFromGlobal(move->globalPosition().toPoint()));
    return true;
}

void Form1::route_pointer_move(QPoint pos)
{
    // Dragged off the window: nothing of ours lies under the pointer.
    if (!rect().contains(pos))
        return;
    QWidget* control = childAt(pos);
    if (control == nullptr)
        Form_MouseMove();
    else if (control == Picture1)
        Picture1_MouseMove();
    else if (control == Label1)
        Label1_MouseMove();
    for (std::int16_t i = 0; i < 3; ++i)
        if (control == LabH[i])
            LabH_MouseMove(i);
    // The subscripts, the descriptions and the help bar have no hover handler and
    // leave the help bar as it is.
}

void Form1::Form_MouseMove()
{
    Lab_help->setText(QString());
}

void Form1::Label1_MouseMove()
{
    Lab_help->setText(text(kHelpLabel1));
}

void Form1::LabH_MouseMove(std::int16_t /*Index*/)
{
    Lab_help->setText(text(kHelpLabH));
}

void Form1::Picture1_MouseMove()
{
    Lab_help->setText(text(kHelpPicture1));
}

void Form1::rozrah()
{
    model_.clear_lines();
    model_.seed();
    model_.split();
    model_.rescale_heights();

    Surface& surface = Picture1->surface();
    plot::plot_bars(surface, model_.spektr);

    const QString outer = text(outer_description(model_.nM));
    Lab_syg[0]->setText(outer);
    Lab_syg[2]->setText(outer);
    Lab_syg[1]->setText(text(middle_description(model_.nA, model_.nX, model_.znak_J)));

    model_.rescale_ratios();
    plot::plot_ratio_labels(surface, model_.spektr);
    plot::plot_colons(surface, model_.spektr);
    // What a screen reader says of the chart: the state and its spectrum in words
    // written for the ear, as the quiz speaks them. Only the chart takes the focus, so
    // it carries the formula too.
    const quiz::System state{model_.nA, model_.nM, model_.nX, model_.znak_J};
    Picture1->setAccessibleDescription(
        text(quiz::spoken_system(state) + ' ' + quiz::spoken_spectrum(model_)));
    Picture1->show_changes();
}

}  // namespace spektrion
