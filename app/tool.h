// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

// What every command-line tool shares: its start without a display, its arguments,
// its one-sentence messages and the writing of its file whole or not at all.
#include "app/launch.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace spektrion {

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
    // usage_error, for a parser to return: `return messages.refuse("…");`.
    std::nullopt_t refuse(const std::string& sentence) const
    {
        usage_error(sentence);
        return std::nullopt;
    }
    // `text` on stdout, flushed; false (after saying so) when it could not be written
    // whole, as on a full disk.
    bool print(const std::string& text) const;

private:
    const char* tool_;
};

// A tool's command line read from left to right: the tool handles its own options and
// passes every other to common(), which takes what all tools take (-o FILE, -h or
// --help, --version) and refuses the rest. Reading stops at --help or --version.
class ToolCommandLine {
public:
    ToolCommandLine(std::vector<QByteArray> raw, ToolMessages messages);

    // Moves to the next argument; false at the end, or once an answer is set.
    bool next();
    const QString& option() const { return args_[option_]; }
    bool has_value() const { return at_ + 1 < args_.size(); }
    // The argument after this option, as given ("" where there is none), for messages.
    std::string following() const;
    // Takes the argument after this option as its value; nothing where there is none.
    std::optional<QString> value();
    // Takes the argument after this option as its value, read by `read`; where there is
    // none or `read` finds nothing in it, says so as bad_value with `expected`.
    template <typename Read>
    auto value(Read read, const std::string& expected) -> decltype(read(std::string()))
    {
        const std::string given = following();
        auto read_value = has_value() ? read(given) : decltype(read(given)){};
        if (read_value)
            value();
        else
            bad_value(given, expected);
        return read_value;
    }
    // Says that this option's value `given` is not what it must be: "bad --scale '7':
    // a number from 0.5 to 4…".
    void bad_value(const std::string& given, const std::string& expected) const;

    // -o or --output and its file (unless `takes_output` is false: a window program's),
    // -h or --help, --version: taken; anything else is an unknown argument. False (after
    // saying why) where the arguments are wrong.
    bool common(const char* usage, const char* version, bool takes_output = true);

    // What common() took.
    const QByteArray& output() const { return output_; }
    // Set by --help and --version: print it and stop, successfully.
    const std::string& answer() const { return answer_; }

private:
    std::vector<QByteArray> raw_;
    std::vector<QString> args_;
    ToolMessages messages_;
    std::size_t at_ = 0;  // the last argument read
    std::size_t option_ = 0;  // the option being read
    bool started_ = false;
    QByteArray output_;
    std::string answer_;
};

// Writes `data` to the file `name` (tool_arguments' bytes) whole or not at all: into
// a new file beside it, moved over it only once every byte is on the disk, so that a
// full disk or a kill half-way leaves any old file as it was. A `name` that exists
// and is not a regular file (a device, a FIFO, a folder) is refused, also through a
// symbolic link. Returns an empty string, or why it failed.
std::string write_whole_file(const QByteArray& name, const QByteArray& data);

// write_whole_file, and on failure the tool's one sentence saying so; true on success.
bool write_output(const ToolMessages& messages, const QByteArray& name, const QByteArray& data);

}  // namespace spektrion
