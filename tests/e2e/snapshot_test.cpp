// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

// spektrion-snapshot against the window itself: for every state its picture is the
// window's, pixel for pixel, driven there by clicks; bad arguments write nothing.
#include "tests/support/pixels.h"
#include "tests/support/scaled.h"
#include "tests/support/tool.h"
#include "ui/canvas.h"
#include "ui/click_label.h"
#include "ui/form1.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

namespace spektrion {
namespace {

using testing_tool::BadCall;
using testing_tool::Outcome;

// As from a desktop scaled by two, whose scale the pictures ignore.
Outcome snapshot(const QStringList& arguments)
{
    QProcessEnvironment env = testing_tool::headless_environment();
    env.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
    return testing_tool::run(QStringLiteral(SNAPSHOT_BINARY), arguments, env);
}

// The window after clicks from start-up: each letter to its size, then the order.
void click_to(Form1& form, int nA, int nM, int nX, bool mx_larger)
{
    const int sizes[3] = {nA, nM, nX};
    for (int i = 0; i < 3; ++i)
        for (int n = (sizes[i] + 1) % 3; n > 0; --n)
            QTest::mouseClick(form.LabH[i], Qt::LeftButton);
    if (mx_larger)
        QTest::mouseClick(form.Label1, Qt::LeftButton);
}

TEST(SnapshotTest, PicturesMatchTheWindowInAllStates)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (int order = 0; order < 2; ++order)
        for (int a = 1; a <= 3; ++a)
            for (int m = 1; m <= 3; ++m)
                for (int x = 1; x <= 3; ++x) {
                    const std::string state
                        = std::to_string(a) + "," + std::to_string(m) + "," + std::to_string(x);
                    const QString file
                        = dir.filePath(QString::fromStdString("s" + state + std::to_string(order) + ".png"));
                    const Outcome out = snapshot(
                        {QStringLiteral("--sizes"), QString::fromStdString(state), QStringLiteral("--order"),
                            order ? QStringLiteral("<") : QStringLiteral(">"), QStringLiteral("-o"), file});
                    ASSERT_EQ(out.exit_code, 0) << state << ": " << out.errors.toStdString();
                    EXPECT_EQ(out.errors + out.output, QString()) << "a successful run says nothing";
                    Form1 window;
                    click_to(window, a, m, x, order == 1);
                    ASSERT_EQ((std::vector<int>{window.model().nA, window.model().nM, window.model().nX}),
                        (std::vector<int>{a, m, x}));
                    EXPECT_TRUE(testing_pixels::same_pixels(QImage(file), window.grab().toImage()))
                        << "state " << state << " order " << order;
                }
}

TEST(SnapshotTest, ChartAloneIsTheCanvasImage)
{
    QTemporaryDir dir;
    // Any case of the extension will do.
    const QString file = dir.filePath(QStringLiteral("CHART.PNG"));
    ASSERT_EQ(snapshot({QStringLiteral("--chart"), QStringLiteral("--sizes"), QStringLiteral("3,3,3"),
                           QStringLiteral("-o"), file})
                  .exit_code,
        0);
    Form1 window;
    click_to(window, 3, 3, 3, false);
    const QImage picture(file);
    EXPECT_EQ(picture.size(), QSize(777, 408));
    EXPECT_TRUE(testing_pixels::same_pixels(picture, window.Picture1->surface().image()));
}

TEST(SnapshotTest, TreeStandsOverTheChartAlone)
{
    QTemporaryDir dir;
    const QString chart = dir.filePath(QStringLiteral("chart.png"));
    const QString tree = dir.filePath(QStringLiteral("tree.png"));
    for (const auto& [option, file] : {std::pair{"--chart", chart}, std::pair{"--tree", tree}})
        ASSERT_EQ(snapshot({QString::fromLatin1(option), QStringLiteral("--sizes"), QStringLiteral("1,3,2"),
                               QStringLiteral("--order"), QStringLiteral("<"), QStringLiteral("-o"), file})
                      .exit_code,
            0);
    const QImage picture(tree);
    ASSERT_EQ(picture.size(), QSize(777, 408 + 170));
    EXPECT_TRUE(testing_pixels::same_pixels(picture.copy(0, 170, 777, 408), QImage(chart)));
}

class ScaledSnapshotTest : public testing::TestWithParam<double> { };

INSTANTIATE_TEST_SUITE_P(Ratios, ScaledSnapshotTest, testing::Values(1.25, 1.5, 2.0, 2.625),
    [](const auto& p) { return std::to_string(int(p.param * 1000)); });

// The window as a display scaled by that much shows it: laid out at that size, the
// chart drawn at the device's resolution, every text unsmoothed in its colours.
TEST_P(ScaledSnapshotTest, WindowIsDrawnAtTheRatioNotEnlarged)
{
    using testing_scaled::device;
    const double ratio = GetParam();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("scaled.png"));
    ASSERT_EQ(
        snapshot({QStringLiteral("--scale"), QString::number(ratio), QStringLiteral("-o"), file}).exit_code,
        0);
    const QImage picture(file);
    ASSERT_EQ(picture.size(), QSize(device(792, ratio), device(521, ratio)));
    const QPoint origin = testing_scaled::chart_origin(picture, ratio);
    EXPECT_LE((origin - QPoint(device(9, ratio), device(53, ratio))).manhattanLength(), 2)
        << origin.x() << "," << origin.y();
    EXPECT_EQ(testing_scaled::faults(picture, origin, ratio), "");
    // The canvas's frame as wide on every side: first and last black runs across it.
    const int frame = std::max(1, device(1, ratio));
    // Across the canvas only: below it stand the descriptions' black words.
    std::vector<int> far;  // where the right and the bottom frame start
    for (const auto& [from, step, steps] :
        {std::tuple{QPoint(0, device(250, ratio)), QPoint(1, 0), device(790, ratio)},
            std::tuple{QPoint(device(300, ratio), 0), QPoint(0, 1), device(463, ratio)}}) {
        const auto black = testing_scaled::runs(picture, from, step, steps, 0x000000u);
        ASSERT_GE(black.size(), 2u);
        EXPECT_EQ(black.front().length, frame);
        EXPECT_EQ(black.back().length, frame) << "the right or bottom frame";
        far.push_back(black.back().start);
    }
    const QRect chart(origin, QSize(device(777, ratio), device(408, ratio)));
    // What the rounding leaves between the chart and its frame, if anything, is the chart's white.
    for (const QRect& gap : {QRect(QPoint(chart.right() + 1, chart.top()), QPoint(far[0] - 1, far[1] - 1)),
             QRect(QPoint(chart.left(), chart.bottom() + 1), QPoint(far[0] - 1, far[1] - 1))})
        EXPECT_TRUE(!gap.isValid() || testing_pixels::all_of(picture, gap, 0xFFFFFFu));
    int foreign = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            foreign += !chart.contains(x, y)
                && !QList<QRgb>{0xE0E0E0u, 0xFFFFC0u, 0x000000u, 0xFF0000u, 0x008000u, 0x0000FFu, 0xFFFFFFu}
                        .contains(testing_pixels::rgb(picture, x, y));
    EXPECT_EQ(foreign, 0) << "smoothed pixels in the labels";
}

