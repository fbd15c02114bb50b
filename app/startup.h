// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QString>

#include <string>
#include <vector>

namespace spektrion {

// Registers the font faces the executable carries (on systems that lack the
// Liberation faces), so that every text is drawn in the faces it was laid out for.
// Does nothing where none are carried. Needs a QGuiApplication.
void register_embedded_fonts();

// The command line the toolkit is given: the program's name alone, and the program's
// own choice of platform plug-in where it makes one. Given more, the toolkit would
// take options of its own (-platform, -stylesheet, -qwindowtitle…) that no Spektrion
// program documents.
class ToolkitArguments {
public:
    ToolkitArguments(int argc, char** argv, QByteArray platform = {});
    // argv() points into the object, and the application object keeps it.
    ToolkitArguments(const ToolkitArguments&) = delete;
    ToolkitArguments& operator=(const ToolkitArguments&) = delete;

    int& argc() { return argc_; }
    char** argv() { return argv_.data(); }

private:
    QByteArray name_;
    QByteArray option_ = "-platform";
    QByteArray platform_;
    std::vector<char*> argv_;
    int argc_ = 0;
};

// The platform plug-in the window programs ask for, to pass to ToolkitArguments: on
// Windows the Windows one with FreeType's text rendering, which draws the carried faces
// as on Linux, pixel for pixel (Windows' own differs); elsewhere, and wherever the user
// names one in QT_QPA_PLATFORM, none, so that the toolkit's own choice or the user's holds.
QByteArray window_platform();

// For the window programs. While their application object is being made, a failure
// to reach a display would abort with a core dump: installed as the message handler
// (through a function of the program's own), this says in one sentence, headed by
// `program`, what failed and ends with status 1. Other messages are passed on.
void window_startup_message(
    const char* program, QtMsgType type, const QMessageLogContext& context, const QString& message);

// Whether QT_SCALE_FACTOR, if set, is a scale the window can be shown at; if not, says
// so on the standard error, headed by `program`.
bool scale_factor_usable(const char* program);

// For the command-line tools, before their application object exists: they draw
// offscreen at a fixed size, needing no display and taking none that is there, nor
// a desktop's scale factor, and they say nothing when they succeed. The toolkit's
// remarks (a missing XDG_RUNTIME_DIR on a server, say) are dropped; a fatal one
// still ends the run with one sentence and status 1. On Unix what the libraries below
// the toolkit print on the standard error is dropped too (fontconfig's complaint that
// it cannot write its cache, on a machine whose caches are stale): a tool's standard
// error holds its own sentences (ToolMessages) and nothing else.
void prepare_command_line_tool();

// A tool's arguments after its name, as given: on Unix the bytes of argv, which need
// not be valid text in the locale's encoding (a file name so given must still land
// where asked); on Windows the UTF-8 of the wide command line.
std::vector<QByteArray> tool_arguments(int argc, char** argv);

// What a tool says about its run, each a line on stderr beginning with its name.
class ToolMessages {
public:
    explicit constexpr ToolMessages(const char* tool)
        : tool_(tool)
    {
    }

    // A fault of the run (an unwritable file): one sentence.
    void error(const std::string& sentence) const;
    // A wrong argument: the sentence and where to learn the right ones, as GNU tools do.
    void usage_error(const std::string& sentence) const;
    // `text` on stdout, flushed; false (after saying so) when it could not be written
    // whole, as on a full disk.
    bool print(const std::string& text) const;

private:
    const char* tool_;
};

// Writes `data` to the file `name` (tool_arguments' bytes) whole or not at all: into
// a new file beside it, moved over it only once every byte is on the disk, so that a
// full disk or a kill half-way leaves any old file as it was. A `name` that exists
// and is not a regular file (a device, a FIFO, a folder) is refused, also through a
// symbolic link. Returns an empty string, or why it failed.
std::string write_whole_file(const QByteArray& name, const QByteArray& data);

}  // namespace spektrion
