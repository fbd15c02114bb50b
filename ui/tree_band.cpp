// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "ui/tree_band.h"

#include "display/chart.h"
#include "display/tree.h"

#include <QPainter>

namespace spektrion {

TreeBand::TreeBand(QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(chart::kWidth, tree::kBandHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TreeBand::show_trees(const SpinState& state)
{
    state_ = state;
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
    if (state_)
        tree::draw(painter, *state_);
}

}  // namespace spektrion
