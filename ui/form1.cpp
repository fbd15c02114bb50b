// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "ui/form1.h"

#include "display/chart.h"
#include "display/look.h"
#include "display/plot.h"
#include "model/spectrum.h"
#include "ui/canvas.h"
#include "ui/click_label.h"
#include "ui/icon.h"
#include "ui/window_look.h"
#include "words/words.h"

#include <QFont>
#include <QMouseEvent>
#include <QPalette>

namespace spektrion {
namespace {

using namespace window_look;

constexpr QRgb kHelpBack = 0xFFFFC0u;

constexpr QRect kPicture1(8, 52, 779, 410);
constexpr LabelLook kLabHelp = {QRect(8, 492, 777, 21), 13, false, Qt::AlignLeft};

}  // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent)
{
    // The window's own font is Arial 8.25 pt.
    dress_window(
        *this, text(words::kSimulatorTitle), QSize(kClientWidth, kClientHeight), kWindowFontPixelSize);
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
    Picture1->setAccessibleName(text(words::kHelpChart).trimmed());

    // The start-up state's names, which rozrah writes again.
    const QString triplet = text(words::multiplet_name({2}));
    const QString captions[3] = {triplet, text(words::multiplet_name({2, 2})), triplet};
    for (int i = 2; i >= 0; --i)
        Lab_syg[i] = make_label(this, kLabSyg[i], captions[i], kWindowBack, QColor::fromRgb(kBlack));
    Lab_help = make_label(this, kLabHelp, QString(), kHelpBack, QColor::fromRgb(kBlack));
    Label1 = make_label(
        this, kLabel1, look::order_text(Order::AMLarger), kWindowBack, palette().color(QPalette::ButtonText));
    for (int i = 2; i >= 0; --i)
        LabN[i]
            = make_label(this, kLabN[i], subscript(2), kWindowBack, QColor::fromRgb(look::kGroupColours[i]));
    for (int i = 2; i >= 0; --i)
        LabH[i] = make_label(this, kLabH[i], QString(look::group_letter(kGroups[i])), kWindowBack,
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
    show_subscripts();
    rozrah();
}

void Form1::show_subscripts()
{
    for (ClickLabel* label : LabN)
        label->setText(QString());
    const std::int16_t sizes[3] = {model_.nA, model_.nM, model_.nX};
    for (int i = 0; i < 3; ++i)
        if (sizes[i] > 1)
            LabN[i]->setText(subscript(sizes[i]));
}

void Form1::Label1_Click()
{
    model_.znak_J = std::int16_t(1 - model_.znak_J);
    Label1->setText(look::order_text(model_.state().order));
    rozrah();
}

void Form1::show_state(const SpinState& s)
{
    model_.set_state(s);
    show_subscripts();
    Label1->setText(look::order_text(s.order));
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
    Lab_help->setText(text(words::kHelpOrder));
}

void Form1::LabH_MouseMove(std::int16_t /*Index*/)
{
    Lab_help->setText(text(words::kHelpGroup));
}

void Form1::Picture1_MouseMove()
{
    Lab_help->setText(text(words::kHelpChart));
}

void Form1::rozrah()
{
    // The model's own steps rebuild the table (clear, seed, split, heights, then the
    // ratios it is left at); the spectrum they give is drawn and named.
    const Spectrum spectrum = recalculate(model_);
    plot::plot_spectrum(Picture1->surface(), spectrum);
    for (const Signal& signal : spectrum.by_position)
        Lab_syg[std::size_t(chart_position(signal.group))]->setText(
            text(words::multiplet_name(signal.name())));
    // What a screen reader says of the chart: the state and its spectrum in words
    // written for the ear, as the quiz speaks them. Only the chart takes the focus, so
    // it carries the formula too.
    Picture1->setAccessibleDescription(
        text(words::spoken_system(spectrum.state) + ' ' + words::spoken_spectrum(spectrum)));
    Picture1->show_changes();
}

}  // namespace spektrion
