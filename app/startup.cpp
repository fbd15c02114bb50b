// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "app/startup.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFontDatabase>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

void register_embedded_fonts()
{
    QDirIterator faces(QStringLiteral(":/spektrion/fonts"), QDir::Files);
    while (faces.hasNext())
        QFontDatabase::addApplicationFont(faces.next());
}

ToolkitArguments::ToolkitArguments(int argc, char** argv, QByteArray platform)
    : name_(argc > 0 && argv[0] ? argv[0] : "spektrion")
    , platform_(std::move(platform))
{
    argv_.push_back(name_.data());
    if (!platform_.isEmpty()) {
        argv_.push_back(option_.data());
        argv_.push_back(platform_.data());
    }
    argc_ = int(argv_.size());
    argv_.push_back(nullptr);
}

QByteArray window_platform()
{
#ifdef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return "windows:fontengine=freetype";
#endif
    return {};
}

void prepare_command_line_tool()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    for (const char* scaling : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI",
             "QT_ENABLE_HIGHDPI_SCALING", "QT_SCALE_FACTOR_ROUNDING_POLICY"})
        qunsetenv(scaling);
    mute_libraries_standard_error();
    qInstallMessageHandler(quiet_message_handler);
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
    // file not there yet makes that file.
    QByteArray target = name;
    struct stat status { };
    for (int links = 0; links < 8 && ::lstat(target.constData(), &status) == 0 && S_ISLNK(status.st_mode);
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
    if (exists && !S_ISREG(status.st_mode))
        return "it exists and is not a regular file";
    // Replacing needs only the folder's permission; a file that may not be written to
    // is not replaced either.
    if (exists && ::access(target.constData(), W_OK) != 0)
        return with_reason("it may not be written to");
    QByteArray temporary = target + ".XXXXXX";
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

// While the application object is being made, a failure to reach a display is a
// qFatal that would abort with a core dump; say in one sentence what failed and leave
// instead. Where QT_QPA_PLATFORM names a display system other than X or Wayland, that
// system is what is missing; where a display is named, it is that display or the
// plug-in that reaches it; otherwise there is no display at all.
void window_startup_message(
    const char* program, QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg) {
        const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
        const QByteArray plugin = platform.split(';').constFirst().split(':').constFirst();
        const bool desktop = plugin.isEmpty() || plugin == "xcb" || plugin.startsWith("wayland");
        const QByteArray display
            = qgetenv("WAYLAND_DISPLAY").isEmpty() ? qgetenv("DISPLAY") : qgetenv("WAYLAND_DISPLAY");
        if (!desktop)
            std::fprintf(stderr,
                "%s: the display system '%s' that QT_QPA_PLATFORM asks for is not available; "
                "unset QT_QPA_PLATFORM to use the desktop's own.\n",
                program, platform.constData());
        else if (!display.isEmpty())
            std::fprintf(stderr,
                "%s: the window cannot be shown on the display '%s': it cannot be reached, or "
                "the toolkit's plug-in for it cannot start.\n",
                program, display.constData());
        else
            std::fprintf(stderr,
                "%s: there is no display to show the window on; start Spektrion from its menu "
                "entry or a terminal of a desktop session.\n",
                program);
        std::_Exit(1);
    }
    // The platform plugin's own complaints precede its fatal message; one sentence is enough.
    if (QByteArrayView(context.category).startsWith("qt.qpa"))
        return;
    std::fputs(qPrintable(qFormatLogMessage(type, context, message) + u'\n'), stderr);
}

// The toolkit takes any scale factor, and at 0 or "nan" shows no window and says
// nothing; such a setting is refused before it starts.
bool scale_factor_usable(const char* program)
{
    const QByteArray setting = qgetenv("QT_SCALE_FACTOR");
    if (setting.isEmpty())
        return true;
    bool ok = false;
    const double factor = setting.toDouble(&ok);
#ifdef Q_OS_WASM
    // The page shrinks the window to a phone's width, to a little under half its size.
    constexpr double kSmallest = 0.25;
#else
    constexpr double kSmallest = 0.5;
#endif
    if (ok && std::isfinite(factor) && factor >= kSmallest && factor <= 8.0)
        return true;
    std::fprintf(stderr,
        "%s: QT_SCALE_FACTOR='%s' is not a scale the window can be shown at; set a factor "
        "from %g to 8, or unset it.\n",
        program, setting.constData(), kSmallest);
    return false;
}

}  // namespace spektrion
