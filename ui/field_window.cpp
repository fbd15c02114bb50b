// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "ui/field_window.h"

#include "display/field_plot.h"
#include "display/look.h"
#include "ui/focus_text.h"
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
#include <QProxyStyle>
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
constexpr int kNarrowMargin = 8;

// The picture, drawn anew at the screen's resolution whenever it is shown.
class FieldView : public QWidget {
public:
    FieldView(const FieldWindow& window, int width, QWidget* parent)
        : QWidget(parent)
        , window_(window)
    {
        set_width(width);
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    void set_width(int width)
    {
        width_ = width;
        setFixedSize(field_plot::size_at(width));
        update();
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override
    {
        QPainter painter(this);
        field_plot::draw(painter, window_.sizes(), window_.setting(), width_);
        if (hasFocus()) {
            painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }

private:
    const FieldWindow& window_;
    int width_ = field_plot::kWidth;
};

// A slider set where a finger touches it, not a page at a time towards it: its handle
// is smaller than a finger.
class FingerSliders : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
        QStyleHintReturn* returned) const override
    {
        if (hint == SH_Slider_AbsoluteSetButtons)
            return Qt::LeftButton;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

// A value box that reads a number as a student types it. A decimal point where the
// locale writes a comma (the keypad's key gives a point) is the comma. The value is
// taken on Enter or when the focus leaves, not at every keystroke, so that "2" on the
// way to "2,5" is never written back into the box. A number out of range stays on
// screen until then and is refused by showing the value again, where the toolkit would
// drop the keystroke and leave another number ("200" for "2000").
class DecimalBox : public QDoubleSpinBox {
public:
    explicit DecimalBox(QWidget* parent)
        : QDoubleSpinBox(parent)
    {
        setKeyboardTracking(false);
        setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    }

    QValidator::State validate(QString& input, int& pos) const override
    {
        input.replace(u'.', locale().decimalPoint());
        const QValidator::State state = QDoubleSpinBox::validate(input, pos);
        bool number = false;
        locale().toDouble(input, &number);
        return state == QValidator::Invalid && number ? QValidator::Intermediate : state;
    }
};

}  // namespace

FieldWindow::FieldWindow(std::optional<int> narrow, QWidget* parent)
    : QWidget(parent)
    , narrow_(narrow.has_value())
{
    setting_ = field::kDefaultSetting;
    dress_window(*this, text(words::kFieldTitle),
        narrow ? QSize(std::max(*narrow, kNarrowestWindow), kClient.height()) : kClient, kTextPixelSize,
        look::Smoothing::Print);
    setWindowIcon(window_icon());
    create_controls(narrow.has_value());
    show_setting(sizes_, setting_);
}

void FieldWindow::create_controls(bool narrow)
{
    const qreal times = narrow ? kNarrowFormula : 1.0;
    auto* formula = new QWidget(this);
    formula->setFixedSize(kFormula * times);
    for (const Group g : kGroups) {
        const int i = index_of(g);
        subscripts[i]
            = new FormulaButton(scaled(kLabN[i], times, kFormulaCorner), look::group_colour(g), formula);
        subscripts[i]->setFocusPolicy(Qt::NoFocus);
        letters[i]
            = new FormulaButton(scaled(kLabH[i], times, kFormulaCorner), look::group_colour(g), formula);
        letters[i]->setText(QString(look::group_letter(g)));
        letters[i]->setAccessibleDescription(text(words::kPressToChange));
        connect(letters[i], &QAbstractButton::clicked, this, [this, g] { cycle_size(g); });
        connect(subscripts[i], &QAbstractButton::clicked, this, [this, g] { cycle_size(g); });
    }
    picture = new FieldView(*this, narrow ? width() - 2 * kNarrowMargin : field_plot::kWidth, this);
    QStyle* const finger = narrow ? new FingerSliders : nullptr;
    if (finger)
        finger->setParent(this);
    picture->setAccessibleName(text(words::kFieldPicture));

    auto* grid = new QGridLayout;
    for (int i = 0; i < field::kParameters; ++i) {
        const auto p = field::Parameter(i);
        const field::ParameterRange r = field::range_of(p);
        const QString name = text(words::parameter_label(p));
        Control& c = control(p);
        c.slider = new QSlider(Qt::Horizontal, this);
        c.slider->setRange(int(std::lround(r.low / r.step)), int(std::lround(r.high / r.step)));
        c.box = new DecimalBox(this);
        // Ukrainian numbers: a decimal comma, as on the picture's axes.
        c.box->setLocale(QLocale(QLocale::Ukrainian, QLocale::Ukraine));
        c.box->setRange(r.low, r.high);
        c.box->setDecimals(r.decimals);
        c.box->setSingleStep(r.step);
        c.box->setMinimumWidth(80);
        if (finger) {
            c.slider->setStyle(finger);
            c.slider->setMinimumHeight(kFingerSize);
            c.box->setMinimumHeight(kFingerSize);
            // The slider sets it; the box shows it, and takes a number typed.
            c.box->setButtonSymbols(QAbstractSpinBox::NoButtons);
        }
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
        button->setMinimumWidth(kFingerSize);
        if (narrow)
            button->setMinimumHeight(kFingerSize);
        connect(button, &QPushButton::clicked, this,
            [this, mhz] { set_value(field::Parameter::Frequency, mhz); });
        presets->addWidget(button);
    }
    grid->addLayout(presets, 2 * field::kParameters, 0, 1, 2);

    auto* column = new QVBoxLayout;
    column->addLayout(grid);
    // Stops for the keyboard, so that a screen reader reads what to expect.
    for (FocusText*& sentence : sentences) {
        sentence = new FocusText(QRect(), this);
        column->addWidget(sentence);
    }
    column->addStretch();

    auto* left = new QVBoxLayout;
    left->addWidget(formula, 0, Qt::AlignHCenter);
    left->addWidget(picture);
    if (narrow) {
        // One column: the picture over the parameters.
        auto* whole = new QVBoxLayout(this);
        whole->setContentsMargins(kNarrowMargin, kNarrowMargin, kNarrowMargin, kNarrowMargin);
        whole->addLayout(left);
        whole->addLayout(column);
        return;
    }
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

void FieldWindow::set_narrow_width(int width)
{
    if (!narrow_)
        return;
    setFixedWidth(std::max(width, kNarrowestWindow));
    static_cast<FieldView*>(picture)->set_width(this->width() - 2 * kNarrowMargin);
    fit_height(*this);
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
    for (std::size_t i = 0; i < sentences.size(); ++i)
        sentences[i]->setText(
            text(words::pair_sentence(field::coupled_pair(setting_, i == 0 ? Group::A : Group::X))));
    picture->setAccessibleDescription(field_plot::description(setting_));
    picture->update();
    // A sentence may wrap to another line.
    if (narrow_)
        fit_height(*this);
    emit setting_changed();
}

}  // namespace spektrion
