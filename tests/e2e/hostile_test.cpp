// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

// The simulator where a lab machine is not what it should be: no display at all, the
// Liberation fonts missing, a desktop scaled by two, a screen smaller than the window.
#include "tests/e2e/x_session.h"
#include "tests/support/pixels.h"
#include "tests/support/scaled.h"
#include "tests/support/tool.h"
#include "ui/form1.h"
#include "ui/quiz_window.h"

#include <QPainter>
#include <QTemporaryDir>

namespace spektrion {
namespace {

using namespace testing_pixels;
using namespace testing_x;

constexpr QRgb kGroupColours[3] = {0xFF0000u, 0x008000u, 0x0000FFu};

// The controls' boxes in the window, as laid out at 96 dpi.
const QRect kLabH[3] = {QRect(196, 8, 17, 29), QRect(228, 8, 25, 29), QRect(268, 8, 21, 29)};
const QRect kLabN[3] = {QRect(212, 20, 17, 25), QRect(252, 20, 17, 25), QRect(288, 20, 17, 25)};
const QRect kLabel1(356, 8, 181, 33);
const QRect kLabSyg[3] = {QRect(96, 464, 105, 21), QRect(248, 464, 201, 21), QRect(496, 464, 105, 21)};
const QRect kLabHelp(8, 492, 777, 21);
const QRect kChartInWindow(9, 53, 777, 408);

QRect scaled(const QRect& r, int factor)
{
    return {r.x() * factor, r.y() * factor, r.width() * factor, r.height() * factor};
}

// A private runtime directory, so that the toolkit has nothing to warn about.
QProcessEnvironment quiet_environment(const QString& display, const QTemporaryDir& runtime)
{
    QProcessEnvironment env = x_environment(display);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    return env;
}

struct Refusal {
    const char* name;
    const char* variable;  // set to `value`, or with no display at all when null
    const char* value;
    const char* named;  // what the one sentence must name
};

void PrintTo(const Refusal& r, std::ostream* os)
{
    *os << r.name;
}

// The two window programs: the simulator and the quiz.
struct Program {
    const char* label;
    const char* name;
    const char* binary;
};

void PrintTo(const Program& p, std::ostream* os)
{
    *os << p.name;
}

class RefusalTest : public testing::TestWithParam<std::tuple<Program, Refusal>> { };

INSTANTIATE_TEST_SUITE_P(HostileEnvironment, RefusalTest,
    testing::Combine(testing::Values(Program{"Simulator", "spektrion", SPEKTRION_BINARY},
                         Program{"Quiz", "spektrion-quiz", QUIZ_BINARY}),
        testing::Values(Refusal{"NoDisplay", nullptr, nullptr, "no display"},
            Refusal{"UnknownDisplaySystem", "QT_QPA_PLATFORM", "bogus", "'bogus'"},
            Refusal{"UnreachableDisplay", "DISPLAY", ":999", "':999'"},
            Refusal{"ScaleZero", "QT_SCALE_FACTOR", "0", "QT_SCALE_FACTOR='0'"},
            Refusal{"ScaleNotANumber", "QT_SCALE_FACTOR", "nan", "QT_SCALE_FACTOR='nan'"},
            Refusal{"ScaleTooLarge", "QT_SCALE_FACTOR", "9", "from 0.5 to 8"},
            Refusal{"ScaleTooSmall", "QT_SCALE_FACTOR", "0.3", "from 0.5 to 8"})),
    [](const auto& p) { return std::string(std::get<0>(p.param).label) + std::get<1>(p.param).name; });

// Each leaves at once, with status 1 and one sentence that names the cause: never a
// crash, a core dump, the toolkit's own lines, or a process idling with no window.
TEST_P(RefusalTest, ItSaysWhyInOneSentenceAndLeaves)
{
    const auto& [program, refusal] = GetParam();
    XServer server;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    if (refusal.variable) {
        ASSERT_FALSE(server.display().isEmpty());
        env.insert(QStringLiteral("DISPLAY"), server.display());
        env.insert(QString::fromLatin1(refusal.variable), QString::fromLatin1(refusal.value));
    }
    QProcess p;
    p.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    p.start(QString::fromLatin1(program.binary), {});
    ASSERT_TRUE(p.waitForFinished(2000)) << "still running after 2 s";
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << "killed by a signal (a crash or an abort)";
    EXPECT_EQ(p.exitCode(), 1);
    const QStringList lines
        = QString::fromLocal8Bit(p.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines[0].startsWith(QString::fromLatin1(program.name) + QLatin1String(": ")))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[0].contains(QString::fromLatin1(refusal.named))) << lines[0].toStdString();
    EXPECT_FALSE(lines[0].contains(QLatin1String("make"))) << "a developer's command";
}

// The companion windows' command lines are read before any window (here there is no
// display): a seed the quiz cannot take, a misspelt option or the toolkit's own is
// refused naming it, since the round would not be the one the teacher gave; the help
// and the version are printed.
TEST(HostileEnvironmentTest, TheCompanionWindowsReadTheirCommandLineFirst)
{
    struct Call {
        const char* binary;
        QStringList arguments;
        int exit_code;
        const char* said;  // in the first line
    };
    const QString quiz = QStringLiteral("spektrion-quiz: ");
    const QString field = QStringLiteral("spektrion-field: ");
    for (const Call& c :
        {Call{QUIZ_BINARY, {"--seed"}, 2, "bad --seed ''"}, {QUIZ_BINARY, {"--seed", "-1"}, 2, "'-1'"},
            {QUIZ_BINARY, {"--seed", "4294967296"}, 2, "'4294967296'"},
            {QUIZ_BINARY, {"--seed=12a"}, 2, "'12a'"},
            {QUIZ_BINARY, {"--seed", "1", "--seed=2"}, 2, "more than once"},
            {QUIZ_BINARY, {"--sed", "2026"}, 2, "'--sed'"}, {QUIZ_BINARY, {"-seed", "2026"}, 2, "'-seed'"},
            {QUIZ_BINARY, {"-qwindowtitle", "Foo"}, 2, "'-qwindowtitle'"},
            {QUIZ_BINARY, {"-o", "quiz.png"}, 2, "'-o'"}, {FIELD_BINARY, {"--seed", "1"}, 2, "'--seed'"},
            {FIELD_BINARY, {"-platform", "xcb"}, 2, "'-platform'"},
            {QUIZ_BINARY, {"--seed=2026", "--help"}, 0, "Usage: spektrion-quiz [--seed S]"},
            {FIELD_BINARY, {"-h"}, 0, "Usage: spektrion-field"},
            {FIELD_BINARY, {"--version"}, 0, "spektrion-field "}}) {
        const testing_tool::Outcome out = testing_tool::run(QString::fromLatin1(c.binary), c.arguments);
        const QString& text = c.exit_code == 0 ? out.output : out.errors;
        const QString program = QString::fromLatin1(c.binary).contains(QLatin1String("quiz")) ? quiz : field;
        EXPECT_EQ(out.exit_code, c.exit_code) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(text.split(u'\n').value(0).contains(QString::fromUtf8(c.said))) << text.toStdString();
        if (c.exit_code == 2) {
            EXPECT_TRUE(out.errors.startsWith(program)) << out.errors.toStdString();
            EXPECT_EQ(out.errors.count(u'\n'), 2) << out.errors.toStdString();
        }
    }
}

TEST(HostileEnvironmentTest, WithoutTheLiberationFontsEveryTextIsStillDrawn)
{
    // Fontconfig sees one font only: DejaVu Sans, regular.
    QTemporaryDir fonts;
    ASSERT_TRUE(fonts.isValid());
    QDir(fonts.path()).mkdir(QStringLiteral("fonts"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"),
        fonts.filePath(QStringLiteral("fonts/DejaVuSans.ttf"))));
    QFile config(fonts.filePath(QStringLiteral("fonts.conf")));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write(QStringLiteral("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
                                "<fontconfig><dir>%1</dir><cachedir>%2</cachedir></fontconfig>\n")
                     .arg(fonts.filePath(QStringLiteral("fonts")), fonts.filePath(QStringLiteral("cache")))
                     .toUtf8());
    config.close();

    XServer server;
    ASSERT_FALSE(server.display().isEmpty());
    QProcessEnvironment env = x_environment(server.display());
    env.insert(QStringLiteral("FONTCONFIG_FILE"), config.fileName());
    RunningProgram program(server.display(), env);
    ASSERT_TRUE(program.start()) << "no window appeared";
    const QPoint on_chart = program.window().topLeft() + QPoint(300, 200);
    program.xdotool(
        {QStringLiteral("mousemove"), QString::number(on_chart.x()), QString::number(on_chart.y())});
    QTest::qWait(300);
    const QImage shot = program.window_picture();

    for (int i = 0; i < 3; ++i) {
        EXPECT_GT(count(shot, kLabH[i], kGroupColours[i]), 10) << "letter " << i;
        EXPECT_GT(count(shot, kLabN[i], kGroupColours[i]), 5) << "subscript " << i;
        EXPECT_GT(count(shot, kLabSyg[i], 0x000000u), 20) << "description " << i;
    }
    EXPECT_GT(count(shot, kLabel1, 0x000000u), 50);
    EXPECT_GT(count(shot, kLabHelp, 0x000000u), 50) << "the help bar's text";
    // The ratio numbers under the chart: ink below the baseline, left of the TMS label.
    EXPECT_GT(count(shot, QRect(QPoint(9 + 100, 53 + 388), QPoint(9 + 620, 53 + 403)), 0x000000u), 100);
    EXPECT_EQ(program.process().state(), QProcess::Running);
}

TEST(HostileEnvironmentTest, ScaledByTwoTheLayoutScalesAsAWholeAndTheChartIsDrawnAtThatResolution)
{
    constexpr int kFactor = 2;
    XServer server(QSize(2048, 1536));
    ASSERT_FALSE(server.display().isEmpty());
    QProcessEnvironment env = x_environment(server.display());
    env.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(kFactor));
    RunningProgram program(server.display(), env);
    ASSERT_TRUE(program.start()) << "no window appeared";
    ASSERT_EQ(program.window().size(), QSize(792 * kFactor, 521 * kFactor));
    QTest::qWait(300);
    const QImage shot = program.window_picture();