// The SVG drawing, as a real consumer (librsvg) renders it, is the picture at that
// scale but for the text's smoothing (and the trees' smoothed lines above the chart);
// its text is text and its shapes shapes.
TEST(SnapshotTest, SvgDrawingRendersAsThePictureOutsideTheText)
{
    QTemporaryDir dir;
    for (const auto& [option, scale, band] : {std::tuple{"--chart", 1, 0}, std::tuple{"--chart", 2, 0},
             std::tuple{"--tree", 1, 170}, std::tuple{"--tree", 2, 170}}) {
        const QString svg = dir.filePath(QStringLiteral("chart.svg"));
        const QString png = dir.filePath(QStringLiteral("chart.png"));
        const QString rendered = dir.filePath(QStringLiteral("rendered.png"));
        for (const QString& file : {svg, png})
            ASSERT_EQ(
                snapshot({QString::fromLatin1(option), QStringLiteral("--sizes"), QStringLiteral("3,1,2"),
                             QStringLiteral("--scale"), QString::number(scale), QStringLiteral("-o"), file})
                    .exit_code,
                0);
        QFile text(svg);
        ASSERT_TRUE(text.open(QIODevice::ReadOnly));
        const QByteArray drawing = text.readAll();
        EXPECT_TRUE(drawing.contains("<text") && !drawing.contains("<image")) << "not vectors";
        ASSERT_EQ(
            QProcess::execute(QStringLiteral("rsvg-convert"), {svg, QStringLiteral("-o"), rendered}), 0);
        const QImage a(rendered), b(png);
        ASSERT_EQ(a.size(), b.size());
        // Text: the group letters' row, the TMS label, the axis labels and ratios.
        const QRect texts[]
            = {QRect(0, 0, 777, 30), QRect(QPoint(670, 326), QPoint(708, 340)), QRect(0, 386, 777, 22)};
        int differing = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                differing += y / scale >= band
                    && std::none_of(std::begin(texts), std::end(texts),
                        [&](const QRect& r) { return r.contains(x / scale, y / scale - band); })
                    && testing_pixels::rgb(a, x, y) != testing_pixels::rgb(b, x, y);
        EXPECT_EQ(differing, 0) << option << " at scale " << scale;
    }
}

