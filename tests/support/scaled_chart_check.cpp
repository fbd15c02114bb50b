// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

// scaled_chart_check PICTURE RATIO: measures the start-up chart in a picture of the
// window at a device pixel ratio, as the in-process tests do, for the Windows and
// browser builds' screenshots. Prints what is wrong and exits 1, or exits 0.
#include "tests/support/scaled.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: scaled_chart_check PICTURE RATIO\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QImage picture(QString::fromLocal8Bit(argv[1]));
    const double ratio = QByteArray(argv[2]).toDouble();
    if (picture.isNull() || ratio <= 0) {
        std::fprintf(stderr, "scaled_chart_check: no picture in %s, or no ratio\n", argv[1]);
        return 2;
    }
    using spektrion::testing_scaled::device;
    const QPoint origin = spektrion::testing_scaled::chart_origin(picture, ratio);
    std::string faults = spektrion::testing_scaled::faults(picture, origin, ratio);
    if (picture.size() != QSize(device(792, ratio), device(521, ratio)))
        faults
            += "the window is " + std::to_string(picture.width()) + " x " + std::to_string(picture.height());
    std::printf("%s\n", faults.empty() ? "as drawn at that ratio" : faults.c_str());
    return faults.empty() ? 0 : 1;
}
