// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

// spektrion-worksheet: a printable A4 worksheet (PDF) of spin systems to work out by
// hand, with an answer key. Tasks first: the formula, an empty chart to draw the
// spectrum on and ruled lines for the three multiplet names; then, from a new page,
// each task's spectrum, its splitting trees and the spectrum in words. Everything is
// drawn as vector shapes and text, from the same chart and plotting the window uses.
#include "display/chart.h"
#include "display/chart_surface.h"
#include "display/look.h"
#include "display/plot.h"
#include "model/quiz.h"
#include "model/spin_system.h"
#include "app/startup.h"
#include "display/tree.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace spektrion {
namespace {

constexpr char kUsage[]
    = "Usage: spektrion-worksheet [--count N] [--seed S] [--system A,M,X,ORDER]... -o FILE.pdf\n"
      "Writes a printable A4 worksheet of A-M-X spin systems to work out by hand: for\n"
      "each, the formula, an empty chart and lines for the multiplet names; then an\n"
      "answer key with the spectra, their splitting trees and the spectra in words.\n"
      "\n"
      "Options:\n"
      "  --count N      N different spin systems chosen at random, 1 to 54 (default 6)\n"
      "  --seed S       the choice made from seed S, a whole number (default 1): the same\n"
      "                 seed gives the same worksheet\n"
      "  --system A,M,X,ORDER\n"
      "                 a spin system of your own instead: protons in A, M and X (1 to 3)\n"
      "                 and '>' for J(AM) > J(MX) or '<' for J(AM) < J(MX); repeat it for\n"
      "                 more tasks, in the order given\n"
      "  -o FILE.pdf    where to write the worksheet\n"
      "  -h, --help     print this help and exit\n"
      "  --version      print the version and exit\n";

using quiz::kStates;

struct Task {
    int nA, nM, nX, znak_J;
    bool operator==(const Task&) const = default;
};

struct Request {
    std::string answer;  // set for --help and --version
    std::vector<Task> tasks;
    QByteArray output;  // the file name's bytes, as given
};

constexpr ToolMessages kMessages("spektrion-worksheet");

void fail(const std::string& message)
{
    kMessages.usage_error(message);
}

std::optional<Task> parse_system(const QString& text)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != 4 || (parts[3] != u">" && parts[3] != u"<"))
        return std::nullopt;
    int sizes[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        sizes[i] = parts[i].trimmed().toInt(&ok);
        if (!ok || sizes[i] < 1 || sizes[i] > 3)
            return std::nullopt;
    }
    return Task{sizes[0], sizes[1], sizes[2], parts[3] == u"<" ? 1 : 0};
}

// All 54 states in a fixed order, shuffled by a Mersenne Twister, whose numbers the
// C++ standard fixes: the same seed gives the same tasks with any compiler.
std::vector<Task> random_tasks(int count, std::uint32_t seed)
{
    std::vector<Task> all;
    for (const quiz::System& s : quiz::all_systems())
        all.push_back({s.nA, s.nM, s.nX, s.znak_J});
    std::mt19937 random(seed);
    for (int i = kStates - 1; i > 0; --i)
        std::swap(all[std::size_t(i)], all[random() % std::uint32_t(i + 1)]);
    all.resize(std::size_t(count));
    return all;
}

