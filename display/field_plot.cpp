// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "display/field_plot.h"

#include "display/chart_surface.h"
#include "display/look.h"
#include "words/words.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace spektrion::field_plot {
namespace {

using field::Line;

constexpr QRectF kWhole(50, 24, 800, 250);
constexpr double kExpansionTop = 340;
constexpr double kExpansionHeight = 170;
constexpr double kGap = 40;  // between expansions: room for the unit
constexpr int kTextPixelSize = 11;
// Narrow: the whole's box and under it the expansions, each a panel with the room
// for its axis under it.
constexpr double kNarrowLeft = 8;
constexpr double kNarrowRight = 40;  // room for the unit
constexpr double kNarrowWholeHeight = 200;
constexpr double kNarrowAxis = 48;  // under the whole: ppm and hertz
constexpr double kNarrowGap = 32;  // under an expansion: hertz
constexpr int kNarrowTextPixelSize = 12;
constexpr QRgb kCurve = 0x000000u;
constexpr QRgb kStick = 0x808080u;
constexpr QRgb kAxis = 0x000000u;
constexpr QRgb kFaint = 0x606060u;

QFont font(int pixel_size)
{
    return look::face(look::kSans, QFont::SansSerif, pixel_size, QFont::Normal, look::Smoothing::Print);
}

// A step for axis ticks over `span`: 1, 2 or 5 times a power of ten, some 6 to a span.
double tick_step(double span)
{
    const double rough = span / 6.0;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double m : {1.0, 2.0, 5.0})
        if (m * power >= rough)
            return m * power;
    return 10.0 * power;
}

QString number(double v, double step)
{
    const int decimals = std::max(0, int(-std::floor(std::log10(step) + 1e-9)));
    return QString::number(v, 'f', decimals).replace(u'.', u',');
}

// One panel: a range of hertz across a box, higher frequencies to the left, the
// intensity up from the box's bottom.
class Panel {
public:
    Panel(const QRectF& box, double from_hz, double to_hz, int text_pixel_size)
        : box_(box)
        , from_(from_hz)
        , to_(to_hz)
        , text_(text_pixel_size)
    {
    }

    double x(double hz) const { return box_.right() - (hz - from_) / (to_ - from_) * box_.width(); }
    bool shows(double hz) const { return hz >= from_ && hz <= to_; }

    // The curve, scaled to fill the box's height; the
    // sticks of both lists on one scale of their own, the tallest as high; the
    // first-order ones see-through, so that the exact lines under them still show.
    void draw(QPainter& p, const std::vector<Line>& exact, const std::vector<std::vector<Line>>& first_order,
        const std::vector<QRgb>& colours, double width) const
    {
        // A point of the curve a logical pixel: at a finer ratio the smoothed polyline
        // between them looks the same and costs no more.
        const int columns = std::max(2, int(box_.width()));
        const std::vector<double> heights = field::curve(exact, width, from_, to_, columns);
        const double tallest_curve = *std::max_element(heights.begin(), heights.end());
        double tallest_stick = 0.0;
        for (const Line& l : exact)
            if (shows(l.hz))
                tallest_stick = std::max(tallest_stick, l.intensity);
        for (const std::vector<Line>& multiplet : first_order)
            for (const Line& l : multiplet)
                if (shows(l.hz))
                    tallest_stick = std::max(tallest_stick, l.intensity);
        const double room = box_.height() * 0.9;
        // A stick is a thin rectangle: filled, it costs a span a row at any ratio.
        const auto stick = [&](const Line& l, QColor colour, double thickness) {
            if (!shows(l.hz) || tallest_stick <= 0.0)
                return;
            const double height = room * l.intensity / tallest_stick;
            p.fillRect(QRectF(x(l.hz) - thickness / 2, box_.bottom() - height, thickness, height), colour);
        };
        p.save();
        p.setClipRect(box_.adjusted(0, -4, 0, 0));
        for (const Line& l : exact)
            stick(l, QColor::fromRgb(kStick), 1.0);
        if (tallest_curve > 0.0) {
            // Column c runs from from_ upwards, which is right to left.
            std::vector<QPointF> points(static_cast<std::size_t>(columns));
            for (int c = 0; c < columns; ++c)
                points[std::size_t(c)] = QPointF(box_.right() - (c + 0.5) * box_.width() / columns,
                    box_.bottom() - room * heights[std::size_t(c)] / tallest_curve);
            // A cosmetic pen one device pixel wide: the toolkit strokes anything wider
            // through its general path code, fifty times slower, too slow for a
            // slider's every step.
            QPen pen(QColor::fromRgb(kCurve), 1.0);
            pen.setCosmetic(true);
            p.setRenderHint(QPainter::Antialiasing, true);
            p.setPen(pen);
            p.drawPolyline(points.data(), columns);
        }
        for (std::size_t g = 0; g < first_order.size(); ++g)
            for (const Line& l : first_order[g]) {
                QColor colour = QColor::fromRgb(colours[g]);
                colour.setAlpha(150);
                stick(l, colour, 1.5);
                if (shows(l.hz) && tallest_stick > 0.0) {
                    p.setBrush(QColor::fromRgb(colours[g]));
                    p.setPen(Qt::NoPen);
                    p.drawEllipse(
                        QPointF(x(l.hz), box_.bottom() - room * l.intensity / tallest_stick), 2.5, 2.5);
                }
            }
        p.restore();
    }

