// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

// What the simulator touches on the machine, seen through strace: through start-up,
// a few clicks and a close it writes no file but the toolkit's own runtime and cache
// files, opens no network socket and reads no configuration of its own.
#include "tests/e2e/x_session.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>

namespace spektrion {
namespace {

using namespace testing_x;

struct Call {
    QString name;
    QString arguments;
    QString path;  // the first quoted argument, if any
};

std::vector<Call> read_trace(const QString& file)
{
    QFile log(file);
    std::vector<Call> calls;
    if (!log.open(QIODevice::ReadOnly))
        return calls;
    static const QRegularExpression line(QStringLiteral(R"(^\d+\s+(?:<\.\.\. )?(\w+)(?:\(| resumed>)(.*)$)"));
    static const QRegularExpression quoted(QStringLiteral(R"re("([^"]*)")re"));
    for (const QByteArray& raw : log.readAll().split('\n')) {
        const auto m = line.match(QString::fromLocal8Bit(raw));
        if (!m.hasMatch())
            continue;
        const QString arguments = m.captured(2);
        calls.push_back({m.captured(1), arguments, quoted.match(arguments).captured(1)});
    }
    return calls;
}

bool writes(const Call& c)
{
    static const QRegularExpression write_flags(
        QStringLiteral(R"(O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|O_APPEND)"));
    if (c.name == QLatin1String("open") || c.name == QLatin1String("openat"))
        return write_flags.match(c.arguments).hasMatch();
    static const QStringList changing = {QStringLiteral("creat"), QStringLiteral("mkdir"),
        QStringLiteral("mkdirat"), QStringLiteral("rename"), QStringLiteral("renameat"),
        QStringLiteral("renameat2"), QStringLiteral("unlink"), QStringLiteral("unlinkat"),
        QStringLiteral("rmdir"), QStringLiteral("truncate")};
    return changing.contains(c.name);
}

// A file of the program's own: one named after it, wherever it is (the user's
// configuration and data folders included). Beside its executable the toolkit probes
// for plugin folders and qt.conf; there only the names below the executable's folder
// are judged, not the folder's path, which may well contain the program's name (a
// checkout cloned into "spektrion").
bool own_file(const QString& path, const QString& binary)
{
    // The executable itself, and the folders above it as its path is resolved.
    if (path == binary || binary.startsWith(path + QLatin1Char('/')))
        return false;
    const QString beside = QFileInfo(binary).path() + QLatin1Char('/');
    const QString judged = path.startsWith(beside) ? path.mid(beside.size()) : path;
    return judged.contains(QLatin1String("spektrion"), Qt::CaseInsensitive);
}

TEST(TouchTest, WritesNoFileOpensNoNetworkAndReadsNoConfigurationOfItsOwn)
{
    XServer server;
    ASSERT_FALSE(server.display().isEmpty());
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    // Installed under a folder named after the program, as any checkout may be.
    const QString binary = work.filePath(QStringLiteral("spektrion/bin/spektrion"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(binary).path()));
    ASSERT_TRUE(QFile::copy(QStringLiteral(SPEKTRION_BINARY), binary));
    const QString runtime = work.filePath(QStringLiteral("runtime"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment env = x_environment(server.display());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    const QString home = env.value(QStringLiteral("HOME"));
    const QString trace = work.filePath(QStringLiteral("trace"));

    RunningProgram program(server.display(), env,
        {QStringLiteral("strace"), QStringLiteral("-f"), QStringLiteral("-qq"), QStringLiteral("-o"), trace,
            QStringLiteral("-e"), QStringLiteral("trace=%file,%network")},
        binary);
    ASSERT_TRUE(program.start()) << "no window appeared";
    const QPoint origin = program.window().topLeft();
    for (const QPoint& p : {QPoint(204, 20), QPoint(440, 20), QPoint(260, 35), QPoint(300, 200)}) {
        const QPoint at = origin + p;
        program.xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
            QStringLiteral("mousedown"), QStringLiteral("1"), QStringLiteral("mouseup"),
            QStringLiteral("1")});
    }
    run(env, QStringLiteral(SEND_CLOSE_BINARY), {program.window_id()});
    ASSERT_TRUE(program.process().waitForFinished(kWaitMs));
    EXPECT_EQ(program.process().exitCode(), 0);

    const std::vector<Call> calls = read_trace(trace);
    ASSERT_GT(calls.size(), 10u) << "strace recorded nothing";
    // Where the toolkit may write: its runtime directory, the user's caches (fontconfig's),
    // and the null device. The FILES section of spektrion(1) lists the same; change both.
    const QStringList allowed = {runtime, home + QStringLiteral("/.cache/"), QStringLiteral("/dev/null"),
        QStringLiteral("/tmp/runtime-")};
    int sockets = 0;
    for (const Call& c : calls) {
        if (writes(c)) {
            const bool ok = std::any_of(allowed.begin(), allowed.end(),
                [&](const QString& prefix) { return c.path.startsWith(prefix); });
            EXPECT_TRUE(ok) << "writes " << c.path.toStdString() << ": " << c.name.toStdString() << "("
                            << c.arguments.toStdString();
        }
        if (c.name == QLatin1String("socket")) {
            ++sockets;
            EXPECT_TRUE(c.arguments.startsWith(QLatin1String("AF_UNIX")))
                << "socket(" << c.arguments.toStdString();
        }
        if (c.name == QLatin1String("connect") || c.name == QLatin1String("sendto")
            || c.name == QLatin1String("bind")) {
            EXPECT_FALSE(c.arguments.contains(QLatin1String("AF_INET")))
                << c.name.toStdString() << "(" << c.arguments.toStdString();
        }
        EXPECT_FALSE(own_file(c.path, binary)) << "looks for a file of its own: " << c.path.toStdString();
        if (c.path.startsWith(home + QStringLiteral("/.config/"))) {
            EXPECT_TRUE(
                c.path.contains(QLatin1String("/QtProject")) || c.path.contains(QLatin1String("/fontconfig")))
                << "reads a configuration file: " << c.path.toStdString();
        }
    }
    EXPECT_GE(sockets, 1) << "not even the display's socket was seen";
}

}  // namespace
}  // namespace spektrion
