// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "model/exact.h"

#include <Eigen/Eigenvalues>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace spektrion::field {
namespace {

// Every block is at most 12 states (three spins 3/2 at a total of ±1/2): room on the stack.
constexpr int kLargestBlock = 16;
using Matrix = Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, 0, kLargestBlock, kLargestBlock>;

// The total spins a group of n magnetically equivalent protons can take, twice over so
// that they are whole numbers, and how many ways each arises: 3 protons give one 3/2
// and two 1/2, 2 protons one 1 and one 0.
struct GroupSpin {
    int two_s;
    int ways;
};
std::vector<GroupSpin> group_spins(int protons)
{
    switch (protons) {
    case 1: return {{1, 1}};
    case 2: return {{2, 1}, {0, 1}};
    case 3: return {{3, 1}, {1, 2}};
    default: return {};
    }
}

// ⟨m ± 1|F±|m⟩ for a spin s, both given twice over.
double ladder(int two_s, int two_m, int step)
{
    const double s = two_s / 2.0;
    const double m = two_m / 2.0;
    return std::sqrt(std::max(0.0, s * (s + 1.0) - m * (m + step)));
}

// One choice of the three groups' total spins. Its states |mA mM mX⟩ fall into blocks
// of one total Fz, which neither the Hamiltonian nor a transition's partner leaves.
class Manifold {
public:
    Manifold(const std::array<int, 3>& two_s, const Setting& setting)
        : two_s_(two_s)
        , setting_(setting)
    {
        for (int a = 0; a <= two_s[0]; ++a)
            for (int m = 0; m <= two_s[1]; ++m)
                for (int x = 0; x <= two_s[2]; ++x) {
                    const std::array<int, 3> state = {two_s[0] - 2 * a, two_s[1] - 2 * m, two_s[2] - 2 * x};
                    const int block = (two_s[0] + two_s[1] + two_s[2] - state[0] - state[1] - state[2]) / 2;
                    if (std::size_t(block) >= blocks_.size())
                        blocks_.resize(std::size_t(block) + 1);
                    position_[a][m][x] = int(blocks_[std::size_t(block)].size());
                    blocks_[std::size_t(block)].push_back(state);
                }
        // Made in place: a solver of fixed capacity is a few kilobytes to copy.
        solvers_.reserve(blocks_.size());
        for (const auto& block : blocks_)
            solvers_.emplace_back(hamiltonian(block));
    }

    // Each transition F− drives from block k to block k + 1, with its strength
    // |⟨f|F−|i⟩|² times `weight`.
    void add_lines(double weight, std::vector<Line>& lines) const
    {
        for (std::size_t k = 0; k + 1 < blocks_.size(); ++k) {
            const Solver& from = solvers_[k];
            const Solver& to = solvers_[k + 1];
            const Matrix t = to.eigenvectors().transpose() * lowering(k) * from.eigenvectors();
            for (int i = 0; i < t.cols(); ++i)
                for (int f = 0; f < t.rows(); ++f) {
                    // What cannot reach the floor even where a thousand such meet.
                    const double intensity = weight * t(f, i) * t(f, i);
                    if (intensity >= kWeakest * 1e-3)
                        lines.push_back({from.eigenvalues()(i) - to.eigenvalues()(f), intensity});
                }
        }
    }

private:
    using State = std::array<int, 3>;  // 2m of A, M, X

    int index(const State& s) const
    {
        return position_[(two_s_[0] - s[0]) / 2][(two_s_[1] - s[1]) / 2][(two_s_[2] - s[2]) / 2];
    }

