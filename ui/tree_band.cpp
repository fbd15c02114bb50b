// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "ui/tree_band.h"

#include "display/chart.h"
#include "display/tree.h"

#include <QPainter>

#include <cmath>

namespace spektrion {

TreeBand::TreeBand(QWidget* parent, qreal zoom)
    : QWidget(parent)
    , zoom_(zoom)
{
    set_zoom(zoom);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TreeBand::show_trees(const SpinState& state)
{
    state_ = state;
    update();
}

void TreeBand::set_zoom(qreal zoom)
{
    zoom_ = zoom;
    setFixedSize(int(std::lround(chart::kWidth * zoom)), int(std::lround(tree::kBandHeight * zoom)));
    update();
}

void TreeBand::clear()
{
    state_.reset();
    update();
}

void TreeBand::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!state_)
        return;
    painter.scale(zoom_, zoom_);
    tree::draw(painter, *state_);
}

}  // namespace spektrion
