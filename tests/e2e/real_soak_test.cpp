// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

// Two thousand random pointer moves and clicks on the real window, sent through the X
// server by xdotool. The program must live through them, keep its memory, and end up
// showing what its offscreen twin, given the same events, shows.
#include "tests/e2e/x_session.h"
#include "tests/support/pixels.h"
#include "tests/support/soak.h"
#include "ui/click_label.h"
#include "ui/form1.h"

#include <algorithm>
#include <vector>

namespace spektrion {
namespace {

using namespace testing_x;
using testing_soak::rss_kib;

constexpr int kEvents = 2000;
constexpr int kWarmUpEvents = 100;
// The memory after each of these parts of the rest. A leak grows it in every part; the
// allocator, the X connection's buffers and the glyph caches grow it now and then,
// more on a busy machine, and then stop: the test holds the smallest part's growth to
// a leak's measure and the whole to a gross one. The program's figure itself is
// measured by `make bench`.
constexpr int kParts = 4;
constexpr long kLeakPerPartKib = 256;  // 600 bytes an event
constexpr long kGrossGrowthKib = 8192;

class RandomEvents {
public:
    RandomEvents(Form1& twin, QPoint window_origin)
        : twin_(twin)
        , origin_(window_origin)
    {
        for (QWidget* w : twin.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            random_.favour(w->geometry());
    }

    // Appends `count` events to an xdotool command line and gives them to the twin,
    // starting where both pointers are.
    void add(int count, QStringList& xdotool, QPoint pointer)
    {
        pointer_ = pointer;
        QWindow* window = twin_.windowHandle();
        for (int i = 0; i < count; ++i) {
            const int kind = random_.pick(0, 99);
            if (kind < 55) {
                QPoint p = random_.point();
                if (p == pointer_)
                    p.rx() += p.x() > 0 ? -1 : 1;
                pointer_ = p;
                const QPoint global = origin_ + p;
                xdotool << QStringLiteral("mousemove") << QString::number(global.x())
                        << QString::number(global.y());
                QTest::mouseMove(window, p);
            } else if (kind < 85) {
                click(xdotool, QStringLiteral("1"));
                QTest::mouseClick(window, Qt::LeftButton, {}, pointer_);
            } else if (kind < 93) {
                const bool right = random_.pick(0, 1);
                click(xdotool, right ? QStringLiteral("3") : QStringLiteral("2"));
                QTest::mouseClick(window, right ? Qt::RightButton : Qt::MiddleButton, {}, pointer_);
            } else {
                click(xdotool, QStringLiteral("1"));
                click(xdotool, QStringLiteral("1"));
                QTest::mouseDClick(window, Qt::LeftButton, {}, pointer_);
            }
        }
    }

private:
    // Press and release; xdotool's own click command waits 100 ms after each.
    static void click(QStringList& xdotool, const QString& button)
    {
        xdotool << QStringLiteral("mousedown") << button << QStringLiteral("mouseup") << button;
    }

    Form1& twin_;
    QPoint origin_;
    testing_soak::RandomPoints random_{20261209, {Form1::kClientWidth, Form1::kClientHeight}};
    QPoint pointer_{Form1::kClientWidth / 2, Form1::kClientHeight / 2};
};

TEST(RealWindowSoakTest, TwoThousandMovesAndClicksKeepTheProgramRightAndSmall)
{
    XServer server;
    ASSERT_FALSE(server.display().isEmpty()) << "Xvfb did not start";
    RunningProgram program(server.display(), x_environment(server.display()));
    ASSERT_TRUE(program.start()) << "no window appeared";
    Form1 twin;
    twin.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&twin));

    // Both pointers start in the middle of the window.
    const QPoint middle
        = program.window().topLeft() + QPoint(Form1::kClientWidth / 2, Form1::kClientHeight / 2);
    program.xdotool({QStringLiteral("mousemove"), QString::number(middle.x()), QString::number(middle.y())});
    QTest::mouseMove(twin.windowHandle(), QPoint(Form1::kClientWidth / 2, Form1::kClientHeight / 2));

    // A burst and a move onto the chart, which settles the help text (the X server hands
    // over only the last of queued moves); caught up when it shows what the twin shows.
    const QPoint on_chart(300, 200);
    const QPoint global = program.window().topLeft() + on_chart;
    const auto send = [&](QStringList burst) {
        program.xdotool(burst << QStringLiteral("mousemove") << QString::number(global.x())
                              << QString::number(global.y()));
        QTest::mouseMove(twin.windowHandle(), on_chart);
        const QImage expected = twin.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage shown = program.picture_when(expected);
        EXPECT_TRUE(testing_pixels::same_pixels(shown, expected))
            << "the window differs from its twin; pictures in " << save_mismatch("soak", shown, expected);
    };
    RandomEvents events(twin, program.window().topLeft());
    QStringList warm_up;
    events.add(kWarmUpEvents, warm_up, middle - program.window().topLeft());
    send(warm_up);
    std::vector<long> rss = {rss_kib(program.process().processId())};
    for (int part = 0; part < kParts; ++part) {
        QStringList burst;
        events.add((kEvents - kWarmUpEvents) / kParts, burst, on_chart);
        send(burst);
        ASSERT_EQ(program.process().state(), QProcess::Running) << "the program died";
        rss.push_back(rss_kib(program.process().processId()));
    }
    long least_growth = rss.back() - rss.front();
    for (std::size_t i = 1; i < rss.size(); ++i)
        least_growth = std::min(least_growth, rss[i] - rss[i - 1]);
    const long rss_after_warm_up = rss.front();
    const long rss_at_end = rss.back();
    EXPECT_LE(least_growth, kLeakPerPartKib)
        << "RSS grew in every part, from " << rss_after_warm_up << " KiB to " << rss_at_end << " KiB";
    EXPECT_LE(rss_at_end - rss_after_warm_up, kGrossGrowthKib)
        << "RSS grew from " << rss_after_warm_up << " KiB to " << rss_at_end << " KiB";
    RecordProperty("rss_after_warm_up_kib", int(rss_after_warm_up));
    RecordProperty("rss_at_end_kib", int(rss_at_end));
    std::printf("RSS after %d events: %ld KiB, after %d: %ld KiB (state A%d M%d X%d, order %d)\n",
        kWarmUpEvents, rss_after_warm_up, kEvents, rss_at_end, twin.model().nA, twin.model().nM,
        twin.model().nX, twin.model().znak_J);
}

}  // namespace
}  // namespace spektrion
