// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

// Programs run from the tests to their end, the command-line tools above all, and the
// one way those tools refuse a bad command line.
#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

namespace spektrion::testing_tool {

struct Outcome {
    int exit_code;  // -1 if the program crashed
    QString output;
    QString errors;
};

// As a server or cron runs the tools: no display and no runtime directory, so that
// nothing they do may lean on a desktop session.
inline QProcessEnvironment headless_environment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"})
        env.remove(QString::fromLatin1(name));
    return env;
}

// Runs a program to its end, with nothing to read on its standard input; the default
// minute is ample even for a worksheet of every state.
inline Outcome run(const QString& program, const QStringList& arguments,
    const QProcessEnvironment& env = headless_environment(), int timeout_ms = 60000)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, arguments);
    p.closeWriteChannel();
    p.waitForFinished(timeout_ms);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
        QString::fromUtf8(p.readAllStandardOutput()), QString::fromLocal8Bit(p.readAllStandardError())};
}

// A command line a tool must refuse, and what its message must name. "OUT" in an
// argument stands for a file in the test's own folder, so that any file written shows.
struct BadCall {
    const char* name;
    QStringList arguments;
    const char* named;
};

inline void PrintTo(const BadCall& b, std::ostream* os)
{
    *os << b.name;
}

// Calls `tool` (a function of the arguments, giving an Outcome) in an empty folder, with
// `default_output` there unless the call names its own. The tools all refuse alike: exit
// status 2, one sentence naming what is wrong, the way to the help, and no file left.
template <typename Tool>
void expect_refused(Tool tool, const char* tool_name, const BadCall& call, const char* default_output)
{
    QTemporaryDir dir;
    QStringList arguments;
    for (const QString& a : call.arguments)
        arguments << QString(a).replace(QLatin1String("OUT"), dir.filePath(QStringLiteral("out")));
    if (!arguments.contains(QLatin1String("-o")))
        arguments << QStringLiteral("-o") << dir.filePath(QString::fromLatin1(default_output));
    const Outcome out = tool(arguments);
    EXPECT_EQ(out.exit_code, 2);
    const QStringList lines = out.errors.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << out.errors.toStdString();
    EXPECT_TRUE(lines[0].contains(QString::fromLatin1(call.named))) << lines[0].toStdString();
    EXPECT_EQ(lines[1], QStringLiteral("Try '%1 --help'.").arg(QString::fromLatin1(tool_name)));
    EXPECT_TRUE(QDir(dir.path()).isEmpty()) << "a file was left behind";
}

}  // namespace spektrion::testing_tool
