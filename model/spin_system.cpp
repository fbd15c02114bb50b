// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "model/spin_system.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string_view>

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

// Indexed by group size 1..3; index 0 is never used by the window.
constexpr std::string_view kNames[] = {"", "дублет", "триплет", "квартет"};
constexpr std::string_view kSuffixes[] = {"", " дублетів", " триплетів", " квартетів"};

std::string_view word(const std::string_view (&list)[4], int group_size)
{
    return group_size >= 1 && group_size <= 3 ? list[group_size] : std::string_view{};
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
    char buffer[32];
    if (v == std::floor(v) && std::fabs(v) < 1e9f) {
        std::snprintf(buffer, sizeof buffer, "%.0f", double(v));
        return buffer;
    }
    // Nine significant digits always read back as the same float.
    for (int digits = 1; digits <= 9; ++digits) {
        std::snprintf(buffer, sizeof buffer, "%.*g", digits, double(v));
        if (std::strtof(buffer, nullptr) == v)
            break;
    }
    return buffer;
}

std::string describe_spectrum(const SpinSystem& at_rest)
{
    struct Signal {
        const char* letter;
        int row;
        std::string name;
    };
    const Signal signals[] = {{"X", kSignalX, outer_description(at_rest.nM)},
        {"M", kSignalM, middle_description(at_rest.nA, at_rest.nX, at_rest.znak_J)},
        {"A", kSignalA, outer_description(at_rest.nM)}};
    std::string text;
    for (const Signal& s : signals) {
        text += s.letter;
        text += ": " + s.name + ",";
        const char* separator = " ";
        for (int k = kFirstSlot; k <= kLastSlot; ++k) {
            const float v = at_rest.spektr[s.row][k];
            if (v > 0.0f) {
                text += separator + ratio_text(v);
                separator = " : ";
            }
        }
        text += '\n';
    }
    return text;
}

std::string outer_description(int group_size)
{
    return std::string(word(kNames, group_size));
}

std::string middle_description(int nA, int nX, int znak_J)
{
    // The first word names the split by the larger constant, the suffix the second.
    const int larger = znak_J == 0 ? nA : nX;
    const int smaller = znak_J == 0 ? nX : nA;
    std::string caption(word(kNames, larger));
    caption += word(kSuffixes, smaller);
    return caption;
}

std::string order_description(int znak_J)
{
    return znak_J == 0 ? "J(AM) > J(MX)" : "J(AM) < J(MX)";
}

}  // namespace spektrion