    // The baseline with ticks: in hertz, or in ppm at `mhz` with the hertz under them.
    void axis(QPainter& p, double mhz, bool ppm) const
    {
        p.save();
        p.setPen(QPen(QColor::fromRgb(kAxis), 1.0));
        p.drawLine(QPointF(box_.left(), box_.bottom()), QPointF(box_.right(), box_.bottom()));
        const double scale = ppm ? mhz : 1.0;
        const double step = tick_step((to_ - from_) / scale);
        p.setFont(font(text_));
        const double row = text_ + 3;  // a row of numbers
        const double second = 5 + row;
        for (double v = std::ceil(from_ / scale / step) * step; v <= to_ / scale + 1e-9; v += step) {
            const double at = x(v * scale);
            if (at > box_.right() - 12)
                continue;  // the unit stands there
            p.setPen(QColor::fromRgb(kAxis));
            p.drawLine(QPointF(at, box_.bottom()), QPointF(at, box_.bottom() + 4));
            p.drawText(QRectF(at - 40, box_.bottom() + 5, 80, row), Qt::AlignHCenter | Qt::AlignTop,
                number(v, step));
            if (ppm) {
                p.setPen(QColor::fromRgb(kFaint));
                p.drawText(QRectF(at - 40, box_.bottom() + second, 80, row), Qt::AlignHCenter | Qt::AlignTop,
                    QString::number(std::lround(v * mhz)));
            }
        }
        p.setPen(QColor::fromRgb(kAxis));
        const QString unit = look::text(ppm ? words::kPpm : words::kHz);
        p.drawText(QRectF(box_.right() + 6, box_.bottom() + 5, 44, row), Qt::AlignLeft | Qt::AlignTop, unit);
        if (ppm) {
            p.setPen(QColor::fromRgb(kFaint));
            p.drawText(QRectF(box_.right() + 6, box_.bottom() + second, 44, row),
                Qt::AlignLeft | Qt::AlignTop, look::text(words::kHz));
        }
        p.restore();
    }

private:
    QRectF box_;
    double from_;
    double to_;
    int text_;
};

// Where the panels stand at a width: the whole, and the expansions side by side
// (a row) or one under another.
struct Frame {
    QRectF whole;
    QRectF expansions;
    bool stacked;
    double gap;  // between expansions
    int text_pixel_size;
};

Frame frame_at(int width)
{
    if (width >= kWidth)
        return {kWhole, QRectF(kWhole.left(), kExpansionTop, kWhole.width(), kExpansionHeight), false, kGap,
            kTextPixelSize};
    const double across = width - kNarrowLeft - kNarrowRight;
    const QRectF whole(kNarrowLeft, kWhole.top(), across, kNarrowWholeHeight);
    const double top = whole.bottom() + kNarrowAxis;
    return {whole, QRectF(kNarrowLeft, top, across, kNarrowHeight - top - kNarrowGap), true, kNarrowGap,
        kNarrowTextPixelSize};
}

}  // namespace

