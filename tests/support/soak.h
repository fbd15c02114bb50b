// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

// What long sessions of pointer events share, the soak tests offscreen and in a real
// window and the start-up benchmark's clicks alike: dice that replay a failure from its
// seed, and the program's memory as the kernel counts it, held to one figure by all.
#include <QByteArray>
#include <QFile>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <random>
#include <vector>

namespace spektrion::testing_soak {

class RandomPoints {
public:
    RandomPoints(unsigned seed, QSize window)
        : random_(seed)
        , window_(window)
    {
    }

    // An area the pointer favours, such as a control.
    void favour(const QRect& area) { areas_.push_back(area); }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    // Mostly inside a favoured area, where clicks matter, sometimes anywhere in the
    // window, edges too.
    QPoint point()
    {
        if (pick(0, 3) == 0)
            return {pick(0, window_.width() - 1), pick(0, window_.height() - 1)};
        const QRect& r = areas_[std::size_t(pick(0, int(areas_.size()) - 1))];
        return {pick(r.left(), r.right()), pick(r.top(), r.bottom())};
    }

private:
    std::mt19937 random_;
    QSize window_;
    std::vector<QRect> areas_;
};

// The resident set of process `pid` in KiB; -1 if it cannot be read.
inline long rss_kib(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

}  // namespace spektrion::testing_soak
