// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

// The simulator in a real X window, driven with xdotool. Each screenshot is compared
// with the window's own rendering, driven the same way on the offscreen platform in
// this process.
#include "tests/e2e/x_session.h"
#include "tests/support/pixels.h"
#include "ui/click_label.h"
#include "ui/form1.h"

#include <memory>

namespace spektrion {
namespace {

using namespace testing_x;

class RealWindowTest : public testing::Test {
protected:
    static void SetUpTestSuite() { server_ = new XServer; }
    static void TearDownTestSuite()
    {
        delete server_;
        server_ = nullptr;
    }

    void SetUp() override
    {
        ASSERT_FALSE(server_->display().isEmpty()) << "Xvfb did not start";
        // The pointer parked off the window: one left over the place where the window
        // comes up would give it a first move that the reference never gets.
        run(x_environment(server_->display()), QStringLiteral("xdotool"),
            {QStringLiteral("mousemove"), QStringLiteral("0"), QStringLiteral("0")});
        program_ = std::make_unique<RunningProgram>(server_->display(), x_environment(server_->display()));
        ASSERT_TRUE(program_->start()) << "no window appeared";
        ASSERT_EQ(program_->window().size(), QSize(792, 521));
        reference_ = std::make_unique<Form1>();
        reference_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(reference_.get()));
        // The toolkit drops a move to where its pointer already is; start elsewhere.
        QTest::mouseMove(reference_.get(), QPoint(790, 2));
    }

    QImage expected_picture() const
    {
        return reference_->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // Polls the screen until the window shows what the reference shows.
    void expect_window_shows_reference(const std::string& what)
    {
        const QImage expected = expected_picture();
        QImage shown;
        QElapsedTimer timer;
        timer.start();
        do {
            shown = program_->window_picture();
            if (testing_pixels::same_pixels(shown, expected))
                return;
            QTest::qWait(50);
        } while (timer.elapsed() < kWaitMs);
        ADD_FAILURE() << what << ": the window differs from its offscreen rendering; pictures in "
                      << save_mismatch(what, shown, expected);
    }

    // The pointer to a window position, on the screen and on the reference.
    void move(QPoint pos)
    {
        const QPoint global = program_->window().topLeft() + pos;
        // No --sync: it would wait for ever when the pointer is already there.
        program_->xdotool(
            {QStringLiteral("mousemove"), QString::number(global.x()), QString::number(global.y())});
        QTest::mouseMove(reference_.get(), pos);
    }

    // A button pressed or released where the pointer is, on the screen and on the reference.
    void button(bool down, QPoint pos)
    {
        program_->xdotool(
            {down ? QStringLiteral("mousedown") : QStringLiteral("mouseup"), QStringLiteral("1")});
        if (down)
            QTest::mousePress(reference_->windowHandle(), Qt::LeftButton, {}, pos);
        else
            QTest::mouseRelease(reference_->windowHandle(), Qt::LeftButton, {}, pos);
    }

    void click(QPoint pos)
    {
        move(pos);
        program_->xdotool({QStringLiteral("click"), QStringLiteral("1")});
        QWidget* target = reference_->childAt(pos);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(reference_.get(), pos));
    }

    static XServer* server_;
    std::unique_ptr<RunningProgram> program_;
    std::unique_ptr<Form1> reference_;
};

XServer* RealWindowTest::server_ = nullptr;

const QPoint kOnA(204, 20), kOnSubscriptA(220, 35), kOnM(240, 20), kOnSubscriptM(260, 35), kOnX(278, 20),
    kOnSubscriptX(296, 35), kOnLabel1(440, 20), kOnChart(300, 200), kOnDescription(348, 470),
    kOnBareWindow(700, 25);

TEST_F(RealWindowTest, StartsCentredShowingTheFirstSpectrum)
{
    const QPoint centred((1024 - 792) / 2, (768 - 521) / 2);
    EXPECT_LE((program_->window().topLeft() - centred).manhattanLength(), 1);
    expect_window_shows_reference("start-up");
}

TEST_F(RealWindowTest, AWalkOfClicksShowsEachState)
{
    const QPoint walk[]
        = {kOnA, kOnSubscriptM, kOnLabel1, kOnX, kOnX, kOnSubscriptA, kOnM, kOnLabel1, kOnSubscriptX, kOnA};
    int step = 0;
    for (const QPoint& pos : walk) {
        click(pos);
        expect_window_shows_reference("walk-" + std::to_string(++step));
    }
    const SpinSystem& m = reference_->model();
    EXPECT_EQ((std::vector<int>{m.nA, m.nM, m.nX, m.znak_J}), (std::vector<int>{2, 1, 2, 0}));
}

TEST_F(RealWindowTest, HelpBarFollowsThePointer)
{
    const QPoint path[] = {kOnA, kOnSubscriptA, kOnBareWindow, kOnChart, kOnDescription, kOnLabel1};
    int step = 0;
    for (const QPoint& pos : path) {
        move(pos);
        expect_window_shows_reference("hover-" + std::to_string(++step));
    }
}

TEST_F(RealWindowTest, WithAButtonHeldTheHelpBarStillFollowsThePointer)
{
    struct Drag {
        QPoint from;
        std::vector<QPoint> over;
    };
    // Dropped over another control, or from a subscript onto its own letter: no click.
    const Drag drags[] = {{kOnA, {kOnChart, kOnBareWindow, kOnLabel1}}, {kOnChart, {kOnBareWindow}},
        {kOnBareWindow, {kOnLabel1, kOnDescription}}, {kOnSubscriptM, {kOnM}}};
    int step = 0;
    for (const Drag& d : drags) {
        move(d.from);
        button(true, d.from);
        for (const QPoint& pos : d.over) {
            move(pos);
            expect_window_shows_reference("drag-" + std::to_string(++step));
        }
        button(false, d.over.back());
    }
    const SpinSystem& m = reference_->model();
    EXPECT_EQ((std::vector<int>{m.nA, m.nM, m.nX, m.znak_J}), (std::vector<int>{2, 2, 2, 0}));
    expect_window_shows_reference("after-drags");
}

TEST_F(RealWindowTest, SpectrumSurvivesBeingCoveredAndUncovered)
{
    click(kOnX);
    expect_window_shows_reference("before-cover");
    // Another program's window over the chart, then gone again.
    QProcess cover;
    cover.setProcessEnvironment(program_->environment());
    const QPoint at = program_->window().topLeft() + QPoint(40, 80);
    cover.start(QStringLiteral("xmessage"),
        {QStringLiteral("-geometry"), QStringLiteral("700x360+%1+%2").arg(at.x()).arg(at.y()),
            QStringLiteral("cover")});
    ASSERT_TRUE(cover.waitForStarted());
    program_->xdotool({QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
        QStringLiteral("--class"), QStringLiteral("Xmessage")});
    const QImage expected = expected_picture();
    EXPECT_FALSE(testing_pixels::same_pixels(program_->picture_when(expected, false), expected))
        << "the covering window did not cover";
    cover.kill();
    cover.waitForFinished();
    expect_window_shows_reference("uncovered");
}

TEST_F(RealWindowTest, CloseRequestEndsTheProgramWithStatusZero)
{
    click(kOnM);
    run(program_->environment(), QStringLiteral(SEND_CLOSE_BINARY), {program_->window_id()});
    ASSERT_TRUE(program_->process().waitForFinished(kWaitMs)) << "still running after the close request";
    EXPECT_EQ(program_->process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program_->process().exitCode(), 0);
}

}  // namespace
}  // namespace spektrion