std::vector<Range> expansions(const field::Sizes& sizes, const field::Setting& setting)
{
    std::vector<Range> ranges;
    for (const Group g : kGroups) {
        const std::vector<Line> lines = field::first_order_multiplet(sizes, setting, g);
        const double low = lines.front().hz;
        const double high = lines.back().hz;
        const double margin = std::max({3.0 * setting.width, 0.15 * (high - low), 2.0});
        ranges.push_back({low - margin, high + margin});
    }
    std::sort(ranges.begin(), ranges.end(), [](const Range& a, const Range& b) { return a.to_hz > b.to_hz; });
    std::vector<Range> merged;
    for (const Range& r : ranges)
        if (!merged.empty() && r.to_hz >= merged.back().from_hz)
            merged.back().from_hz = std::min(merged.back().from_hz, r.from_hz);
        else
            merged.push_back(r);
    return merged;
}

QSize size_at(int width)
{
    return width >= kWidth ? QSize(kWidth, kHeight) : QSize(width, kNarrowHeight);
}

QString description(const field::Setting& setting)
{
    return look::text(words::pair_sentence(field::coupled_pair(setting, Group::A)) + ' '
        + words::pair_sentence(field::coupled_pair(setting, Group::X)));
}

void draw(QPainter& painter, const field::Sizes& sizes, const field::Setting& setting, int width)
{
    const Frame f = frame_at(width);
    painter.save();
    painter.fillRect(QRectF(QPointF(0, 0), size_at(width)), Qt::white);
    const std::vector<Line> exact = field::exact_lines(sizes, setting);
    std::vector<std::vector<Line>> first_order;
    std::vector<QRgb> colours;
    for (const Group g : kGroups) {
        first_order.push_back(field::first_order_multiplet(sizes, setting, g));
        colours.push_back(look::group_colour(g));
    }

    // The whole: half a ppm beyond the outermost shifts, and down to TMS where a shift
    // lies within a ppm of it; wider where a multiplet reaches further (at a low field,
    // with large constants), so that it shows every line the expansions show.
    const std::vector<Range> ranges = expansions(sizes, setting);
    double high
        = (*std::max_element(setting.shifts_ppm.begin(), setting.shifts_ppm.end()) + 0.5) * setting.mhz;
    double low = *std::min_element(setting.shifts_ppm.begin(), setting.shifts_ppm.end()) - 0.5;
    low = (low < 0.5 ? -0.3 : low) * setting.mhz;
    for (const Range& r : ranges) {
        high = std::max(high, r.to_hz);
        low = std::min(low, r.from_hz);
    }
    const Panel whole(f.whole, low, high, f.text_pixel_size);
    whole.draw(painter, exact, first_order, colours, setting.width);
    whole.axis(painter, setting.mhz, true);
    if (whole.shows(0.0)) {
        painter.setPen(QColor::fromRgb(kAxis));
        painter.setFont(font(f.text_pixel_size));
        painter.drawText(QRectF(whole.x(0.0) - 20, f.whole.top() + 4, 40, f.text_pixel_size + 3),
            Qt::AlignHCenter, look::text(words::kTms));
    }

    const double n = double(ranges.size());
    const QRectF& room = f.expansions;
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        QRectF box;
        if (f.stacked) {
            const double tall = (room.height() - f.gap * (n - 1)) / n;
            box = QRectF(room.left(), room.top() + double(i) * (tall + f.gap), room.width(), tall);
        } else {
            const double wide = (room.width() - f.gap * (n - 1)) / n;
            box = QRectF(room.left() + double(i) * (wide + f.gap), room.top(), wide, room.height());
        }
        const Panel panel(box, ranges[i].from_hz, ranges[i].to_hz, f.text_pixel_size);
        panel.draw(painter, exact, first_order, colours, setting.width);
        panel.axis(painter, setting.mhz, false);
    }
    painter.restore();
}

QImage picture(const field::Sizes& sizes, const field::Setting& setting, qreal ratio, int width)
{
    const QSize size = size_at(width);
    QImage image(
        device_pixels(size.width() * ratio), device_pixels(size.height() * ratio), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    draw(painter, sizes, setting, width);
    painter.end();
    return image;
}

}  // namespace spektrion::field_plot
