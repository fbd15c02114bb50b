// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "model/spectrum.h"

namespace spektrion {
namespace {

Group splitting_group(const SplitStep& step)
{
    if (step.nom_sygnalu != kSignalM)
        return Group::M;
    return step.coupling == Coupling::AM ? Group::A : Group::X;
}

}  // namespace

MultipletName Signal::name() const
{
    return {splits.empty() ? 0 : splits[0].protons, splits.size() < 2 ? 0 : splits[1].protons};
}

Spectrum recalculate(SpinSystem& model)
{
    model.clear_lines();
    model.seed();
    model.split();
    model.rescale_heights();
    const LineTable heights = model.spektr;
    model.rescale_ratios();

    Spectrum spectrum{model.state(), {}};
    for (std::size_t p = 0; p < spectrum.by_position.size(); ++p) {
        Signal& signal = spectrum.by_position[p];
        signal.group = group_at(int(p));
        const int r = signal_row(signal.group);
        for (int k = kFirstSlot; k <= kLastSlot; ++k)
            if (model.spektr[r][k] > 0.0f)
                signal.lines.push_back({k, heights[r][k], model.spektr[r][k]});
    }
    for (const SplitStep& step : model.split_steps())
        spectrum.by_position[std::size_t(chart_position(group_of_row(step.nom_sygnalu)))].splits.push_back(
            {splitting_group(step), step.multypletnist - 1, step.coupling, step.large});
    return spectrum;
}

Spectrum spectrum_of(const SpinState& s)
{
    SpinSystem model;
    model.set_state(s);
    return recalculate(model);
}

}  // namespace spektrion
