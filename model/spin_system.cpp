// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "model/spin_system.h"

#include "model/number_text.h"

#include <cmath>
#include <span>

namespace spektrion {
namespace {

// One share of a split line: `numerator` × (v / `divisor`) moves `offset` slots.
// The divisors are powers of two, so with intensities that are multiples of 1/64
// every share is exact in single precision.
struct Share {
    int offset;
    float numerator;
    float divisor;
};

// Binomial shares for 2, 3 and 4 lines. The small constant spans one slot, so its
// doublet and quartet lean half a slot towards the higher slots; the large one spans
// four slots and keeps them symmetric.
constexpr Share kSmallDoublet[] = {{0, 1, 2}, {1, 1, 2}};
constexpr Share kSmallTriplet[] = {{-1, 1, 4}, {0, 1, 2}, {1, 1, 4}};
constexpr Share kSmallQuartet[] = {{-1, 1, 8}, {0, 3, 8}, {1, 3, 8}, {2, 1, 8}};
constexpr Share kLargeDoublet[] = {{-2, 1, 2}, {2, 1, 2}};
constexpr Share kLargeTriplet[] = {{-4, 1, 4}, {0, 1, 2}, {4, 1, 4}};
constexpr Share kLargeQuartet[] = {{-6, 1, 8}, {-2, 3, 8}, {2, 3, 8}, {6, 1, 8}};

std::span<const Share> small_shares(int multypletnist)
{
    switch (multypletnist) {
    case 2: return kSmallDoublet;
    case 3: return kSmallTriplet;
    case 4: return kSmallQuartet;
    default: return {};
    }
}

std::span<const Share> large_shares(int multypletnist)
{
    switch (multypletnist) {
    case 2: return kLargeDoublet;
    case 3: return kLargeTriplet;
    case 4: return kLargeQuartet;
    default: return {};
    }
}

void split_row(LineRow& row, std::span<const Share> shares)
{
    if (shares.empty())
        return;
    LineRow tymch{};
    for (int k = kFirstSlot; k <= kLastSlot; ++k) {
        const float v = row[k];
        if (!(v > 0.0f))
            continue;
        for (const Share& s : shares) {
            const int target = k + s.offset;
            if (target < kFirstSlot || target > kLastSlot)
                continue;
            tymch[target] += (v / s.divisor) * s.numerator;
        }
    }
    for (int k = kFirstSlot; k <= kLastSlot; ++k)
        row[k] = tymch[k];
}

bool valid_signal(int nom_sygnalu)
{
    return nom_sygnalu >= 0 && nom_sygnalu < kRows;
}

void scale_row(LineRow& row, float factor)
{
    for (int k = kFirstSlot; k <= kLastSlot; ++k)
        row[k] *= factor;
}

}  // namespace

void SpinSystem::rozshepyty_mal(int nom_sygnalu, int multypletnist)
{
    if (valid_signal(nom_sygnalu))
        split_row(spektr[nom_sygnalu], small_shares(multypletnist));
}

void SpinSystem::rozshepyty_vel(int nom_sygnalu, int multypletnist)
{
    if (valid_signal(nom_sygnalu))
        split_row(spektr[nom_sygnalu], large_shares(multypletnist));
}

void SpinSystem::clear_lines()
{
    for (int r = kSignalX; r <= kSignalA; ++r)
        for (int k = kFirstSlot; k <= kLastSlot; ++k)
            spektr[r][k] = 0.0f;
}

void SpinSystem::seed()
{
    spektr[kSignalX][kSeedSlot] = nX;
    spektr[kSignalM][kSeedSlot] = nM;
    spektr[kSignalA][kSeedSlot] = nA;
}

std::array<SplitStep, 4> SpinSystem::split_steps() const
{
    // X and A are split once, by M; M is split by the larger constant first, since
    // the small split relies on the large one's lines standing 4 slots apart.
    if (znak_J == 0)
        return {{{kSignalX, false, nM + 1, Coupling::MX}, {kSignalA, true, nM + 1, Coupling::AM},
            {kSignalM, true, nA + 1, Coupling::AM}, {kSignalM, false, nX + 1, Coupling::MX}}};
    return {{{kSignalX, true, nM + 1, Coupling::MX}, {kSignalA, false, nM + 1, Coupling::AM},
        {kSignalM, true, nX + 1, Coupling::MX}, {kSignalM, false, nA + 1, Coupling::AM}}};
}

void SpinSystem::apply(const SplitStep& step)
{
    if (step.large)
        rozshepyty_vel(step.nom_sygnalu, step.multypletnist);
    else
        rozshepyty_mal(step.nom_sygnalu, step.multypletnist);
}

void SpinSystem::split()
{
    for (const SplitStep& step : split_steps())
        apply(step);
}

std::array<std::vector<TreeLevel>, kRows> SpinSystem::splitting_levels() const
{
    SpinSystem work = *this;
    work.clear_lines();
    work.seed();
    std::array<std::vector<TreeLevel>, kRows> levels;
    for (int r = kSignalX; r <= kSignalA; ++r)
        levels[r].push_back({work.spektr[r], Coupling::AM});
    for (const SplitStep& step : split_steps()) {
        work.apply(step);
        levels[step.nom_sygnalu].push_back({work.spektr[step.nom_sygnalu], step.coupling});
    }
    return levels;
}

void SpinSystem::rescale_heights()
{
    for (int r = kSignalX; r <= kSignalA; ++r) {
        float largest = 0.0f;
        for (int k = kFirstSlot; k <= kLastSlot; ++k)
            if (spektr[r][k] > largest)
                largest = spektr[r][k];
        if (largest > 0.0f)
            scale_row(spektr[r], 12.0f / largest);
    }
}

void SpinSystem::rescale_ratios()
{
    // 200 lies above any height, so the first line always replaces it.
    constexpr float kAboveAnyHeight = 200.0f;
    for (int r = kSignalX; r <= kSignalA; ++r) {
        float smallest = kAboveAnyHeight;
        for (int k = kFirstSlot; k <= kLastSlot; ++k)
            if (spektr[r][k] > 0.0f && spektr[r][k] < smallest)
                smallest = spektr[r][k];
        if (smallest < kAboveAnyHeight)
            scale_row(spektr[r], 1.0f / smallest);
    }
}

void SpinSystem::calculate()
{
    clear_lines();
    seed();
    split();
    rescale_heights();
    rescale_ratios();
}

std::string ratio_text(float v)
{
    // In one form whatever the C library's locale, which the toolkit sets from the user's.
    return shortest_text(v);
}

SpinState SpinSystem::state() const
{
    return {nA, nM, nX, znak_J == 0 ? Order::AMLarger : Order::MXLarger};
}

void SpinSystem::set_state(const SpinState& s)
{
    nA = std::int16_t(s.nA);
    nM = std::int16_t(s.nM);
    nX = std::int16_t(s.nX);
    znak_J = std::int16_t(s.order == Order::AMLarger ? 0 : 1);
}

}  // namespace spektrion
