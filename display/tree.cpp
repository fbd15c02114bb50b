// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "display/tree.h"

#include "display/chart.h"
#include "display/chart_surface.h"
#include "display/look.h"
#include "display/plot.h"
#include "model/spin_system.h"

#include <QFont>
#include <QPainter>

#include <vector>

namespace spektrion::tree {
namespace {

constexpr QRgb kConnector = 0x606060u;
constexpr int kTopLevel = 22;  // top of the unsplit line
constexpr int kLeafLevel = kBandHeight - 30;  // top of the leaves
constexpr int kNodeHeight = 14;
constexpr int kNodeWidth = 3;  // as wide as a bar

struct Node {
    int slot;
    float left;  // left edge, chart pixels
};

// The lines of one level, left to right.
std::vector<Node> lines_of(const LineRow& row, int r)
{
    std::vector<Node> nodes;
    for (int k = kFirstSlot; k <= kLastSlot; ++k)
        if (row[k] > 0.0f)
            nodes.push_back({k, float(plot::to_pixel(plot::bar_left(r, k)))});
    return nodes;
}

QString coupling_name(Coupling c)
{
    return c == Coupling::AM ? QStringLiteral("J(AM)") : QStringLiteral("J(MX)");
}

QFont label_font()
{
    return look::face(look::kSans, QFont::SansSerif, 12, QFont::Normal, look::Smoothing::Print);
}

}  // namespace

void draw(QPainter& painter, const SpinState& state)
{
    SpinSystem model;
    model.set_state(state);
    painter.save();
    painter.setFont(label_font());
    const auto all_levels = model.splitting_levels();
    for (int r = kSignalX; r <= kSignalA; ++r) {
        const std::vector<TreeLevel>& levels = all_levels[r];
        const int count = int(levels.size());
        std::vector<std::vector<Node>> nodes;
        for (const TreeLevel& level : levels)
            nodes.push_back(lines_of(level.row, r));
        // Every line above the leaves stands over the middle of its lines below: the
        // centre of what it splits into. A line below comes from the nearest line
        // above, since a split never reaches halfway to the neighbouring line.
        std::vector<std::vector<int>> parent(count);
        for (int i = count - 1; i > 0; --i) {
            parent[i].assign(nodes[i].size(), 0);
            std::vector<float> sum(nodes[i - 1].size(), 0.0f);
            std::vector<int> children(nodes[i - 1].size(), 0);
            for (std::size_t c = 0; c < nodes[i].size(); ++c) {
                int best = 0;
                for (std::size_t p = 1; p < nodes[i - 1].size(); ++p)
                    if (std::abs(nodes[i - 1][p].slot - nodes[i][c].slot)
                        < std::abs(nodes[i - 1][best].slot - nodes[i][c].slot))
                        best = int(p);
                parent[i][c] = best;
                sum[best] += nodes[i][c].left;
                ++children[best];
            }
            for (std::size_t p = 0; p < nodes[i - 1].size(); ++p)
                if (children[p] > 0)
                    nodes[i - 1][p].left = sum[p] / float(children[p]);
        }
        const auto top = [&](int i) {
            return count == 1 ? kLeafLevel : kTopLevel + (kLeafLevel - kTopLevel) * i / (count - 1);
        };
        for (int i = 0; i < count; ++i) {
            painter.setRenderHint(QPainter::Antialiasing, false);
            for (const Node& n : nodes[i])
                painter.fillRect(QRectF(n.left, top(i), kNodeWidth, kNodeHeight),
                    QColor::fromRgb(look::group_colour(group_of_row(r))));
            if (i == 0)
                continue;
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.setPen(QPen(QColor::fromRgb(kConnector), 1.0));
            for (std::size_t c = 0; c < nodes[i].size(); ++c) {
                const Node& from = nodes[i - 1][parent[i][c]];
                painter.drawLine(QPointF(from.left + kNodeWidth / 2.0, top(i - 1) + kNodeHeight),
                    QPointF(nodes[i][c].left + kNodeWidth / 2.0, top(i)));
            }
            // The constant of this split, beside the rightmost line it starts from.
            const Node& rightmost = nodes[i - 1].back();
            painter.setPen(QColor::fromRgb(look::kBlack));
            painter.drawText(QPointF(rightmost.left + kNodeWidth + 5, top(i - 1) + kNodeHeight),
                coupling_name(levels[i].coupling));
        }
    }
    painter.restore();
}

QImage picture(const QImage& chart, const SpinState& state, qreal ratio)
{
    const int band = device_pixels(kBandHeight * ratio);
    QImage image(chart.width(), band + chart.height(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(ratio, ratio);
    draw(painter, state);
    painter.resetTransform();
    painter.drawImage(0, band, chart);
    return image;
}

}  // namespace spektrion::tree