    // The chart drawn at the display's resolution, not its 96-dpi pixels doubled.
    EXPECT_EQ(testing_scaled::faults(shot, testing_scaled::chart_origin(shot, kFactor), kFactor), "")
        << "pictures in " << save_mismatch("scaled-chart", shot, shot);

    // Every control in its doubled box: the formula's ink inside its own boxes only,
    // the help bar whole, the bare window between the controls.
    QRect formula_row = scaled(QRect(150, 0, 200, 50), kFactor);
    for (int i = 0; i < 3; ++i) {
        const int inside = count(shot, scaled(kLabH[i], kFactor), kGroupColours[i])
            + count(shot, scaled(kLabN[i], kFactor), kGroupColours[i]);
        EXPECT_GT(inside, 40) << "group " << i;
        EXPECT_EQ(count(shot, formula_row, kGroupColours[i]), inside)
            << "group " << i << " ink outside its boxes";
    }
    EXPECT_TRUE(all_of(shot, scaled(kLabHelp, kFactor), 0xFFFFC0u));
    EXPECT_GT(count(shot, scaled(kLabel1, kFactor), 0x000000u), 200);
    for (const QRect& r : kLabSyg)
        EXPECT_GT(count(shot, scaled(r, kFactor), 0x000000u), 40);
    for (const QPoint& gap :
        {QPoint(4, 4), QPoint(700, 30), QPoint(50, 475), QPoint(400, 488), QPoint(790, 300)})
        EXPECT_EQ(rgb(shot, gap.x() * kFactor, gap.y() * kFactor), 0xE0E0E0u) << gap.x() << ", " << gap.y();
}

