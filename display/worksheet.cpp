// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "display/worksheet.h"

#include "display/chart.h"
#include "display/chart_surface.h"
#include "display/look.h"
#include "display/plot.h"
#include "display/tree.h"
#include "model/spectrum.h"
#include "words/words.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace spektrion {
namespace {

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
    QFont font(QString::fromLatin1(look::kSans));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// "Завдання 3." and the formula, each letter in its group's colour with its size as a
// subscript (none for one proton), then the coupling order.
void heading(Sheet& sheet, int number, const SpinState& t)
{
    double x = sheet.text(Sheet::kMargin, 6, look::text(words::worksheet_task(number)), sans(12, true));
    for (const Group g : kGroups) {
        x = sheet.text(x, 6, QString(look::group_letter(g)), sans(13, true), look::group_colour(g));
        if (t.size(g) > 1)
            x = sheet.text(x, 7.5, QString::number(t.size(g)), sans(9, true), look::group_colour(g));
        x += 0.8;
    }
    sheet.text(x + 8, 6, look::order_text(t.order), sans(12, true));
    sheet.advance(9);
}

constexpr double kTaskChartWidth = 140.0;
constexpr double kKeyChartWidth = 120.0;

void write_task(Sheet& sheet, int number, const SpinState& t)
{
    const double chart_height = kTaskChartWidth * chart::kHeight / chart::kWidth;
    sheet.need(9 + 7 + chart_height + 4 + 3 * 9 + 6);
    heading(sheet, number, t);
    sheet.text(Sheet::kMargin, 4, look::text(words::kDrawTask), sans(10));
    sheet.advance(7);
    QPainter& p = sheet.painter();
    p.save();
    sheet.chart_space(kTaskChartWidth, 0);
    PainterSurface(p).clear();
    p.restore();
    sheet.advance(chart_height + 4);
    for (const Group g : kChartOrder) {
        sheet.advance(9);
        sheet.text(Sheet::kMargin, 0, QString(look::group_letter(g)) + u':', sans(11, true));
        p.setPen(QPen(QColor::fromRgb(0x808080u), sheet.dots(0.25)));
        p.drawLine(QPointF(sheet.dots(Sheet::kMargin + 8), sheet.dots(sheet.y() + 0.8)),
            QPointF(sheet.dots(Sheet::kMargin + kTaskChartWidth), sheet.dots(sheet.y() + 0.8)));
    }
    sheet.advance(8);
}

void write_answer(Sheet& sheet, int number, const SpinState& t)
{
    const double scale = kKeyChartWidth / chart::kWidth;
    const double picture_height = (tree::kBandHeight + chart::kHeight) * scale;
    sheet.need(9 + picture_height + 3 * 5.5 + 8);
    heading(sheet, number, t);
    const Spectrum spectrum = spectrum_of(t);
    QPainter& p = sheet.painter();
    p.save();
    sheet.chart_space(kKeyChartWidth, 0);
    tree::draw(p, t);
    p.translate(0, tree::kBandHeight);
    PainterSurface surface(p);
    plot::plot_spectrum(surface, spectrum);
    p.restore();
    sheet.advance(picture_height + 2);
    for (const QString& line :
        look::text(words::describe_spectrum(spectrum)).split(u'\n', Qt::SkipEmptyParts)) {
        sheet.advance(5.5);
        sheet.text(Sheet::kMargin, 0, line, sans(11));
    }
    sheet.advance(8);
}

}  // namespace

bool write_worksheet(const std::vector<SpinState>& tasks, const QString& creator, QIODevice& file)
{
    QPdfWriter writer(&file);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    writer.setResolution(600);
    writer.setTitle(look::text(words::kWorksheetTitle));
    writer.setCreator(creator);
    Sheet sheet(writer);
    if (!sheet.ok())
        return false;
    sheet.text(Sheet::kMargin, 6, look::text(words::kWorksheetHeading), sans(15, true));
    sheet.advance(12);
    int number = 0;
    for (const SpinState& t : tasks)
        write_task(sheet, ++number, t);
    sheet.new_page();
    sheet.text(Sheet::kMargin, 6, look::text(words::kAnswers), sans(15, true));
    sheet.advance(12);
    number = 0;
    for (const SpinState& t : tasks)
        write_answer(sheet, ++number, t);
    return sheet.painter().end();
}

}  // namespace spektrion
