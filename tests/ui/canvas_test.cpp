// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "display/chart.h"
#include "tests/support/pixels.h"
#include "tests/support/spectrum.h"
#include "ui/canvas.h"

#include <gtest/gtest.h>

namespace spektrion {
namespace {

using namespace testing_pixels;
using namespace testing_spectrum;

TEST(CanvasTest, ShowsItsSurfaceInsideAOnePixelFrame)
{
    Canvas canvas(the_chart());
    EXPECT_EQ(canvas.size(), QSize(779, 410));
    draw(canvas.surface(), state(2, 2, 2, 0));
    // Rendered over white, so that a frame line left unpainted shows as white
    // (a grab of an opaque widget starts from undefined, often black, pixels).
    QImage shown(canvas.size(), QImage::Format_RGB32);
    shown.fill(Qt::white);
    canvas.render(&shown);
    EXPECT_EQ(shown.copy(1, 1, 777, 408), canvas.surface().image());
    const QRect frame = shown.rect();
    EXPECT_TRUE(all_of(shown, QRect(frame.topLeft(), frame.topRight()), chart::kBlack));
    EXPECT_TRUE(all_of(shown, QRect(frame.bottomLeft(), frame.bottomRight()), chart::kBlack));
    EXPECT_TRUE(all_of(shown, QRect(frame.topLeft(), frame.bottomLeft()), chart::kBlack));
    EXPECT_TRUE(all_of(shown, QRect(frame.topRight(), frame.bottomRight()), chart::kBlack));
}

}  // namespace
}  // namespace spektrion
