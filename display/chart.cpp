// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "display/chart.h"

#include "display/carried_image.h"
#include "display/chart_surface.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QRect>
#include <QResource>
#include <QString>

#include <algorithm>
#include <optional>
#include <vector>

namespace spektrion::chart {
namespace {

struct GlyphBox {
    QString glyph;
    QRect box;  // where the glyph's ink must fall, both ends included
    QRgb colour;
    bool letter;  // a group letter, in the bold face; else a serif label
};

// The black serif labels: "ТМС" beside the TMS line, "0" under it and the axis
// label "δ м.ч.", a box for each of words::kChartGlyphs, bottoms on the labels' baselines.
constexpr int kSerifPixelSize = 16;  // 11 px capitals
constexpr QRect kSerifBoxes[] = {
    QRect(QPoint(672, 328), QPoint(679, 338)),
    QRect(QPoint(681, 328), QPoint(696, 338)),
    QRect(QPoint(698, 328), QPoint(706, 338)),
    QRect(QPoint(660, 390), QPoint(667, 400)),
    QRect(QPoint(697, 390), QPoint(704, 400)),
    QRect(QPoint(711, 394), QPoint(721, 400)),
    QRect(QPoint(723, 399), QPoint(724, 400)),
    QRect(QPoint(726, 394), QPoint(733, 400)),
    QRect(QPoint(736, 399), QPoint(737, 400)),
};

// The group letters over the signals, in the group colours, left to right.
constexpr int kLetterPixelSize = 24;  // 17 px capitals
constexpr QRect kLetterBoxes[] = {
    QRect(QPoint(131, 9), QPoint(148, 25)),
    QRect(QPoint(331, 9), QPoint(347, 25)),
    QRect(QPoint(532, 10), QPoint(547, 26)),
};

// The code points of UTF-8 text: its bytes that do not continue a sequence.
constexpr std::size_t code_points(std::string_view utf8)
{
    std::size_t n = 0;
    for (const char c : utf8)
        n += (static_cast<unsigned char>(c) & 0xC0u) != 0x80u;
    return n;
}
static_assert(code_points(words::kChartGlyphs) == std::size(kSerifBoxes), "a box for every label glyph");

// Every glyph of the chart: the serif labels, then the group letters.
std::vector<GlyphBox> glyphs()
{
    const QString labels = look::text(words::kChartGlyphs);
    std::vector<GlyphBox> list;
    for (std::size_t i = 0; i < std::size(kSerifBoxes); ++i)
        list.push_back({QString(labels[qsizetype(i)]), kSerifBoxes[i], kBlack, false});
    for (std::size_t p = 0; p < std::size(kLetterBoxes); ++p) {
        const Group g = group_at(int(p));
        list.push_back({QString(look::group_letter(g)), kLetterBoxes[p], look::group_colour(g), true});
    }
    return list;
}

// Blanks the grid behind "ТМС".
constexpr QRect kLabelBox(QPoint(671, 327), QPoint(707, 339));

void fill(QImage& image, const QRect& r, QRgb colour)
{
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(line + r.left(), line + r.right() + 1, 0xFF000000u | colour);
    }
}

// A glyph rendered alone, with the rectangle its ink covers, the font it was drawn
// in and the pen position it was drawn at.
struct Ink {
    QImage image;
    QRect bounds;
    QFont font;
    QPoint origin;
};

std::optional<Ink> render(const QFont& font, const QString& glyph)
{
    const QFontMetrics metrics(font);
    const int pad = metrics.height();
    QImage image(
        metrics.horizontalAdvance(glyph) + 2 * pad, metrics.height() + 2 * pad, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const QPoint origin(pad, pad + metrics.ascent());
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(origin, glyph);
    }
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x]) >= 128)
                bounds |= QRect(x, y, 1, 1);
    }
    if (bounds.isEmpty())
        return std::nullopt;
    return Ink{image, bounds, font, origin};
}

