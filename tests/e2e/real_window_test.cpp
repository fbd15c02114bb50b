// The program in a real X window (a private Xvfb server): launched as a user starts
// it, driven with xdotool, looked at through screenshots of the screen. Each picture
// is compared with the window's own rendering, driven the same way on the offscreen
// platform in this process.
#include "click_label.h"
#include "form1.h"
#include "pixels.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace spektrion {
namespace {

constexpr int kWaitMs = 10000;

// A private X server for the suite, on the first free display number.
class XServer {
public:
    XServer()
    {
        process_.setProgram(QStringLiteral("Xvfb"));
        process_.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                               QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                               QStringLiteral("tcp")});
        process_.start();
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < kWaitMs && !process_.canReadLine())
            process_.waitForReadyRead(100);
        const QByteArray number = process_.readLine().trimmed();
        if (!number.isEmpty())
            display_ = QStringLiteral(":") + QString::fromLatin1(number);
    }
    ~XServer()
    {
        process_.terminate();
        process_.waitForFinished(3000);
    }

    const QString& display() const { return display_; }

private:
    QProcess process_;
    QString display_;
};

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
        environment_ = QProcessEnvironment::systemEnvironment();
        environment_.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment_.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment_.insert(QStringLiteral("DISPLAY"), server_->display());

        app_.setProcessEnvironment(environment_);
        app_.setProgram(QStringLiteral(SPEKTRION_BINARY));
        app_.start();
        ASSERT_TRUE(app_.waitForStarted());
        const QString id = run(QStringLiteral("xdotool"),
                               {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                                QStringLiteral("--pid"), QString::number(app_.processId()), QStringLiteral("--name"),
                                QStringLiteral("^Spektrion")})
                               .split('\n', Qt::SkipEmptyParts)
                               .value(0);
        ASSERT_FALSE(id.isEmpty()) << "no window appeared";
        window_id_ = id;
        const QString shell = run(QStringLiteral("xdotool"),
                                  {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window_id_});
        int values[4] = {};
        const char* keys[4] = {"X=", "Y=", "WIDTH=", "HEIGHT="};
        for (const QString& line : shell.split('\n'))
            for (int i = 0; i < 4; ++i)
                if (line.startsWith(QLatin1String(keys[i])))
                    values[i] = line.mid(int(std::strlen(keys[i]))).toInt();
        window_ = QRect(values[0], values[1], values[2], values[3]);
        ASSERT_EQ(window_.size(), QSize(792, 521));

        reference_ = std::make_unique<Form1>();
        reference_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(reference_.get()));
    }

    void TearDown() override
    {
        if (app_.state() != QProcess::NotRunning) {
            app_.kill();
            app_.waitForFinished();
        }
    }

    QString run(const QString& program, const QStringList& arguments, const QByteArray& input = {})
    {
        QProcess p;
        p.setProcessEnvironment(environment_);
        p.start(program, arguments);
        p.write(input);
        p.closeWriteChannel();
        p.waitForFinished(kWaitMs);
        return QString::fromLocal8Bit(p.readAllStandardOutput());
    }

    QImage screen()
    {
        QProcess p;
        p.setProcessEnvironment(environment_);
        p.start(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")});
        p.waitForFinished(kWaitMs);
        return QImage::fromData(p.readAllStandardOutput(), "PNG").convertToFormat(QImage::Format_RGB32);
    }

    QImage window_picture() { return screen().copy(window_); }

    QImage expected_picture() const
    {
        return reference_->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // Polls the screen until the window shows what the reference shows.
    void expect_window_shows_reference(const char* what)
    {
        const QImage expected = expected_picture();
        QImage shown;
        QElapsedTimer timer;
        timer.start();
        do {
            shown = window_picture();
            if (testing_pixels::same_pixels(shown, expected))
                return;
            QTest::qWait(50);
        } while (timer.elapsed() < kWaitMs);
        const QString dir = QDir::currentPath() + QStringLiteral("/e2e-failures");
        QDir().mkpath(dir);
        shown.save(dir + QStringLiteral("/") + QLatin1String(what) + QStringLiteral("-shown.png"));
        expected.save(dir + QStringLiteral("/") + QLatin1String(what) + QStringLiteral("-expected.png"));
        ADD_FAILURE() << what << ": the window differs from its offscreen rendering; pictures in " << dir.toStdString();
    }

    // The pointer to a window position, on the screen and on the reference.
    void move(QPoint pos)
    {
        const QPoint global = window_.topLeft() + pos;
        // No --sync: it would wait for ever when the pointer is already there.
        run(QStringLiteral("xdotool"),
            {QStringLiteral("mousemove"), QString::number(global.x()), QString::number(global.y())});
        QTest::mouseMove(reference_.get(), pos);
    }

    void click(QPoint pos)
    {
        move(pos);
        run(QStringLiteral("xdotool"), {QStringLiteral("click"), QStringLiteral("1")});
        QWidget* target = reference_->childAt(pos);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(reference_.get(), pos));
    }

    static XServer* server_;
    QProcessEnvironment environment_;
    QProcess app_;
    QString window_id_;
    QRect window_;
    std::unique_ptr<Form1> reference_;
};

