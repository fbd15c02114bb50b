// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

// The program under a private X server (Xvfb), as a user would start it: launched as
// a process, found and driven with xdotool, looked at through screenshots.
#include "tests/support/pixels.h"
#include "tests/support/tool.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>

namespace spektrion::testing_x {

constexpr int kWaitMs = 30000;  // generous: a machine busy with a build is slow to show

// An Xvfb on the first free display number, for as long as the object lives; kept as it is
// when its last client leaves, not started afresh (and deaf meanwhile to the next one).
class XServer {
public:
    explicit XServer(QSize screen = {1024, 768})
    {
        process_.setProgram(QStringLiteral("Xvfb"));
        process_.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
            QStringLiteral("0"), QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()),
            QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-noreset")});
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
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    const QString& display() const { return display_; }

private:
    QProcess process_;
    QString display_;
};

// The environment a program sees on that server: a desktop with only X. Without a
// session bus the toolkit would start one of its own where dbus-launch is installed,
// and that daemon would outlive the program (and keep strace waiting on it).
inline QProcessEnvironment x_environment(const QString& display)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("disabled:"));
    return env;
}

// Runs a helper program to its end and returns what it printed.
inline QString run(const QProcessEnvironment& env, const QString& program, const QStringList& arguments)
{
    return testing_tool::run(program, arguments, env, kWaitMs).output;
}

inline QImage screen(const QProcessEnvironment& env)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("import"),
        {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")});
    p.waitForFinished(kWaitMs);
    return QImage::fromData(p.readAllStandardOutput(), "PNG").convertToFormat(QImage::Format_RGB32);
}

// The simulator started on a server, with its window found.
class RunningProgram {
public:
    // `wrapper`, if given, runs the simulator (strace and its options, say); `binary`
    // is the simulator's executable, `arguments` its command line.
    RunningProgram(const QString& display, const QProcessEnvironment& env, const QStringList& wrapper = {},
        const QString& binary = QStringLiteral(SPEKTRION_BINARY), const QStringList& arguments = {})
        : env_(env)
        , wrapped_(!wrapper.isEmpty())
    {
        env_.insert(QStringLiteral("DISPLAY"), display);
        process_.setProcessEnvironment(env_);
        const QStringList command = wrapper + QStringList{binary} + arguments;
        process_.setProgram(command.first());
        process_.setArguments(command.mid(1));
    }
    ~RunningProgram()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
    }

    // Starts the program and waits for its visible window; false if none comes.
    bool start()
    {
        process_.start();
        if (!process_.waitForStarted())
            return false;
        QStringList search
            = {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible")};
        // A wrapped program's window carries the simulator's process id, not the wrapper's.
        if (!wrapped_)
            search << QStringLiteral("--pid") << QString::number(process_.processId());
        search << QStringLiteral("--name") << QStringLiteral("^Spektrion");
        window_id_ = run(env_, QStringLiteral("xdotool"), search).split('\n', Qt::SkipEmptyParts).value(0);
        if (window_id_.isEmpty())
            return false;
        const QString shell
            = xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window_id_});
        int values[4] = {};
        const char* keys[4] = {"X=", "Y=", "WIDTH=", "HEIGHT="};
        for (const QString& line : shell.split('\n'))
            for (int i = 0; i < 4; ++i)
                if (line.startsWith(QLatin1String(keys[i])))
                    values[i] = line.mid(int(std::strlen(keys[i]))).toInt();
        window_ = QRect(values[0], values[1], values[2], values[3]);
        return true;
    }

    QString xdotool(const QStringList& arguments) { return run(env_, QStringLiteral("xdotool"), arguments); }

    QImage window_picture() { return screen(env_).copy(window_); }

    // Screenshots until one is `expected` (with `same` false, is not), kWaitMs at most.
    QImage picture_when(const QImage& expected, bool same = true)
    {
        QImage shown;
        QElapsedTimer timer;
        timer.start();
        while (testing_pixels::same_pixels(shown = window_picture(), expected) != same
            && timer.elapsed() < kWaitMs)
            QTest::qWait(50);
        return shown;
    }

    const QProcessEnvironment& environment() const { return env_; }
    QProcess& process() { return process_; }
    const QString& window_id() const { return window_id_; }
    const QRect& window() const { return window_; }

private:
    QProcessEnvironment env_;
    bool wrapped_;
    QProcess process_;
    QString window_id_;
    QRect window_;
};

// Keeps the two pictures of a mismatch where a developer can look at them.
inline std::string save_mismatch(const std::string& what, const QImage& shown, const QImage& expected)
{
    const QString dir = QDir::currentPath() + QStringLiteral("/e2e-failures");
    QDir().mkpath(dir);
    const QString stem = dir + QStringLiteral("/") + QString::fromStdString(what);
    shown.save(stem + QStringLiteral("-shown.png"));
    expected.save(stem + QStringLiteral("-expected.png"));
    return dir.toStdString();
}

}  // namespace spektrion::testing_x