    Matrix hamiltonian(const std::vector<State>& block) const
    {
        const int n = int(block.size());
        Matrix h = Matrix::Zero(n, n);
        const double nu[3] = {setting_.hz(Group::A), setting_.hz(Group::M), setting_.hz(Group::X)};
        // J(AM) couples groups 0 and 1, J(MX) groups 1 and 2; A and X do not couple.
        const struct {
            int g1, g2;
            double j;
        } couplings[] = {{0, 1, setting_.j_am}, {1, 2, setting_.j_mx}};
        for (int i = 0; i < n; ++i) {
            const State& s = block[std::size_t(i)];
            for (int g = 0; g < 3; ++g)
                h(i, i) += nu[g] * s[std::size_t(g)] / 2.0;
            for (const auto& c : couplings) {
                h(i, i) += c.j * s[std::size_t(c.g1)] * s[std::size_t(c.g2)] / 4.0;
                // (J/2)(F+ F− + F− F+): one group up, the other down, within the block.
                for (const int up : {c.g1, c.g2}) {
                    const int down = up == c.g1 ? c.g2 : c.g1;
                    State t = s;
                    t[std::size_t(up)] += 2;
                    t[std::size_t(down)] -= 2;
                    if (t[std::size_t(up)] > two_s_[std::size_t(up)]
                        || t[std::size_t(down)] < -two_s_[std::size_t(down)])
                        continue;
                    h(index(t), i) += c.j / 2.0 * ladder(two_s_[std::size_t(up)], s[std::size_t(up)], 1)
                        * ladder(two_s_[std::size_t(down)], s[std::size_t(down)], -1);
                }
            }
        }
        return h;
    }

    // ⟨f|F−|i⟩ from block k to block k + 1, F− the three groups' lowering together.
    Matrix lowering(std::size_t k) const
    {
        const std::vector<State>& from = blocks_[k];
        Matrix l = Matrix::Zero(int(blocks_[k + 1].size()), int(from.size()));
        for (int i = 0; i < int(from.size()); ++i)
            for (std::size_t g = 0; g < 3; ++g) {
                State t = from[std::size_t(i)];
                if (t[g] == -two_s_[g])
                    continue;
                t[g] -= 2;
                l(index(t), i) = ladder(two_s_[g], from[std::size_t(i)][g], -1);
            }
        return l;
    }

    std::array<int, 3> two_s_;
    const Setting& setting_;
    std::vector<std::vector<State>> blocks_;  // by total Fz, highest first
    int position_[4][4][4] = {};  // a state's place in its block
    using Solver = Eigen::SelfAdjointEigenSolver<Matrix>;
    std::vector<Solver> solvers_;  // by block
};

// Sorted by frequency; lines closer than kMergeHz made one, the weakest left out.
std::vector<Line> merged(std::vector<Line> lines)
{
    std::sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) { return a.hz < b.hz; });
    std::vector<Line> out;
    double last = 0.0;
    for (const Line& l : lines) {
        if (!out.empty() && l.hz - last < kMergeHz) {
            Line& m = out.back();
            const double total = m.intensity + l.intensity;
            if (total > 0.0)
                m.hz = (m.hz * m.intensity + l.hz * l.intensity) / total;
            m.intensity = total;
        } else {
            out.push_back(l);
        }
        last = l.hz;
    }
    std::erase_if(out, [](const Line& l) { return !(l.intensity >= kWeakest); });
    return out;
}

}  // namespace

std::vector<Line> exact_lines(const Sizes& sizes, const Setting& setting)
{
    // Σ |⟨f|F−|i⟩|² over all states is N 2^(N−1) for N protons: scaled so that the
    // intensities add up to N.
    const int protons = sizes[0] + sizes[1] + sizes[2];
    const double scale = 1.0 / double(1 << (protons - 1));
    std::vector<Line> lines;
    lines.reserve(2048);
    for (const GroupSpin& a : group_spins(sizes[0]))
        for (const GroupSpin& m : group_spins(sizes[1]))
            for (const GroupSpin& x : group_spins(sizes[2]))
                Manifold({a.two_s, m.two_s, x.two_s}, setting)
                    .add_lines(scale * a.ways * m.ways * x.ways, lines);
    return merged(std::move(lines));
}

std::vector<Line> first_order_multiplet(const Sizes& sizes, const Setting& setting, Group g)
{
    struct Partner {
        Group by;
        double j;
    };
    const std::vector<Partner> partners = g == Group::M
        ? std::vector<Partner>{{Group::A, setting.j_am}, {Group::X, setting.j_mx}}
        : std::vector<Partner>{{Group::M, g == Group::A ? setting.j_am : setting.j_mx}};
    std::vector<Line> lines = {{setting.hz(g), double(sizes[std::size_t(index_of(g))])}};
    for (const Partner& p : partners) {
        const int n = sizes[std::size_t(index_of(p.by))];
        std::vector<Line> split;
        for (const Line& l : lines) {
            double binomial = 1.0;  // C(n, k)
            for (int k = 0; k <= n; ++k) {
                split.push_back({l.hz + (k - n / 2.0) * p.j, l.intensity * binomial / double(1 << n)});
                binomial = binomial * (n - k) / (k + 1);
            }
        }
        lines = std::move(split);
    }
    return merged(std::move(lines));
}

