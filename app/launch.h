// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

// What every program does as it starts: the toolkit's command line, the carried faces, and
// for the window programs the display and the scale they are shown at.

#include <QByteArray>
#include <QString>

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

}  // namespace spektrion
