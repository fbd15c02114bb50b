// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

#include "model/state.h"

#include <QWidget>

#include <optional>

namespace spektrion {

// The band of splitting trees over the chart, drawn by the display's trees at the
// screen's resolution: white, with the trees of a state or empty. Its columns are
// the chart's, so it stands right above the chart's pixels, and zoomed with the chart
// they still are.
class TreeBand : public QWidget {
    Q_OBJECT

public:
    explicit TreeBand(QWidget* parent = nullptr, qreal zoom = 1.0);

    void show_trees(const SpinState& state);
    void clear();
    void set_zoom(qreal zoom);
    bool has_trees() const { return state_.has_value(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal zoom_;
    std::optional<SpinState> state_;
};

}  // namespace spektrion
