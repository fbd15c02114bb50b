// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "app/tool.h"

#include <QCoreApplication>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#ifdef Q_OS_WIN
#include <QFileInfo>
#include <QSaveFile>

#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>
#else
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace spektrion {
namespace {

// Where a command-line tool's own sentences go: the standard error it was given. Once
// prepare_command_line_tool has run, descriptor 2 itself leads to /dev/null, so that
// the libraries under the toolkit, which write there on their own account (fontconfig's
// "write cache: …" where its caches are stale and may not be written), add nothing to
// the tool's one sentence. One stream for the process, as stderr itself is.
std::FILE*& tool_error_stream()
{
    static std::FILE* stream = stderr;
    return stream;
}

void quiet_message_handler(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtFatalMsg)
        return;
    const QString tool = QCoreApplication::instance() ? QCoreApplication::applicationName() : QString();
    std::fprintf(tool_error_stream(), "%s: %s\n", tool.isEmpty() ? "spektrion" : qPrintable(tool),
        qPrintable(message));
    std::_Exit(1);
}

void mute_libraries_standard_error()
{
#ifndef Q_OS_WIN
    const int own = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
    if (own < 0)
        return;
    std::FILE* stream = ::fdopen(own, "w");
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (!stream || null < 0 || ::dup2(null, STDERR_FILENO) < 0) {
        if (stream)
            std::fclose(stream);
        else
            ::close(own);
        if (null >= 0)
            ::close(null);
        return;
    }
    ::close(null);
    std::setvbuf(stream, nullptr, _IONBF, 0);
    tool_error_stream() = stream;
#endif
}

#ifndef Q_OS_WIN
std::string with_reason(const char* what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

// Every byte of `data` to `fd`, however the kernel splits the writes.
bool write_all(int fd, const QByteArray& data)
{
    const char* p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, std::size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0)
            errno = EIO;
        if (n <= 0)
            return false;
        p += n;
        left -= n;
    }
    return true;
}
#endif

}  // namespace

void prepare_command_line_tool()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    for (const char* scaling : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI",
             "QT_ENABLE_HIGHDPI_SCALING", "QT_SCALE_FACTOR_ROUNDING_POLICY"})
        qunsetenv(scaling);
    mute_libraries_standard_error();
    qInstallMessageHandler(quiet_message_handler);
#ifndef Q_OS_WIN
    // Past a file-size limit (ulimit -f) a write then fails with EFBIG, which the tool
    // reports in its sentence and cleans up after, rather than the process being killed
    // with its temporary file left behind.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

std::vector<QByteArray> tool_arguments(int argc, char** argv)
{
    std::vector<QByteArray> arguments;
#ifdef Q_OS_WIN
    // argv holds the arguments in the ANSI code page, which loses what it cannot spell.
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; wide && i < count; ++i)
        arguments.push_back(QString::fromWCharArray(wide[i]).toUtf8());
    LocalFree(wide);
#else
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
#endif
    return arguments;
}

void ToolMessages::error(const std::string& sentence) const
{
    std::fprintf(tool_error_stream(), "%s: %s\n", tool_, sentence.c_str());
}

void ToolMessages::usage_error(const std::string& sentence) const
{
    std::fprintf(tool_error_stream(), "%s: %s\nTry '%s --help'.\n", tool_, sentence.c_str(), tool_);
}

bool ToolMessages::print(const std::string& text) const
{
    if (std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0 && !std::ferror(stdout))
        return true;
    error(std::string("cannot write to the standard output: ") + std::strerror(errno));
    return false;
}

