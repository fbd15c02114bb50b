// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "ui/field_window.h"

#include "display/field_plot.h"
#include "display/look.h"
#include "ui/formula_button.h"
#include "ui/icon.h"
#include "ui/window_look.h"
#include "words/words.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

#include <cmath>

namespace spektrion {
namespace {

using namespace window_look;

constexpr QSize kClient(1250, 640);
constexpr int kTextPixelSize = 13;
// The formula's boxes stand where the simulator has them, less this corner.
constexpr QPoint kFormulaCorner(196, 8);
constexpr QSize kFormula(110, 38);
constexpr int kPresets[] = {60, 80, 300, 400, 600};

// The picture, drawn anew at the screen's resolution whenever it is shown.
class FieldView : public QWidget {
public:
    explicit FieldView(const FieldWindow& window, QWidget* parent)
        : QWidget(parent)
        , window_(window)
    {
        setFixedSize(field_plot::kWidth, field_plot::kHeight);
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override
    {
        QPainter painter(this);
        field_plot::draw(painter, window_.sizes(), window_.setting());
        if (hasFocus()) {
            painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }

private:
    const FieldWindow& window_;
};

}  // namespace

FieldWindow::FieldWindow(QWidget* parent)
    : QWidget(parent)
{
    setting_ = field::kDefaultSetting;
    dress_window(*this, text(words::kFieldTitle), kClient, kTextPixelSize);
    setWindowIcon(window_icon());
    create_controls();
    show_setting(sizes_, setting_);
}

void FieldWindow::create_controls()
{
    auto* formula = new QWidget(this);
    formula->setFixedSize(kFormula);
    for (const Group g : kGroups) {
        const int i = index_of(g);
        subscripts[i] = new FormulaButton(kLabN[i], look::group_colour(g), formula);
        subscripts[i]->move(kLabN[i].box.topLeft() - kFormulaCorner);
        subscripts[i]->setFocusPolicy(Qt::NoFocus);
        letters[i] = new FormulaButton(kLabH[i], look::group_colour(g), formula);
        letters[i]->move(kLabH[i].box.topLeft() - kFormulaCorner);
        letters[i]->setText(QString(look::group_letter(g)));
        letters[i]->setAccessibleDescription(text(words::kPressToChange));
        connect(letters[i], &QAbstractButton::clicked, this, [this, g] { cycle_size(g); });
        connect(subscripts[i], &QAbstractButton::clicked, this, [this, g] { cycle_size(g); });
    }
    picture = new FieldView(*this, this);
    picture->setAccessibleName(text(words::kFieldPicture));

    auto* grid = new QGridLayout;
    for (int i = 0; i < field::kParameters; ++i) {
        const auto p = field::Parameter(i);
        const field::ParameterRange r = field::range_of(p);
        const QString name = text(words::parameter_label(p));
        Control& c = control(p);
        c.slider = new QSlider(Qt::Horizontal, this);
        c.slider->setRange(int(std::lround(r.low / r.step)), int(std::lround(r.high / r.step)));
        c.box = new QDoubleSpinBox(this);
        // Ukrainian numbers: a decimal comma, as on the picture's axes.
        c.box->setLocale(QLocale(QLocale::Ukrainian, QLocale::Ukraine));
        c.box->setRange(r.low, r.high);
        c.box->setDecimals(r.decimals);
        c.box->setSingleStep(r.step);
        c.box->setMinimumWidth(80);
        c.slider->setAccessibleName(name);
        c.box->setAccessibleName(name);
        // Whichever of the box and its editor the focus lands on, a screen reader hears
        // the parameter's name.
        c.box->findChild<QLineEdit*>()->setAccessibleName(name);
        auto* label = new QLabel(name, this);
        label->setBuddy(c.slider);
        grid->addWidget(label, 2 * i, 0, 1, 2);
        grid->addWidget(c.slider, 2 * i + 1, 0);
        grid->addWidget(c.box, 2 * i + 1, 1);
        connect(c.slider, &QSlider::valueChanged, this, [this, p, r](int v) { set_value(p, v * r.step); });
        connect(c.box, &QDoubleSpinBox::valueChanged, this, [this, p](double v) { set_value(p, v); });
    }
    auto* presets = new QHBoxLayout;
    for (const int mhz : kPresets) {
        auto* button = new QPushButton(QString::number(mhz), this);
        button->setAccessibleName(text(words::frequency_preset(mhz)));
        button->setMinimumWidth(40);
        connect(button, &QPushButton::clicked, this,
            [this, mhz] { set_value(field::Parameter::Frequency, mhz); });
        presets->addWidget(button);
    }
    grid->addLayout(presets, 2 * field::kParameters, 0, 1, 2);

    auto* column = new QVBoxLayout;
    column->addLayout(grid);
    for (QLabel*& sentence : sentences) {
        sentence = new QLabel(this);
        sentence->setWordWrap(true);
        sentence->setTextFormat(Qt::PlainText);
        // A stop for the keyboard, so that a screen reader reads what to expect.
        sentence->setTextInteractionFlags(Qt::TextSelectableByKeyboard);
        sentence->setFocusPolicy(Qt::StrongFocus);
        column->addWidget(sentence);
    }
    column->addStretch();

    auto* left = new QVBoxLayout;
    left->addWidget(formula, 0, Qt::AlignHCenter);
    left->addWidget(picture);
    left->addStretch();
    auto* whole = new QHBoxLayout(this);
    whole->addLayout(left);
    whole->addLayout(column, 1);
}

void FieldWindow::show_setting(const field::Sizes& sizes, const field::Setting& setting)
{
    sizes_ = sizes;
    setting_ = setting;
    for (int i = 0; i < field::kParameters; ++i)
        take_value(field::Parameter(i), field::value_of(setting_, field::Parameter(i)));
    show_changes();
}

void FieldWindow::set_value(field::Parameter p, double value)
{
    take_value(p, value);
    show_changes();
}

void FieldWindow::take_value(field::Parameter p, double value)
{
    const field::ParameterRange r = field::range_of(p);
    value = std::clamp(value, r.low, r.high);
    field::value_of(setting_, p) = value;
    // The other of the pair follows without answering back.
    Control& c = control(p);
    const QSignalBlocker quiet_slider(c.slider);
    const QSignalBlocker quiet_box(c.box);
    c.slider->setValue(int(std::lround(value / r.step)));
    c.box->setValue(value);
}

void FieldWindow::cycle_size(Group g)
{
    int& size = sizes_[std::size_t(index_of(g))];
    size = next_size(size);
    show_changes();
}

void FieldWindow::show_changes()
{
    for (const Group g : kGroups) {
        const int i = index_of(g);
        subscripts[i]->setText(subscript(sizes_[std::size_t(i)]));
        letters[i]->setAccessibleName(text(words::spoken_group(g, sizes_[std::size_t(i)])));
    }
    QStringList said;
    for (std::size_t i = 0; i < sentences.size(); ++i) {
        sentences[i]->setText(
            text(words::pair_sentence(field::coupled_pair(setting_, i == 0 ? Group::A : Group::X))));
        said << sentences[i]->text();
    }
    picture->setAccessibleDescription(said.join(u' '));
    picture->update();
    emit setting_changed();
}

}  // namespace spektrion