XServer* RealWindowTest::server_ = nullptr;

const QPoint kOnA(204, 20), kOnSubscriptA(220, 35), kOnM(240, 20), kOnSubscriptM(260, 35), kOnX(278, 20),
    kOnSubscriptX(296, 35), kOnLabel1(440, 20), kOnChart(300, 200), kOnDescription(348, 470),
    kOnBareWindow(700, 25);

TEST_F(RealWindowTest, StartsCentredShowingTheFirstSpectrum)
{
    const QSize screen_size(1024, 768);
    const QPoint centred((screen_size.width() - 792) / 2, (screen_size.height() - 521) / 2);
    EXPECT_LE((window_.topLeft() - centred).manhattanLength(), 1);
    expect_window_shows_reference("start-up");
}

TEST_F(RealWindowTest, AWalkOfClicksShowsEachState)
{
    const QPoint walk[] = {kOnA, kOnSubscriptM, kOnLabel1, kOnX, kOnX, kOnSubscriptA, kOnM, kOnLabel1,
                           kOnSubscriptX, kOnA};
    int step = 0;
    for (const QPoint& pos : walk) {
        click(pos);
        const std::string name = "walk-" + std::to_string(++step);
        expect_window_shows_reference(name.c_str());
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
        const std::string name = "hover-" + std::to_string(++step);
        expect_window_shows_reference(name.c_str());
    }
}

TEST_F(RealWindowTest, SpectrumSurvivesBeingCoveredAndUncovered)
{
    click(kOnX);
    expect_window_shows_reference("before-cover");
    // Another program's window over the chart, then gone again.
    QProcess cover;
    cover.setProcessEnvironment(environment_);
    const QPoint at = window_.topLeft() + QPoint(40, 80);
    cover.start(QStringLiteral("xmessage"), {QStringLiteral("-geometry"),
                                             QStringLiteral("700x360+%1+%2").arg(at.x()).arg(at.y()),
                                             QStringLiteral("cover")});
    ASSERT_TRUE(cover.waitForStarted());
    run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                                    QStringLiteral("--class"), QStringLiteral("Xmessage")});
    QTest::qWait(200);
    EXPECT_FALSE(testing_pixels::same_pixels(window_picture(), expected_picture())) << "the covering window did not cover";
    cover.kill();
    cover.waitForFinished();
    expect_window_shows_reference("uncovered");
}

TEST_F(RealWindowTest, CloseRequestEndsTheProgramWithStatusZero)
{
    click(kOnM);
    run(QStringLiteral(SEND_CLOSE_BINARY), {window_id_});
    ASSERT_TRUE(app_.waitForFinished(kWaitMs)) << "still running after the close request";
    EXPECT_EQ(app_.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(app_.exitCode(), 0);
}

}  // namespace
}  // namespace spektrion