// A glyph too wide for its box is narrowed, one too tall is taken at a smaller size,
// so that the faces at hand keep the chart's proportions.
std::optional<Ink> fit(QFont font, const QString& glyph, QSize box)
{
    std::optional<Ink> ink;
    const auto fits
        = [&] { return ink && ink->bounds.width() <= box.width() && ink->bounds.height() <= box.height(); };
    for (int size = font.pixelSize(); size >= 4 && !fits(); --size) {
        font.setPixelSize(size);
        ink = render(font, glyph);
        if (!ink || ink->bounds.height() > box.height())
            continue;
        for (int stretch = QFont::Unstretched; stretch >= QFont::UltraCondensed && !fits(); stretch -= 5) {
            font.setStretch(stretch);
            ink = render(font, glyph);
        }
        font.setStretch(QFont::Unstretched);
    }
    return ink;
}

// Where a fitted glyph goes: its ink centred across its box, standing on the box's
// bottom row. The offset moves the glyph's own rendering onto the chart.
QPoint placement(const Ink& ink, const GlyphBox& g)
{
    return {g.box.left() + (g.box.width() - ink.bounds.width()) / 2 - ink.bounds.left(),
        g.box.bottom() - ink.bounds.bottom()};
}

// Paints one glyph's pixels inside its box.
void paint_glyph(QImage& image, const QFont& font, const GlyphBox& g, QRgb colour)
{
    const std::optional<Ink> ink = fit(font, g.glyph, g.box.size());
    if (!ink)
        return;
    const QPoint d = placement(*ink, g);
    for (int y = ink->bounds.top(); y <= ink->bounds.bottom(); ++y)
        for (int x = ink->bounds.left(); x <= ink->bounds.right(); ++x)
            if (qAlpha(ink->image.pixel(x, y)) >= 128 && g.box.contains(x + d.x(), y + d.y()))
                image.setPixel(x + d.x(), y + d.y(), 0xFF000000u | colour);
}

// The same glyph as text, in the font it was fitted in, at the same place. With a
// ratio of 0 in the painter's chart units and smoothed, for print; otherwise in device
// pixels at that ratio, in the font at that many times its size, unsmoothed (pure
// colour), for a screen.
void draw_glyph(QPainter& painter, QFont font, const Fit& f, const QString& glyph, QRgb colour, qreal ratio)
{
    if (f.pixel_size <= 0)
        return;
    font.setPixelSize(f.pixel_size);
    font.setStretch(f.stretch);
    if (ratio == 0)
        font.setStyleStrategy(QFont::PreferAntialias);
    painter.setFont(ratio == 0 ? font : at_ratio(font, ratio));
    painter.setPen(QColor::fromRgb(colour));
    painter.drawText(ratio == 0 ? f.origin : device_point(f.origin, ratio), glyph);
}

struct Fill {
    QRect rect;
    QRgb colour;
};

// Everything of the chart but its texts: the grid, the baseline, the TMS line and
// the white box behind "ТМС", in painting order.
std::vector<Fill> fills()
{
    std::vector<Fill> list{{QRect(0, 0, kWidth, kHeight), kWhite}};
    for (int i = 0; i <= kGridColumns; ++i) {
        const int x = kGridLeft + kGridStep * i;
        list.push_back({QRect(QPoint(x, kGridTop), QPoint(x, kGridBottom)), kGrey});
    }
    for (int j = 0; j < kGridRows; ++j) {
        const int y = kGridTop + kGridStep * j;
        list.push_back({QRect(QPoint(kGridLeft, y), QPoint(kGridRight, y)), kGrey});
    }
    list.push_back({QRect(QPoint(kGridLeft, kBaselineTop), QPoint(kGridRight, kBaselineBottom)), kBlack});
    list.push_back(
        {QRect(QPoint(kTmsCentre - 1, kTmsTop), QPoint(kTmsCentre + 1, kBaselineTop - 1)), kBlack});
    list.push_back({kLabelBox, kWhite});
    return list;
}

}  // namespace

QImage build()
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (const Fill& f : fills())
        fill(image, f.rect, f.colour);

    const QFont serif = serif_font();
    const QFont bold = letter_font();
    for (const GlyphBox& g : glyphs())
        paint_glyph(image, g.letter ? bold : serif, g, g.colour);

    return image;
}