struct Hover {
    const char* name;
    QPoint at;
    const char* help;  // what the help bar then says
};

class PointerSnapshotTest : public testing::TestWithParam<Hover> { };

INSTANTIATE_TEST_SUITE_P(Controls, PointerSnapshotTest,
    testing::Values(
        Hover{"Letter", {204, 20}, " Кількість протонів (1-3) в даній групі. Клікніть, щоб змінити"},
        Hover{"CouplingLabel", {440, 20},
            " Константи спін-спінової взаємодії. Клікніть, щоб змінити нерівність"},
        Hover{"Chart", {300, 200}, " Змодельований ПМР спектр"}, Hover{"BareWindow", {700, 25}, ""},
        Hover{"Subscript", {220, 38}, ""}),
    [](const auto& p) { return std::string(p.param.name); });

// --pointer rests the pointer where asked: the help bar says what the window's says.
TEST_P(PointerSnapshotTest, HelpBarExplainsWhatLiesUnderThePointer)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("hover.png"));
    const QPoint at = GetParam().at;
    ASSERT_EQ(snapshot({QStringLiteral("--pointer"), QStringLiteral("%1,%2").arg(at.x()).arg(at.y()),
                           QStringLiteral("-o"), file})
                  .exit_code,
        0);
    Form1 window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // The toolkit drops a move to where the pointer already is: start from a corner
    // (the bare window, which leaves the help bar empty as at start-up).
    QTest::mouseMove(&window, QPoint(790, 2));
    QTest::mouseMove(&window, at);
    EXPECT_EQ(window.Lab_help->text().toStdString(), GetParam().help);
    EXPECT_TRUE(testing_pixels::same_pixels(QImage(file), window.grab().toImage())) << GetParam().name;
}

TEST(SnapshotTest, DescribePrintsTheSpectrumInWords)
{
    const Outcome out
        = snapshot({QStringLiteral("--describe"), QStringLiteral("--sizes"), QStringLiteral("2,3,2")});
    EXPECT_EQ(out.exit_code, 0) << out.errors.toStdString();
    EXPECT_EQ(out.output.toStdString(),
        "X: квартет, 1 : 3 : 3 : 1\n"
        "M: триплет триплетів, 1 : 2 : 1 : 2 : 4 : 2 : 1 : 2 : 1\n"
        "A: квартет, 1 : 3 : 3 : 1\n");
}