std::optional<Request> parse(const std::vector<QByteArray>& raw)
{
    QStringList args;
    for (const QByteArray& a : raw)
        args << QString::fromUtf8(a);
    Request r;
    std::optional<int> count;
    std::uint32_t seed = 1;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool has_value = i + 1 < args.size();
        const std::string value = has_value ? args[i + 1].toStdString() : std::string();
        if (a == u"--count") {
            bool ok = false;
            const int n = has_value ? args[i + 1].toInt(&ok) : 0;
            if (!ok || n < 1 || n > kStates) {
                fail("bad --count '" + value + "': a number of tasks from 1 to 54");
                return std::nullopt;
            }
            count = n;
            ++i;
        } else if (a == u"--seed") {
            bool ok = false;
            const uint s = has_value ? args[i + 1].toUInt(&ok) : 0;
            if (!ok) {
                fail("bad --seed '" + value + "': a whole number from 0 to 4294967295");
                return std::nullopt;
            }
            seed = s;
            ++i;
        } else if (a == u"--system") {
            const std::optional<Task> task = has_value ? parse_system(args[i + 1]) : std::nullopt;
            if (!task) {
                fail("bad --system '" + value + "': three numbers 1 to 3 and '>' or '<', as 3,1,2,<");
                return std::nullopt;
            }
            if (std::find(r.tasks.begin(), r.tasks.end(), *task) != r.tasks.end()) {
                fail("--system " + value + " is given twice; every task is a different spin system");
                return std::nullopt;
            }
            r.tasks.push_back(*task);
            ++i;
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
            r.answer = "spektrion-worksheet " SPEKTRION_VERSION "\n";
            return r;
        } else {
            fail("unknown argument '" + a.toStdString() + "'");
            return std::nullopt;
        }
    }
    if (count && !r.tasks.empty()) {
        fail("--count and --system both choose the tasks; give one of them");
        return std::nullopt;
    }
    if (r.output.isEmpty()) {
        fail("missing -o FILE.pdf");
        return std::nullopt;
    }
    if (!r.output.toLower().endsWith(".pdf")) {
        fail("bad -o '" + r.output.toStdString() + "': the worksheet is a PDF file, name it *.pdf");
        return std::nullopt;
    }
    if (r.tasks.empty())
        r.tasks = random_tasks(count.value_or(6), seed);
    return r;
}

// Lays out A4 pages in millimetres on a PDF writer.
class Sheet {
public:
    static constexpr double kMargin = 12.0;
    static constexpr double kPageHeight = 297.0;

    explicit Sheet(QPdfWriter& writer)
        : writer_(writer)
        , painter_(&writer)
        , dots_per_mm_(writer.resolution() / 25.4)
    {
    }

    bool ok() const { return painter_.isActive(); }
    QPainter& painter() { return painter_; }
    double y() const { return y_; }

    double dots(double mm) const { return mm * dots_per_mm_; }

    // Room for `height` mm below the cursor, else a new page.
    void need(double height)
    {
        if (y_ + height > kPageHeight - kMargin)
            new_page();
    }
    void new_page()
    {
        writer_.newPage();
        y_ = kMargin;
    }
    void advance(double mm) { y_ += mm; }

    // Text with its baseline `baseline` mm below the cursor, from `x` mm; returns the
    // x where it ends.
    double text(double x, double baseline, const QString& s, const QFont& font, QRgb colour = 0x000000u)
    {
        painter_.setFont(font);
        painter_.setPen(QColor::fromRgb(colour));
        painter_.drawText(QPointF(dots(x), dots(y_ + baseline)), s);
        return x + QFontMetricsF(font, &writer_).horizontalAdvance(s) / dots_per_mm_;
    }

    // Chart units (pixels of the 777-px chart) scaled to `width` mm, with the chart's
    // top-left corner `top` mm below the cursor.
    void chart_space(double width, double top)
    {
        painter_.translate(dots(kMargin), dots(y_ + top));
        const double scale = dots(width) / chart::kWidth;
        painter_.scale(scale, scale);
    }

private:
    QPdfWriter& writer_;
    QPainter painter_;
    double dots_per_mm_;
    double y_ = kMargin;
};

QFont sans(double points, bool bold = false)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// "Завдання 3." and the formula, each letter in its group's colour with its size as a
// subscript (none for one proton), then the coupling order.
void heading(Sheet& sheet, int number, const Task& t)
{
    const int sizes[3] = {t.nA, t.nM, t.nX};
    double x
        = sheet.text(Sheet::kMargin, 6, QString::fromUtf8("Завдання %1.   ").arg(number), sans(12, true));
    for (int i = 0; i < 3; ++i) {
        x = sheet.text(x, 6, QString(QChar(look::kGroupLetters[i])), sans(13, true), look::kGroupColours[i]);
        if (sizes[i] > 1)
            x = sheet.text(x, 7.5, QString::number(sizes[i]), sans(9, true), look::kGroupColours[i]);
        x += 0.8;
    }
    sheet.text(x + 8, 6, look::order_text(t.znak_J), sans(12, true));
    sheet.advance(9);
}

constexpr double kTaskChartWidth = 140.0;
constexpr double kKeyChartWidth = 120.0;