namespace {

void draw_glyphs(QPainter& painter, qreal ratio)
{
    const std::vector<Fit> fits = glyph_fits();
    std::size_t i = 0;
    for (const GlyphBox& g : glyphs())
        draw_glyph(painter, g.letter ? letter_font() : serif_font(), fits[i++], g.glyph, g.colour, ratio);
}

}  // namespace

QImage build(qreal ratio)
{
    if (ratio == 1.0)
        return build();
    const QRect device = device_rect(QRect(0, 0, kWidth, kHeight), ratio);
    QImage image(device.size(), QImage::Format_RGB32);
    for (const Fill& f : fills()) {
        const QRect r = device_rect(f.rect, ratio) & image.rect();
        if (r == image.rect())
            image.fill(0xFF000000u | f.colour);
        else
            fill(image, r, f.colour);
    }
    QPainter painter(&image);
    draw_glyphs(painter, ratio);
    return image;
}

void paint(QPainter& painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const Fill& f : fills())
        painter.fillRect(QRectF(f.rect), QColor::fromRgb(f.colour));
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    draw_glyphs(painter, 0);
    painter.restore();
}

QFont serif_font()
{
    return look::face(look::kSerif, QFont::Serif, kSerifPixelSize, QFont::Normal);
}

QFont letter_font()
{
    return look::face(look::kSans, QFont::SansSerif, kLetterPixelSize, QFont::Bold);
}

QFont at_ratio(QFont font, qreal ratio)
{
    // A painter's scaling would do the same, but fills glyphs larger than the toolkit's
    // glyph cache (64 px) as smoothed outlines; a font of the device's size never does.
    font.setPixelSize(std::max(1, device_pixels(font.pixelSize() * ratio)));
    return font;
}

QImage fitted_glyph(const QFont& font, const QString& glyph, QSize box)
{
    const std::optional<Ink> ink = fit(font, glyph, box);
    return ink ? ink->image.copy(ink->bounds) : QImage();
}

std::vector<Fit> fit_glyphs()
{
    std::vector<Fit> fits;
    const auto add = [&](const QFont& font, const GlyphBox& g) {
        const std::optional<Ink> ink = fit(font, g.glyph, g.box.size());
        fits.push_back(ink ? Fit{ink->font.pixelSize(), ink->font.stretch(), ink->origin + placement(*ink, g)}
                           : Fit{0, 0, {}});
    };
    for (const GlyphBox& g : glyphs())
        add(g.letter ? letter_font() : serif_font(), g);
    return fits;
}

QByteArray fits_text(const std::vector<Fit>& fits)
{
    QByteArray text;
    for (const Fit& f : fits)
        text += QByteArray::number(f.pixel_size) + ' ' + QByteArray::number(f.stretch) + ' '
            + QByteArray::number(f.origin.x()) + ' ' + QByteArray::number(f.origin.y()) + '\n';
    return text;
}

std::vector<Fit> glyph_fits()
{
    const std::size_t count = std::size(kSerifBoxes) + std::size(kLetterBoxes);
    const QResource carried(QString::fromUtf16(kCarriedFitsPath));
    if (carried.isValid() && carried.compressionAlgorithm() == QResource::NoCompression) {
        std::vector<Fit> fits;
        for (const QByteArray& line :
            QByteArray(reinterpret_cast<const char*>(carried.data()), carried.size()).split('\n')) {
            const QList<QByteArray> f = line.split(' ');
            if (f.size() == 4)
                fits.push_back({f[0].toInt(), f[1].toInt(), QPoint(f[2].toInt(), f[3].toInt())});
        }
        if (fits.size() == count)
            return fits;
    }
    return fit_glyphs();
}

QImage image()
{
    const QImage carried
        = carried_image(QString::fromUtf16(kCarriedPath), QSize(kWidth, kHeight), QImage::Format_RGB32);
    return carried.isNull() ? build() : carried;
}

}  // namespace spektrion::chart
