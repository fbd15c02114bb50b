// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

// The quiz and the field window laid out for a phone's width: everything within the
// width and the window's height, no text under 12 pixels, nothing to touch under 40.
#include "ui/field_window.h"
#include "ui/formula_button.h"
#include "ui/quiz_window.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QSlider>
#include <QStyle>

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace spektrion {
namespace {

constexpr int kLeastText = 12;
constexpr int kLeastTouch = 40;

void expect_fits_a_finger(QWidget& window, const std::string& stage)
{
    // A layout squeezes what does not fit; what it would need shows it.
    EXPECT_LE(window.layout()->totalMinimumSize().width(), window.width()) << stage;
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window) || w->isWindow())
            continue;
        const QRect box(w->mapTo(&window, QPoint()), w->size());
        const std::string what = stage + ", " + w->metaObject()->className() + " "
            + w->accessibleName().toStdString() + " at " + std::to_string(box.y());
        EXPECT_TRUE(window.rect().contains(box)) << what;
        const bool text = qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w)
            || qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w)
            || w->inherits("spektrion::FocusText");
        if (text) {
            EXPECT_GE(QFontInfo(w->font()).pixelSize(), kLeastText) << what;
        }
        // A formula's letter and its subscript are one target: either changes the group.
        if (qobject_cast<const FormulaButton*>(w) || !w->isEnabled())
            continue;
        if (qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QComboBox*>(w)
            || qobject_cast<const QSlider*>(w) || qobject_cast<const QAbstractSpinBox*>(w)) {
            EXPECT_GE(box.width(), kLeastTouch) << what;
            EXPECT_GE(box.height(), kLeastTouch) << what;
        }
        // A slider's handle is smaller than a finger: a touch sets it where it lands.
        if (const auto* slider = qobject_cast<const QSlider*>(w)) {
            EXPECT_EQ(slider->style()->styleHint(QStyle::SH_Slider_AbsoluteSetButtons, nullptr, slider),
                int(Qt::LeftButton))
                << what;
        }
        if (const auto* list = qobject_cast<const QComboBox*>(w)) {
            EXPECT_GE(list->view()->sizeHintForRow(0), kLeastTouch) << what << ", its rows";
        }
    }
}

void expect_formula_fits_a_finger(const std::array<FormulaButton*, 3>& letters,
    const std::array<FormulaButton*, 3>& subscripts, const std::string& stage)
{
    for (std::size_t i = 0; i < 3; ++i) {
        const QRect target = letters[i]->geometry() | subscripts[i]->geometry();
        EXPECT_GE(target.width(), kLeastTouch) << stage << ", group " << i;
        EXPECT_GE(target.height(), kLeastTouch) << stage << ", group " << i;
    }
}

class NarrowTest : public testing::TestWithParam<int> { };

TEST_P(NarrowTest, QuizFitsTheWidthAndAFingerThroughARound)
{
    QuizWindow window(48703u, GetParam());
    window.show();
    ASSERT_EQ(window.width(), GetParam());
    // Each task unanswered and checked, which brings the longest explanations, then the score.
    for (int task = 1; task <= quiz::kRoundLength; ++task) {
        const std::string stage = "task " + std::to_string(task);
        expect_fits_a_finger(window, stage);
        expect_formula_fits_a_finger(window.letters, window.subscripts, stage);
        EXPECT_GE(window.order->width(), kLeastTouch);
        window.check();
        expect_fits_a_finger(window, stage + ", checked");
        window.next();
    }
    expect_fits_a_finger(window, "the score");
    window.set_narrow_width(GetParam() + 100);
    ASSERT_EQ(window.width(), GetParam() + 100);
    expect_fits_a_finger(window, "the score, wider");
}

TEST_P(NarrowTest, FieldFitsTheWidthAndAFinger)
{
    FieldWindow window(GetParam());
    window.show();
    ASSERT_EQ(window.width(), GetParam());
    expect_fits_a_finger(window, "field");
    expect_formula_fits_a_finger(window.letters, window.subscripts, "field");
    window.set_narrow_width(GetParam() + 100);
    expect_fits_a_finger(window, "field, wider");
    EXPECT_EQ(window.picture->width(), GetParam() + 100 - 16);
}

// The narrowest window the page asks for, a common phone in portrait, one turned.
INSTANTIATE_TEST_SUITE_P(Widths, NarrowTest, testing::Values(300, 374, 796));

}  // namespace
}  // namespace spektrion