// The line list as a spreadsheet reads it, in any locale: the header, then a line per
// transition by frequency, none closer than 0.001 Hz or weaker than 1e-6, adding up to
// the protons; the first-order list in the same form, A's 3 lines, M's 4 × 2 and X's 3
// (at 60 MHz the exact list has more). A shift of 0 has no sign.
TEST(SnapshotTest, LinesAtAFieldAreAListToCompute)
{
    for (const char* list : {"--lines", "--first-order"}) {
        QStringList arguments = {"--field", "60", "--sizes", "3,2,1", "--shifts", "3.9,3.6,0", "--lines"};
        const bool first_order = QByteArray(list) == "--first-order";
        if (first_order)
            arguments << list;
        const Outcome out = snapshot(arguments);
        ASSERT_EQ(out.exit_code, 0) << out.errors.toStdString();
        QStringList rows = out.output.split(u'\n', Qt::SkipEmptyParts);
        ASSERT_GT(rows.size(), 1);
        EXPECT_EQ(rows.takeFirst(), "hz,ppm,intensity");
        EXPECT_EQ(rows.size() == 14, first_order) << rows.size() << " lines";
        EXPECT_FALSE(out.output.contains(QLatin1String("-0.0000,"))) << out.output.toStdString();
        double total = 0.0;
        double previous = -1e9;
        for (const QString& row : rows) {
            const QStringList cells = row.split(u',');
            ASSERT_EQ(cells.size(), 3) << row.toStdString();
            const double hz = cells[0].toDouble();
            EXPECT_NEAR(cells[1].toDouble(), hz / 60.0, 1e-6) << row.toStdString();
            EXPECT_GE(hz - previous, 0.001 - 1e-4) << row.toStdString();
            EXPECT_GE(cells[2].toDouble(), 1e-6) << row.toStdString();
            total += cells[2].toDouble();
            previous = hz;
        }
        EXPECT_NEAR(total, 6.0, 1e-4) << list;
    }
}

// The field's picture at the scale asked, and as a drawing whose description says what
// the window's sentences say.
TEST(SnapshotTest, TheFieldsPictureTakesItsScaleAndSaysWhatItShows)
{
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("field.png"));
    const QString svg = dir.filePath(QStringLiteral("field.svg"));
    ASSERT_EQ(snapshot({"--field", "60", "--scale", "2", "-o", png}).exit_code, 0);
    EXPECT_EQ(QImage(png).size(), QSize(1800, 1120));
    ASSERT_EQ(snapshot({"--field", "400", "--shifts", "3.9,3.6,3.2", "-o", svg}).exit_code, 0);
    QFile drawing(svg);
    ASSERT_TRUE(drawing.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(drawing.readAll())
                    .contains(QStringLiteral("<desc>A і M: Δν/J = 17. Перший порядок: мультиплети такі, як "
                                             "передбачає правило n + 1. X і M: Δν/J = 32. Перший")));
}

class SnapshotArgumentTest : public testing::TestWithParam<BadCall> { };

INSTANTIATE_TEST_SUITE_P(BadArguments, SnapshotArgumentTest,
    testing::Values(BadCall{"SizeFour", {"--sizes", "4,1,2"}, "4,1,2"},
        BadCall{"TwoSizes", {"--sizes", "3,1"}, "3,1"},
        BadCall{"FourSizes", {"--sizes", "1,2,3,4"}, "1,2,3,4"},
        BadCall{"WordForSize", {"--sizes", "a,b,c"}, "a,b,c"},
        BadCall{"MissingSizes", {"--sizes"}, "--sizes"}, BadCall{"BadOrder", {"--order", "="}, "--order"},
        BadCall{"UnknownOption", {"--colour", "red"}, "--colour"},
        BadCall{"FieldTooLow", {"--field", "20", "-o", "OUT"}, "--field"},
        BadCall{"ShiftsWithoutField", {"--shifts", "1,2,3", "-o", "OUT"}, "--field"},
        BadCall{"OrderAtAField", {"--field", "60", "--order", "<", "-o", "OUT.png"}, "--order"},
        BadCall{"ScaleOfALineList", {"--field", "60", "--scale", "3", "--lines"}, "--scale"},
        BadCall{"ChartOfWords", {"--describe", "--chart"}, "--chart"},
        BadCall{"NotAPng", {"--sizes", "1,1,1", "-o", "OUT.jpg"}, "out.jpg"},
        BadCall{"NoOutput", {"--sizes", "1,1,1", "--no-o"}, "--no-o"},
        BadCall{"DescribeAndPicture", {"--describe", "-o", "OUT.png"}, "--describe"},
        BadCall{"ToolkitStyleSheet", {"-stylesheet", "OUT.qss"}, "-stylesheet"},
        BadCall{"ToolkitPlatform", {"-platform", "minimal"}, "-platform"},
        BadCall{"ScaleTooLarge", {"--scale", "5"}, "--scale"},
        BadCall{"SvgOfTheWindow", {"-o", "OUT.svg"}, "--chart"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_P(SnapshotArgumentTest, FailsNamingTheArgumentAndWritesNothing)
{
    testing_tool::expect_refused(snapshot, "spektrion-snapshot", GetParam(), "out.png");
}

}  // namespace
}  // namespace spektrion