#ifdef Q_OS_WIN
std::string write_whole_file(const QByteArray& name, const QByteArray& data)
{
    const QString path = QString::fromUtf8(name);
    const QFileInfo existing(path);
    if (existing.exists() && !existing.isFile())
        return "it exists and is not a regular file";
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        return file.errorString().toStdString();
    return {};
}
#else
std::string write_whole_file(const QByteArray& name, const QByteArray& data)
{
    // Through a symbolic link the file it names is replaced, not the link; a link to a
    // file not there yet makes that file. As many links are followed as the kernel
    // follows (Linux's MAXSYMLINKS), so that one still left is a loop, which stat() says.
    QByteArray target = name;
    struct stat status { };
    for (int links = 0; links < 40 && ::lstat(target.constData(), &status) == 0 && S_ISLNK(status.st_mode);
         ++links) {
        QByteArray link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(target.constData(), link.data(), link.size());
        if (length <= 0)
            break;
        link.truncate(length);
        const qsizetype slash = target.lastIndexOf('/');
        target = link.startsWith('/') || slash < 0 ? link : target.left(slash + 1) + link;
    }
    const bool exists = ::stat(target.constData(), &status) == 0;
    // A loop of links, or a name that cannot be looked up for another reason than that
    // it is not there yet, is not a name to write to.
    if (!exists && errno != ENOENT)
        return with_reason("it cannot be reached");
    if (exists && !S_ISREG(status.st_mode))
        return "it exists and is not a regular file";
    // Replacing needs only the folder's permission; a file that may not be written to
    // is not replaced either.
    if (exists && ::access(target.constData(), W_OK) != 0)
        return with_reason("it may not be written to");
    // Beside the target, so that the rename stays on one file system; named after it
    // where the name leaves room for the suffix, else with a short name of its own.
    const qsizetype slash = target.lastIndexOf('/');
    const qsizetype base = target.size() - slash - 1;
    QByteArray temporary
        = base + 7 <= NAME_MAX ? target + ".XXXXXX" : target.left(slash + 1) + ".spektrion.XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return with_reason("cannot create a file there");
    // A new file gets the usual permissions, an old one keeps its own.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const mode_t mode = exists ? status.st_mode & 07777 : 0666 & ~mask;
    std::string failure;
    if (::fchmod(fd, mode) != 0)
        failure = with_reason("cannot set its permissions");
    else if (!write_all(fd, data))
        failure = with_reason("writing failed");
    else if (::fsync(fd) != 0)
        failure = with_reason("writing failed");
    if (::close(fd) != 0 && failure.empty())
        failure = with_reason("writing failed");
    if (failure.empty() && ::rename(temporary.constData(), target.constData()) != 0)
        failure = with_reason("cannot put it in place");
    if (!failure.empty())
        ::unlink(temporary.constData());
    return failure;
}
#endif

ToolCommandLine::ToolCommandLine(std::vector<QByteArray> raw, ToolMessages messages)
    : raw_(std::move(raw))
    , messages_(messages)
{
    for (const QByteArray& a : raw_)
        args_.push_back(QString::fromUtf8(a));
}

bool ToolCommandLine::next()
{
    if (!answer_.empty())
        return false;
    if (started_)
        ++at_;
    started_ = true;
    option_ = at_;
    return at_ < args_.size();
}

std::string ToolCommandLine::following() const
{
    return has_value() ? args_[at_ + 1].toStdString() : std::string();
}

std::optional<QString> ToolCommandLine::value()
{
    if (!has_value())
        return std::nullopt;
    return args_[++at_];
}

void ToolCommandLine::bad_value(const std::string& given, const std::string& expected) const
{
    messages_.usage_error("bad " + option().toStdString() + " '" + given + "': " + expected);
}

bool ToolCommandLine::common(const char* usage, const char* version, bool takes_output)
{
    const QString& a = option();
    if (takes_output && (a == u"-o" || a == u"--output")) {
        if (!has_value() || args_[at_ + 1].isEmpty()) {
            messages_.usage_error("-o needs a file name");
            return false;
        }
        output_ = raw_[++at_];
    } else if (a == u"-h" || a == u"--help") {
        answer_ = usage;
    } else if (a == u"--version") {
        answer_ = version;
    } else {
        messages_.usage_error("unknown argument '" + a.toStdString() + "'");
        return false;
    }
    return true;
}

bool write_output(const ToolMessages& messages, const QByteArray& name, const QByteArray& data)
{
    const std::string failure = write_whole_file(name, data);
    if (!failure.empty())
        messages.error("cannot write '" + name.toStdString() + "': " + failure);
    return failure.empty();
}

}  // namespace spektrion
