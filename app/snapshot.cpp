// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

// spektrion-snapshot: the simulator's window (or its chart alone) in a chosen state,
// rendered to a PNG file without a display. The window is the simulator's own Form1,
// brought to the state by its own click handlers, so the picture is what a student
// sees after those clicks.
#include "ui/canvas.h"
#include "ui/click_label.h"
#include "ui/form1.h"
#include "display/plot.h"
#include "app/startup.h"
#include "display/tree.h"

#include <QApplication>
#include <QBuffer>
#include <QPainter>
#ifdef SPEKTRION_SVG
#include <QSvgGenerator>
#endif
#include <QImageWriter>
#include <QMouseEvent>

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <string>

namespace {

constexpr char kUsage[]
    = "Usage: spektrion-snapshot [--sizes A,M,X] [--order '>'|'<'] [--chart|--tree]\n"
      "                          [--scale S] [--pointer X,Y] -o FILE.png\n"
      "       spektrion-snapshot [--sizes A,M,X] [--order '>'|'<'] --describe\n"
      "Renders the Spektrion window, or its chart alone, in a chosen state to a PNG file,\n"
      "without a display; or describes that state's spectrum in words.\n"
      "\n"
      "Options:\n"
      "  --sizes A,M,X  protons in groups A, M and X, each 1, 2 or 3 (default 2,2,2)\n"
      "  --order >      J(AM) > J(MX) (default); --order < for J(AM) < J(MX)\n"
      "  --chart        the chart alone (777 x 408) instead of the whole window\n"
      "  --tree         the chart under the signals' splitting trees (777 x 578)\n"
      "  --scale S      drawn at S times the size, 0.5 to 4 (default 1), as on a display\n"
      "                 scaled by S: sharp, not enlarged pixels; for slides and print\n"
      "                 (below 1, the picture at 1 made smaller, smoothly)\n"
      "  --pointer X,Y  the pointer rests at X,Y of the window, so that the help bar\n"
      "                 explains what lies there\n"
      "  --describe     print the spectrum in words, one line per signal (X, M, A):\n"
      "                 the multiplet's name and its intensity ratios; no picture\n"
#ifdef SPEKTRION_SVG
      "  -o FILE.png    where to write the picture; with --chart or --tree also\n"
      "  -o FILE.svg    as an SVG drawing whose rectangles and text stay vectors\n"
#else
      "  -o FILE.png    where to write the picture (SVG drawings: the Linux build)\n"
#endif
      "  -h, --help     print this help and exit\n"
      "  --version      print the version and exit\n";

struct Request {
    // Set for --help and --version: print this and stop, successfully.
    std::string answer;
    std::array<int, 3> sizes{2, 2, 2};
    bool mx_larger = false;
    bool chart_only = false;
    bool describe = false;
    bool tree = false;
    double scale = 1.0;
    std::optional<QPoint> pointer;
    QByteArray output;  // the file name's bytes, as given
};

constexpr spektrion::ToolMessages kMessages("spektrion-snapshot");

void fail(const std::string& message)
{
    kMessages.usage_error(message);
}

std::optional<std::array<int, 3>> parse_sizes(const QString& text)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != 3)
        return std::nullopt;
    std::array<int, 3> sizes{};
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        sizes[i] = parts[i].trimmed().toInt(&ok);
        if (!ok || sizes[i] < 1 || sizes[i] > 3)
            return std::nullopt;
    }
    return sizes;
}

std::optional<Request> parse(const std::vector<QByteArray>& raw)
{
    QStringList args;
    for (const QByteArray& a : raw)
        args << QString::fromUtf8(a);
    Request r;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool has_value = i + 1 < args.size();
        if (a == u"--sizes") {
            if (!has_value) {
                fail("--sizes needs a value such as 3,1,2");
                return std::nullopt;
            }
            const auto sizes = parse_sizes(args[++i]);
            if (!sizes) {
                fail("bad --sizes '" + args[i].toStdString() + "': three numbers 1 to 3, as A,M,X");
                return std::nullopt;
            }
            r.sizes = *sizes;
        } else if (a == u"--order") {
            if (!has_value || (args[i + 1] != u">" && args[i + 1] != u"<")) {
                fail("bad --order '" + (has_value ? args[i + 1].toStdString() : std::string())
                    + "': '>' or '<'");
                return std::nullopt;
            }
            r.mx_larger = args[++i] == u"<";
        } else if (a == u"--chart") {
            r.chart_only = true;
        } else if (a == u"--pointer") {
            const QStringList xy = has_value ? args[i + 1].split(u',') : QStringList();
            bool x_ok = false;
            bool y_ok = false;
            const QPoint at(xy.value(0).toInt(&x_ok), xy.value(1).toInt(&y_ok));
            if (xy.size() != 2 || !x_ok || !y_ok || !QRect(0, 0, 792, 521).contains(at)) {
                fail("bad --pointer '" + (has_value ? args[i + 1].toStdString() : std::string())
                    + "': X,Y inside the 792 x 521 window");
                return std::nullopt;
            }
            r.pointer = at;
            ++i;
        } else if (a == u"--scale") {
            bool ok = false;
            const double scale = has_value ? args[i + 1].toDouble(&ok) : 0.0;
            if (!ok || !(scale >= 0.5 && scale <= 4.0)) {
                fail("bad --scale '" + (has_value ? args[i + 1].toStdString() : std::string())
                    + "': a number from 0.5 to 4, such as 1.5");
                return std::nullopt;
            }
            r.scale = scale;
            ++i;
        } else if (a == u"--tree") {
            r.tree = true;
        } else if (a == u"--describe") {
            r.describe = true;
        } else if (a == u"-o" || a == u"--output") {
            if (!has_value || args[i + 1].isEmpty()) {
                fail("-o needs a file name");
                return std::nullopt;
            }
            r.output = raw[std::size_t(++i)];
        } else if (a == u"-h" || a == u"--help") {
            r.answer = kUsage;
            return r;
        } else if (a == u"--version") {
            r.answer = "spektrion-snapshot " SPEKTRION_VERSION "\n";
            return r;
        } else {
            fail("unknown argument '" + a.toStdString() + "'");
            return std::nullopt;
        }
    }
    if (r.describe && !r.output.isEmpty()) {
        fail("--describe prints words and -o writes a picture; give one of them");
        return std::nullopt;
    }
    if (r.describe)
        return r;
    if (r.output.isEmpty()) {
        fail("missing -o FILE.png");
        return std::nullopt;
    }
