// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

// spektrion-snapshot: the simulator's window (or its chart alone) in a chosen state,
// rendered to a PNG file without a display. The window is the simulator's own Form1,
// shown in the state as the clicks that lead there would show it, so the picture is
// what a student sees.
#include "app/tool.h"
#include "display/carried_image.h"
#include "display/chart.h"
#include "display/chart_surface.h"
#ifdef SPEKTRION_FIELD
#include "display/field_plot.h"
#endif
#include "display/plot.h"
#include "display/tree.h"
#include "model/number_text.h"
#include "model/spectrum.h"
#include "model/state.h"
#include "ui/canvas.h"
#include "ui/form1.h"
#include "words/words.h"

#include <QApplication>
#include <QBuffer>
#include <QPainter>
#ifdef SPEKTRION_SVG
#include <QSvgGenerator>
#endif
#include <QMouseEvent>

#include <algorithm>
#include <optional>
#include <string>

namespace spektrion {
namespace {

using chart::kHeight;
using chart::kWidth;

std::string size_text(int width, int height)
{
    return std::to_string(width) + " x " + std::to_string(height);
}

std::string usage()
{
    return "Usage: spektrion-snapshot [--sizes A,M,X] [--order '>'|'<'] [--chart|--tree]\n"
           "                          [--scale S] [--pointer X,Y] -o FILE.png\n"
           "       spektrion-snapshot [--sizes A,M,X] [--order '>'|'<'] --describe\n"
#ifdef SPEKTRION_FIELD
           "       spektrion-snapshot --field MHZ [--shifts A,M,X] [--couplings AM,MX]\n"
           "                          [--width W] [--sizes A,M,X] [--scale S]\n"
           "                          (-o FILE.png | --lines [--first-order])\n"
#endif
           "Renders the Spektrion window, or its chart alone, in a chosen state to a PNG file,\n"
           "without a display; or describes that state's spectrum in words.\n"
           "\n"
           "Options:\n"
           "  --sizes A,M,X  protons in groups A, M and X, each 1, 2 or 3 (default 2,2,2)\n"
           "  --order >      J(AM) > J(MX) (default); --order < for J(AM) < J(MX)\n"
           "  --chart        the chart alone ("
        + size_text(kWidth, kHeight)
        + ") instead of the whole window\n"
          "  --tree         the chart under the signals' splitting trees ("
        + size_text(kWidth, tree::kBandHeight + kHeight)
        + ")\n"
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
#ifdef SPEKTRION_FIELD
          "  --field MHZ    the spectrum at a spectrometer frequency of MHZ, 40 to 1000:\n"
          "                 the exact spectrum under the first-order one, as\n"
          "                 spektrion-field shows it\n"
          "  --shifts A,M,X with --field: the groups' shifts, ppm from 0 to 10\n"
          "                 (default 3.9,3.6,3.2)\n"
          "  --couplings AM,MX\n"
          "                 with --field: J(AM) and J(MX), Hz from 0 to 20 (default 7,5)\n"
          "  --width W      with --field: the lines' full width at half height, Hz from 0.1\n"
          "                 to 5 (default 0.5)\n"
          "  --lines        with --field: print the exact line list as CSV\n"
          "                 (hz,ppm,intensity), sorted by frequency; no picture\n"
          "  --first-order  with --lines: the first-order list instead\n"
#endif
          "  -h, --help     print this help and exit\n"
          "  --version      print the version and exit\n";
}

struct Request {
    std::string answer;  // set for --help and --version: print it and stop, successfully
    SpinState state;
    bool chart_only = false;
    bool describe = false;
    bool tree = false;
    double scale = 1.0;
    bool scale_given = false;
    bool order_given = false;
    std::optional<QPoint> pointer;
    QByteArray output;  // the file name's bytes, as given
#ifdef SPEKTRION_FIELD
    bool at_field = false;  // --field: the spectrum at a field
    field::Setting setting = field::kDefaultSetting;
    bool setting_given = false;  // --shifts, --couplings or --width
    bool lines = false;
    bool first_order = false;
#endif
};

constexpr ToolMessages kMessages("spektrion-snapshot");

#ifdef SPEKTRION_FIELD
// The options that set the spectrum at a field: each takes one number for each of its
// parameters, separated by commas.
struct FieldOption {
    const char16_t* name;
    std::vector<field::Parameter> parameters;
    const char* expected;
};

std::vector<FieldOption> field_options()
{
    using field::Parameter;
    return {{u"--field", {Parameter::Frequency}, "a frequency in MHz from 40 to 1000"},
        {u"--shifts", {Parameter::ShiftA, Parameter::ShiftM, Parameter::ShiftX},
            "three shifts in ppm from 0 to 10, as 3.9,3.6,3.2"},
        {u"--couplings", {Parameter::CouplingAM, Parameter::CouplingMX},
            "J(AM) and J(MX) in Hz from 0 to 20, as 7,5"},
        {u"--width", {Parameter::Width}, "a width in Hz from 0.1 to 5"}};
}

// The numbers of `given` for `parameters`, each within its parameter's range.
std::optional<std::vector<double>> numbers(
    const std::string& given, const std::vector<field::Parameter>& parameters)
{
    const QStringList parts = QString::fromStdString(given).split(u',');
    if (std::size_t(parts.size()) != parameters.size())
        return std::nullopt;
    std::vector<double> values;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        bool ok = false;
        const double v = parts[qsizetype(i)].trimmed().toDouble(&ok);
        const field::ParameterRange r = field::range_of(parameters[i]);
        if (!ok || !(v >= r.low && v <= r.high))
            return std::nullopt;
        values.push_back(v);
    }
    return values;
}

enum class Taken { No, Yes, Refused };
// The options of the spectrum at a field.
Taken field_option(ToolCommandLine& line, Request& r)
{
    const QString& a = line.option();
    if (a == u"--lines" || a == u"--first-order") {
        (a == u"--lines" ? r.lines : r.first_order) = true;
        return Taken::Yes;
    }
    for (const FieldOption& o : field_options()) {
        if (a != o.name)
            continue;
        const auto values
            = line.value([&](const std::string& given) { return numbers(given, o.parameters); }, o.expected);
        if (!values)
            return Taken::Refused;
        for (std::size_t i = 0; i < o.parameters.size(); ++i)
            field::value_of(r.setting, o.parameters[i]) = (*values)[i];
        if (o.parameters.front() == field::Parameter::Frequency)
            r.at_field = true;
        else
            r.setting_given = true;
        return Taken::Yes;
    }
    return Taken::No;
}

// The lines as --lines prints them: a header, then a line each, by frequency.
std::string csv(const std::vector<field::Line>& lines, double mhz)
{
    std::string text = "hz,ppm,intensity\n";
    for (const field::Line& l : lines)
        text += fixed_point(l.hz, 4) + ',' + fixed_point(l.hz / mhz, 7) + ',' + fixed_point(l.intensity, 7)
            + '\n';
    return text;
}
#endif

std::optional<Request> parse(const std::vector<QByteArray>& raw)
{
    const QRect window(0, 0, Form1::kClientWidth, Form1::kClientHeight);
    const std::string usage_text = usage();
    ToolCommandLine line(raw, kMessages);
    Request r;
    while (line.next()) {
        const QString& a = line.option();
        if (a == u"--sizes") {
            if (!line.has_value())
                return kMessages.refuse("--sizes needs a value such as 3,1,2");
            const auto sizes = line.value(parse_sizes, "three numbers 1 to 3, as A,M,X");
            if (!sizes)
                return std::nullopt;
            r.state = {(*sizes)[0], (*sizes)[1], (*sizes)[2], r.state.order};
        } else if (a == u"--order") {
            const std::optional<Order> order = line.value(parse_order, "'>' or '<'");
            if (!order)
                return std::nullopt;
            r.state.order = *order;
            r.order_given = true;
        } else if (a == u"--pointer") {
            r.pointer = line.value(
                [&](const std::string& given) -> std::optional<QPoint> {
                    const QStringList xy = QString::fromStdString(given).split(u',');
                    bool x_ok = false;
                    bool y_ok = false;
                    const QPoint at(xy.value(0).toInt(&x_ok), xy.value(1).toInt(&y_ok));
                    if (xy.size() != 2 || !x_ok || !y_ok || !window.contains(at))
                        return std::nullopt;
                    return at;
                },
                "X,Y inside the " + size_text(window.width(), window.height()) + " window");
            if (!r.pointer)
                return std::nullopt;
        } else if (a == u"--scale") {
            const std::optional<double> scale = line.value(
                [](const std::string& given) -> std::optional<double> {
                    bool ok = false;
                    const double factor = QString::fromStdString(given).toDouble(&ok);
                    return ok && factor >= 0.5 && factor <= 4.0 ? std::optional(factor) : std::nullopt;
                },
                "a number from 0.5 to 4, such as 1.5");
            if (!scale)
                return std::nullopt;
            r.scale = *scale;
            r.scale_given = true;
        } else if (a == u"--chart") {
            r.chart_only = true;
        } else if (a == u"--tree") {
            r.tree = true;
        } else if (a == u"--describe") {
            r.describe = true;
        }
#ifdef SPEKTRION_FIELD
        else if (const Taken taken = field_option(line, r); taken != Taken::No) {
            if (taken == Taken::Refused)
                return std::nullopt;
        }
#endif
        else if (!line.common(usage_text.c_str(), "spektrion-snapshot " SPEKTRION_VERSION "\n")) {
            return std::nullopt;
        }
    }
    r.answer = line.answer();
    r.output = line.output();
    if (!r.answer.empty())
        return r;
#ifdef SPEKTRION_FIELD
    if (!r.at_field && (r.setting_given || r.lines || r.first_order))
        return kMessages.refuse("--shifts, --couplings, --width and --lines go with --field MHZ");
    if (r.at_field && (r.chart_only || r.tree || r.describe || r.pointer || r.order_given))
        return kMessages.refuse("--field draws the spectrum at a field; --chart, --tree, --describe, "
                                "--pointer and --order are the simulator's");
    if (r.first_order && !r.lines)
        return kMessages.refuse("--first-order goes with --lines");
    const char* const prints = r.lines ? "--lines prints the lines"
        : r.describe                   ? "--describe prints words"
                                       : nullptr;
#else
    const char* const prints = r.describe ? "--describe prints words" : nullptr;
#endif
    // An option that would change nothing is a mistake the user should hear of.
    if (prints && (r.scale_given || r.chart_only || r.tree || r.pointer))
        return kMessages.refuse(
            std::string(prints) + "; --scale, --chart, --tree and --pointer go with a picture");
    if (prints && !r.output.isEmpty())
        return kMessages.refuse(std::string(prints) + " and -o writes a picture; give one of them");
    if (prints)
        return r;
    if (r.output.isEmpty())
        return kMessages.refuse("missing -o FILE.png");
#ifdef SPEKTRION_FIELD
    if (r.at_field && (r.output.toLower().endsWith(".png") || r.output.toLower().endsWith(".svg")))
        return r;
    if (r.at_field)
        return kMessages.refuse("bad -o '" + r.output.toStdString()
            + "': the picture is a PNG or SVG file, name it *.png or *.svg");
#endif
#ifdef SPEKTRION_SVG
    if (r.output.toLower().endsWith(".svg") && (r.chart_only || r.tree))
        return r;
    if (r.output.toLower().endsWith(".svg"))
        return kMessages.refuse(
            "bad -o '" + r.output.toStdString() + "': an SVG drawing is of --chart or --tree");
#endif
    if (!r.output.toLower().endsWith(".png"))
        return kMessages.refuse(
            "bad -o '" + r.output.toStdString() + "': the picture is a PNG file, name it *.png");
    return r;
}

#ifdef SPEKTRION_SVG
// The chart with the state's spectrum, under its trees if asked, drawn as vectors by
// the same plotting as every other picture, `scale` times the size.
QByteArray svg(const SpinState& state, bool tree, double scale)
{
    const int band = tree ? tree::kBandHeight : 0;
    const Spectrum spectrum = spectrum_of(state);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&out);
    // At 96 dpi a consumer takes the size for pixels: the size of the PNG at that scale.
    generator.setResolution(96);
    generator.setSize(QSize(device_pixels(kWidth * scale), device_pixels((band + kHeight) * scale)));
    generator.setViewBox(QRectF(0, 0, kWidth, band + kHeight));
    generator.setTitle(look::text(words::kSpectrumTitle));
    generator.setDescription(look::text(words::describe_spectrum(spectrum)));
    QPainter painter(&generator);
    if (tree) {
        painter.fillRect(QRect(0, 0, kWidth, band), Qt::white);
        tree::draw(painter, state);
        painter.translate(0, band);
    }
    PainterSurface surface(painter);
    plot::plot_spectrum(surface, spectrum);
    painter.end();
    return out.data();
}
#endif