void write_task(Sheet& sheet, int number, const Task& t)
{
    const double chart_height = kTaskChartWidth * chart::kHeight / chart::kWidth;
    sheet.need(9 + 7 + chart_height + 4 + 3 * 9 + 6);
    heading(sheet, number, t);
    sheet.text(Sheet::kMargin, 4,
        QString::fromUtf8("Намалюйте спектр ПМР першого порядку і назвіть мультиплет кожного сигналу."),
        sans(10));
    sheet.advance(7);
    QPainter& p = sheet.painter();
    p.save();
    sheet.chart_space(kTaskChartWidth, 0);
    PainterSurface(p).clear();
    p.restore();
    sheet.advance(chart_height + 4);
    for (const char* signal : {"X:", "M:", "A:"}) {
        sheet.advance(9);
        sheet.text(Sheet::kMargin, 0, QString::fromLatin1(signal), sans(11, true));
        p.setPen(QPen(QColor::fromRgb(0x808080u), sheet.dots(0.25)));
        p.drawLine(QPointF(sheet.dots(Sheet::kMargin + 8), sheet.dots(sheet.y() + 0.8)),
            QPointF(sheet.dots(Sheet::kMargin + kTaskChartWidth), sheet.dots(sheet.y() + 0.8)));
    }
    sheet.advance(8);
}

void write_answer(Sheet& sheet, int number, const Task& t)
{
    const double scale = kKeyChartWidth / chart::kWidth;
    const double picture_height = (tree::kBandHeight + chart::kHeight) * scale;
    sheet.need(9 + picture_height + 3 * 5.5 + 8);
    heading(sheet, number, t);
    SpinSystem s;
    s.nA = std::int16_t(t.nA);
    s.nM = std::int16_t(t.nM);
    s.nX = std::int16_t(t.nX);
    s.znak_J = std::int16_t(t.znak_J);
    QPainter& p = sheet.painter();
    p.save();
    sheet.chart_space(kKeyChartWidth, 0);
    tree::draw(p, s);
    p.translate(0, tree::kBandHeight);
    PainterSurface surface(p);
    plot::plot_spectrum(surface, s);
    p.restore();
    s.calculate();
    sheet.advance(picture_height + 2);
    for (const QString& line :
        QString::fromStdString(describe_spectrum(s)).split(u'\n', Qt::SkipEmptyParts)) {
        sheet.advance(5.5);
        sheet.text(Sheet::kMargin, 0, line, sans(11));
    }
    sheet.advance(8);
}

bool write_sheet(const Request& request, QIODevice& file)
{
    QPdfWriter writer(&file);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    writer.setResolution(600);
    writer.setTitle(QString::fromUtf8("Spektrion: робочий аркуш зі спектрів ПМР"));
    writer.setCreator(QStringLiteral("spektrion-worksheet " SPEKTRION_VERSION));
    Sheet sheet(writer);
    if (!sheet.ok())
        return false;
    sheet.text(Sheet::kMargin, 6, QString::fromUtf8("Спектри ПМР першого порядку: спінова система A–M–X"),
        sans(15, true));
    sheet.advance(12);
    int number = 0;
    for (const Task& t : request.tasks)
        write_task(sheet, ++number, t);
    sheet.new_page();
    sheet.text(Sheet::kMargin, 6, QString::fromUtf8("Відповіді"), sans(15, true));
    sheet.advance(12);
    number = 0;
    for (const Task& t : request.tasks)
        write_answer(sheet, ++number, t);
    return sheet.painter().end();
}

}  // namespace
}  // namespace spektrion

int main(int argc, char** argv)
{
    using namespace spektrion;
    prepare_command_line_tool();
    ToolkitArguments toolkit(argc, argv);
    QGuiApplication app(toolkit.argc(), toolkit.argv());
    register_embedded_fonts();
    const std::optional<Request> request = parse(tool_arguments(argc, argv));
    if (!request)
        return 2;
    if (!request->answer.empty())
        return kMessages.print(request->answer) ? 0 : 1;
    // Made whole in memory first, then written beside the target and moved into
    // place: a failure leaves no partial file and any old one as it was.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    const std::string failure
        = write_sheet(*request, pdf) ? write_whole_file(request->output, pdf.data()) : "no PDF was made";
    if (!failure.empty()) {
        kMessages.error("cannot write '" + request->output.toStdString() + "': " + failure);
        return 1;
    }
    return 0;
}