#ifdef SPEKTRION_SVG
    if (r.output.toLower().endsWith(".svg") && (r.chart_only || r.tree))
        return r;
    if (r.output.toLower().endsWith(".svg")) {
        fail("bad -o '" + r.output.toStdString() + "': an SVG drawing is of --chart or --tree");
        return std::nullopt;
    }
#endif
    if (!r.output.toLower().endsWith(".png")) {
        fail("bad -o '" + r.output.toStdString() + "': the picture is a PNG file, name it *.png");
        return std::nullopt;
    }
    return r;
}

#ifdef SPEKTRION_SVG
// The chart with the state's spectrum, under its trees if asked, drawn as vectors by
// the same description and plotting as every other picture, `scale` times the size.
QByteArray svg(const spektrion::SpinSystem& state, bool tree, double scale)
{
    const int band = tree ? spektrion::tree::kBandHeight : 0;
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&out);
    // At 96 dpi a consumer takes the size for pixels: the size of the PNG at that scale.
    generator.setResolution(96);
    generator.setSize(
        QSize(spektrion::device_pixels(777 * scale), spektrion::device_pixels((band + 408) * scale)));
    generator.setViewBox(QRectF(0, 0, 777, band + 408));
    generator.setTitle(QString::fromUtf8("Spektrion: спектр ПМР"));
    generator.setDescription(QString::fromStdString(spektrion::describe_spectrum(state)));
    QPainter painter(&generator);
    if (tree) {
        painter.fillRect(QRect(0, 0, 777, band), Qt::white);
        spektrion::tree::draw(painter, state);
        painter.translate(0, band);
    }
    spektrion::PainterSurface surface(painter);
    spektrion::plot::plot_spectrum(surface, state);
    painter.end();
    return out.data();
}
#endif

}  // namespace

int main(int argc, char** argv)
{
    spektrion::prepare_command_line_tool();
    const std::optional<Request> request = parse(spektrion::tool_arguments(argc, argv));
    // The window drawn as on a display scaled by that much: the toolkit lays out and
    // paints everything at that resolution, the chart included.
    // The toolkit draws no widget right below a ratio of 1: a smaller picture is made
    // from the one at 1.
    if (request && request->scale > 1.0)
        qputenv("QT_SCALE_FACTOR", QByteArray::number(request->scale));
    spektrion::ToolkitArguments toolkit(argc, argv);
    QApplication app(toolkit.argc(), toolkit.argv());
    spektrion::register_embedded_fonts();
    if (!request)
        return 2;
    if (!request->answer.empty())
        return kMessages.print(request->answer) ? 0 : 1;

    spektrion::Form1 window;
    // From the start-up state (2, 2, 2, J(AM) larger) by the window's own clicks.
    for (int i = 0; i < 3; ++i)
        for (int clicks = (request->sizes[i] - 2 + 3) % 3; clicks > 0; --clicks)
            emit window.LabH[i]->clicked();
    if (request->mx_larger)
        emit window.Label1->clicked();

    if (request->pointer) {
        // A pointer move as the window system would send it, to the control there.
        const QPoint at = *request->pointer;
        QWidget* target = window.childAt(at) ? window.childAt(at) : &window;
        QMouseEvent move(QEvent::MouseMove, target->mapFrom(&window, at), window.mapToGlobal(at),
            Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
    }
    if (request->describe)
        return kMessages.print(spektrion::describe_spectrum(window.model())) ? 0 : 1;
#ifdef SPEKTRION_SVG
    if (request->output.toLower().endsWith(".svg")) {
        const std::string failure = spektrion::write_whole_file(
            request->output, svg(window.model(), request->tree, request->scale));
        if (!failure.empty()) {
            kMessages.error("cannot write '" + request->output.toStdString() + "': " + failure);
            return 1;
        }
        return 0;
    }
#endif
    const QImage& chart = window.Picture1->surface().image();
    const double ratio = std::max(request->scale, 1.0);
    QImage picture = request->tree ? spektrion::tree::picture(chart, window.model(), ratio)
        : request->chart_only      ? chart
                                   : window.grab().toImage();
    if (request->scale < 1.0)
        picture = picture.scaled(spektrion::device_pixels(picture.width() * request->scale),
            spektrion::device_pixels(picture.height() * request->scale), Qt::IgnoreAspectRatio,
            Qt::SmoothTransformation);
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    QImageWriter writer(&png, "png");
    const std::string failure = writer.write(picture)
        ? spektrion::write_whole_file(request->output, png.data())
        : "no PNG was made";
    if (!failure.empty()) {
        kMessages.error("cannot write '" + request->output.toStdString() + "': " + failure);
        return 1;
    }
    return 0;
}