#ifdef SPEKTRION_FIELD
// The field window's picture, as a PNG at the scale asked or as vectors.
QByteArray field_picture(const field::Sizes& sizes, const field::Setting& setting, const Request& r)
{
    if (r.output.toLower().endsWith(".png"))
        return png(field_plot::picture(sizes, setting, r.scale));
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&out);
    generator.setResolution(96);
    generator.setSize(
        QSize(device_pixels(field_plot::kWidth * r.scale), device_pixels(field_plot::kHeight * r.scale)));
    generator.setViewBox(QRectF(0, 0, field_plot::kWidth, field_plot::kHeight));
    generator.setTitle(look::text(words::kFieldPicture));
    generator.setDescription(field_plot::description(setting));
    QPainter painter(&generator);
    field_plot::draw(painter, sizes, setting);
    painter.end();
    return out.data();
}
#endif

}  // namespace
}  // namespace spektrion

int main(int argc, char** argv)
{
    using namespace spektrion;
    prepare_command_line_tool();
    const std::optional<Request> request = parse(tool_arguments(argc, argv));
    // The window drawn as on a display scaled by that much: the toolkit lays out and
    // paints everything at that resolution, the chart included.
    // The toolkit draws no widget right below a ratio of 1: a smaller picture is made
    // from the one at 1.
    if (request && request->scale > 1.0)
        qputenv("QT_SCALE_FACTOR", QByteArray::number(request->scale));
    ToolkitArguments toolkit(argc, argv);
    QApplication app(toolkit.argc(), toolkit.argv());
    register_embedded_fonts();
    if (!request)
        return 2;
    if (!request->answer.empty())
        return kMessages.print(request->answer) ? 0 : 1;
    if (request->describe)
        return kMessages.print(words::describe_spectrum(spectrum_of(request->state))) ? 0 : 1;
#ifdef SPEKTRION_FIELD
    if (request->at_field) {
        const field::Sizes sizes = {request->state.nA, request->state.nM, request->state.nX};
        if (request->lines)
            return kMessages.print(
                       csv(request->first_order ? field::first_order_lines(sizes, request->setting)
                                                : field::exact_lines(sizes, request->setting),
                           request->setting.mhz))
                ? 0
                : 1;
        return write_output(kMessages, request->output, field_picture(sizes, request->setting, *request)) ? 0
                                                                                                          : 1;
    }
#endif
#ifdef SPEKTRION_SVG
    if (request->output.toLower().endsWith(".svg"))
        return write_output(kMessages, request->output, svg(request->state, request->tree, request->scale))
            ? 0
            : 1;
#endif

    Form1 window;
    window.show_state(request->state);
    if (request->pointer) {
        // A pointer move as the window system would send it, to the control there.
        const QPoint at = *request->pointer;
        QWidget* target = window.childAt(at) ? window.childAt(at) : &window;
        QMouseEvent move(QEvent::MouseMove, target->mapFrom(&window, at), window.mapToGlobal(at),
            Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
    }
    const QImage& chart = window.Picture1->surface().image();
    const double ratio = std::max(request->scale, 1.0);
    QImage picture = request->tree ? tree::picture(chart, request->state, ratio)
        : request->chart_only      ? chart
                                   : window.grab().toImage();
    if (request->scale < 1.0)
        picture = picture.scaled(device_pixels(picture.width() * request->scale),
            device_pixels(picture.height() * request->scale), Qt::IgnoreAspectRatio,
            Qt::SmoothTransformation);
    const QByteArray bytes = png(picture);
    if (bytes.isEmpty()) {
        kMessages.error("cannot write '" + request->output.toStdString() + "': no PNG was made");
        return 1;
    }
    return write_output(kMessages, request->output, bytes) ? 0 : 1;
}