// The simulator passes over the toolkit's options, as it always has (the companion
// windows refuse them, above).
TEST(HostileEnvironmentTest, CommandLineOptionsOfTheToolkitChangeNothing)
{
    Form1 reference;
    QTemporaryDir dir;
    QFile sheet(dir.filePath(QStringLiteral("style.qss")));
    ASSERT_TRUE(sheet.open(QIODevice::WriteOnly));
    sheet.write("QLabel { color: magenta; background: black; }\n");
    sheet.close();
    XServer server;
    ASSERT_FALSE(server.display().isEmpty());
    const QProcessEnvironment env = quiet_environment(server.display(), dir);
    RunningProgram program(server.display(), env, {}, QStringLiteral(SPEKTRION_BINARY),
        {QStringLiteral("-qwindowtitle"), QStringLiteral("Foo"), QStringLiteral("-stylesheet"),
            sheet.fileName(), QStringLiteral("-reverse"), QStringLiteral("--sizes"),
            QStringLiteral("3,3,3")});
    ASSERT_TRUE(program.start()) << "no window titled Spektrion appeared";
    EXPECT_EQ(program.xdotool({QStringLiteral("getwindowname"), program.window_id()}).trimmed(),
        reference.windowTitle());
    reference.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&reference));
    const QImage expected = reference.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImage shown;
    for (int tries = 0; tries < 50 && !same_pixels(shown, expected); ++tries) {
        QTest::qWait(100);
        shown = program.window_picture().copy(reference.rect());
    }
    EXPECT_TRUE(same_pixels(shown, expected))
        << "pictures in " << save_mismatch("arguments", shown, expected);
}

TEST(HostileEnvironmentTest, OnAScreenSmallerThanTheWindowItStillStarts)
{
    XServer server(QSize(640, 480));
    ASSERT_FALSE(server.display().isEmpty());
    QTemporaryDir runtime;
    RunningProgram program(server.display(), quiet_environment(server.display(), runtime));
    ASSERT_TRUE(program.start()) << "no window appeared";
    EXPECT_EQ(program.window().size(), QSize(792, 521));
    QTest::qWait(300);
    EXPECT_EQ(program.process().state(), QProcess::Running);
    EXPECT_EQ(QString::fromLocal8Bit(program.process().readAllStandardError()).trimmed().toStdString(), "");
}

}  // namespace
}  // namespace spektrion