std::vector<Line> first_order_lines(const Sizes& sizes, const Setting& setting)
{
    std::vector<Line> all;
    for (const Group g : kGroups) {
        const std::vector<Line> multiplet = first_order_multiplet(sizes, setting, g);
        all.insert(all.end(), multiplet.begin(), multiplet.end());
    }
    return merged(std::move(all));
}

ParameterRange range_of(Parameter p)
{
    switch (p) {
    case Parameter::Frequency: return {40.0, 1000.0, 1.0, 0};  // MHz
    case Parameter::ShiftA:
    case Parameter::ShiftM:
    case Parameter::ShiftX: return {0.0, 10.0, 0.01, 2};  // ppm
    case Parameter::CouplingAM:
    case Parameter::CouplingMX: return {0.0, 20.0, 0.1, 1};  // Hz
    case Parameter::Width: break;
    }
    return {0.1, 5.0, 0.1, 1};  // Hz
}

double& value_of(Setting& s, Parameter p)
{
    switch (p) {
    case Parameter::Frequency: return s.mhz;
    case Parameter::ShiftA: return s.shifts_ppm[0];
    case Parameter::ShiftM: return s.shifts_ppm[1];
    case Parameter::ShiftX: return s.shifts_ppm[2];
    case Parameter::CouplingAM: return s.j_am;
    case Parameter::CouplingMX: return s.j_mx;
    case Parameter::Width: break;
    }
    return s.width;
}

Pair coupled_pair(const Setting& setting, Group outer)
{
    const double j = std::abs(outer == Group::A ? setting.j_am : setting.j_mx);
    const double delta = std::abs(setting.hz(outer) - setting.hz(Group::M));
    if (j == 0.0)
        return {outer, 0.0, Regime::Uncoupled};
    if (delta == 0.0)
        return {outer, 0.0, Regime::Equivalent};
    // To nine decimals: a setting whose ratio is exactly a threshold (0.5 ppm at 100 MHz
    // over 5 Hz) is not taken for the 9.999… its binary fractions give.
    const double ratio = std::round(delta / j * 1e9) / 1e9;
    return {outer, ratio,
        ratio >= kLeaning      ? Regime::FirstOrder
            : ratio >= kStrong ? Regime::Leaning
                               : Regime::Strong};
}

std::vector<double> curve(
    const std::vector<Line>& lines, double width, double from_hz, double to_hz, int columns)
{
    std::vector<double> heights(std::size_t(std::max(columns, 0)), 0.0);
    if (columns <= 0 || !(width > 0.0) || !(to_hz > from_hz))
        return heights;
    const double step = (to_hz - from_hz) / columns;
    const double half = width / 2.0;
    // A line's tails beyond kReach half-widths stand below a thousandth of its peak:
    // left out, so that a line costs only the columns near it.
    constexpr double kReach = 40.0;
    // Within kNear columns of its middle a line's share of a column is its integral
    // there, arctan((ν − ν0)/(w/2))/π at the column's edges, so that a line narrower
    // than a column still shows whole; further out, where it hardly bends within a
    // column, its height at the column's middle.
    constexpr int kNear = 3;
    for (const Line& l : lines) {
        const double at = (l.hz - from_hz) / step;  // in columns
        const int first = std::max(0, int(std::floor(at - kReach * half / step)) - kNear);
        const int last = std::min(columns - 1, int(std::floor(at + kReach * half / step)) + kNear);
        for (int c = first; c <= last; ++c) {
            const double left = from_hz + c * step - l.hz;
            if (std::abs(c - at) <= kNear) {
                heights[std::size_t(c)] += l.intensity
                    * (std::atan((left + step) / half) - std::atan(left / half)) / std::numbers::pi / step;
            } else {
                const double x = left + step / 2.0;
                heights[std::size_t(c)] += l.intensity * half / std::numbers::pi / (x * x + half * half);
            }
        }
    }
    return heights;
}

}  // namespace spektrion::field
