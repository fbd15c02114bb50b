// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

// Both command-line tools where their output cannot go where asked: a full disk, a
// write cut off half-way or killed, a device or a FIFO in the file's place, a full
// standard output. A failure is never reported as success, and an old file survives.
// Under a group's umask, which a new file's permissions follow.
#include "tests/support/tool.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace spektrion {
namespace {

struct Tool {
    const char* binary;
    const char* extension;
};
constexpr Tool kSnapshot{SNAPSHOT_BINARY, ".png"};
constexpr Tool kWorksheet{WORKSHEET_BINARY, ".pdf"};

// A file-size limit (ulimit -f) part-way through the file: the write fails (EFBIG) where
// the limit's signal is ignored, and where it is not, the tool ignores it itself.
enum class Limit { None, SignalIgnored, SignalDefault };

struct Fault {
    const char* name;
    // Shell commands run in the work folder first; OLD is a file there already.
    const char* setup;
    // The tool's arguments; OUT becomes "out" and the tool's extension.
    const char* arguments;
    Limit limit;
    bool stdout_full;
    int exit_code;
    const char* written = nullptr;  // where it succeeds: the name it writes, as OUT
};

constexpr Fault kFaults[] = {
    {"FullDisk", "ln -s /dev/full OUT", "-o OUT", Limit::None, false, 1},
    {"Fifo", "mkfifo OUT", "-o OUT", Limit::None, false, 1},
    {"Folder", "mkdir OUT", "-o OUT", Limit::None, false, 1},
    {"MissingFolder", "", "-o no/such/OUT", Limit::None, false, 1},
    {"LinkLoop", "ln -s OUT OUT", "-o OUT", Limit::None, false, 1},
    {"WriteFailsHalfWay", "", "-o OLD", Limit::SignalIgnored, false, 1},
    {"SizeLimitWithItsSignal", "", "-o OLD", Limit::SignalDefault, false, 1},
    // fontconfig with caches it must rebuild, and may not write past the limit: its
    // complaint is not the tool's to pass on.
    {"StaleFontCachesUnwritable",
        "mkdir .fc && printf "
        "'<fontconfig><dir>/usr/share/fonts</dir><cachedir>%s/.fc</cachedir></fontconfig>' "
        "\"$PWD\" >.fonts.conf && export FONTCONFIG_FILE=\"$PWD/.fonts.conf\"",
        "-o OLD", Limit::SignalIgnored, false, 1},
    {"HelpToAFullOutput", "", "--help", Limit::None, true, 1},
    {"VersionToAFullOutput", "", "--version", Limit::None, true, 1},
    // A name that is not valid UTF-8 lands as given, byte for byte.
    {"UndecodableName", "", "-o \"$(printf 'caf\\351')\"OUT", Limit::None, false, 0, "caf\351OUT"},
    // As long as a file name may be: 255 bytes.
    {"LongestName", "", "-o LONGOUT", Limit::None, false, 0, "LONGOUT"},
};

struct Case {
    Tool tool;
    Fault fault;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.fault.name;
}

class ToolOutputTest : public testing::TestWithParam<Case> { };

std::vector<Case> all_cases()
{
    std::vector<Case> cases;
    for (const Tool& tool : {kSnapshot, kWorksheet})
        for (const Fault& fault : kFaults)
            cases.push_back({tool, fault});
    cases.push_back({kSnapshot, {"DescribeToAFullOutput", "", "--describe", Limit::None, true, 1}});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Faults, ToolOutputTest, testing::ValuesIn(all_cases()),
    [](const auto& p) { return std::string(p.param.tool.extension + 1) + p.param.fault.name; });

TEST_P(ToolOutputTest, FailsInOneSentenceAndKeepsTheOldFile)
{
    const auto& [tool, fault] = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString out = QStringLiteral("out") + QString::fromLatin1(tool.extension);
    const QString old = QStringLiteral("old") + QString::fromLatin1(tool.extension);
    // Larger than the limit below, so that a cut-off write cannot pass for it.
    QByteArray old_bytes(20000, 'x');
    {
        QFile file(dir.filePath(old));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(old_bytes);
    }
    const auto substituted = [&](const char* text) {
        return QString::fromLatin1(text)
            .replace(QLatin1String("OUT"), out)
            .replace(QLatin1String("OLD"), old)
            .replace(QLatin1String("LONG"), QString(255 - out.size(), u'x'));
    };
    QProcess p;
    p.setProcessEnvironment(testing_tool::headless_environment());
    p.setWorkingDirectory(dir.path());
    if (fault.stdout_full)
        p.setStandardOutputFile(QStringLiteral("/dev/full"));
    const Limit limit = fault.limit;
    p.setChildProcessModifier([limit] {
        ::umask(027);
        if (limit == Limit::None)
            return;
        // Files may grow to 4 KiB: the next write fails (EFBIG) or raises SIGXFSZ.
        const rlimit four_kib{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &four_kib);
        std::signal(SIGXFSZ, limit == Limit::SignalIgnored ? SIG_IGN : SIG_DFL);
    });
    const QString command = substituted(fault.setup) + QStringLiteral("\nexec '%1' ").arg(tool.binary)
        + substituted(fault.arguments);
    p.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString errors = QString::fromLocal8Bit(p.readAllStandardError());
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << "killed by signal " << p.exitCode();
    EXPECT_EQ(p.exitCode(), fault.exit_code) << errors.toStdString();

    QFile kept(dir.filePath(old));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    if (fault.exit_code != 0) {
        EXPECT_EQ(kept.readAll(), old_bytes) << "the old file was changed";
        const QStringList lines = errors.split(u'\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 1) << errors.toStdString();
        EXPECT_TRUE(lines[0].startsWith(QFileInfo(QString::fromLatin1(tool.binary)).fileName() + u':'));
        // Nothing left behind, and a device, FIFO or link in the way stays what it was.
        QStringList expected{old};
        if (std::strstr(fault.setup, "OUT"))
            expected << out;
        EXPECT_EQ(
            QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System), expected);
        struct stat status { };
        if (std::strstr(fault.setup, "OUT")) {
            ASSERT_EQ(::lstat(QFile::encodeName(dir.filePath(out)).constData(), &status), 0);
            EXPECT_FALSE(S_ISREG(status.st_mode)) << "replaced by an ordinary file";
        }
    } else {
        EXPECT_EQ(errors, QString());
        const QByteArray wanted = QFile::encodeName(dir.path()) + '/' + substituted(fault.written).toLatin1();
        struct stat status { };
        ASSERT_EQ(::stat(wanted.constData(), &status), 0) << "not written under the name given";
        EXPECT_TRUE(S_ISREG(status.st_mode) && status.st_size > 1000);
        EXPECT_EQ(status.st_mode & 07777, 0640u) << "not what the umask leaves";
        // Removed by its bytes: the toolkit could not name it to clean up.
        EXPECT_EQ(::unlink(wanted.constData()), 0);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{old});
    }
}

}  // namespace
}  // namespace spektrion
