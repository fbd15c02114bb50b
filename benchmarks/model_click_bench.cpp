// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

// Google Benchmark of the two hot paths: the model's whole calculation for each of
// the 54 states, and one click end to end in the window on the offscreen platform;
// of one splitting-tree picture; and of the quiz's check of an answer.
#include "display/field_plot.h"
#include "display/tree.h"
#include "model/exact.h"
#include "model/quiz.h"
#include "model/spin_system.h"
#include "ui/canvas.h"
#include "ui/click_label.h"
#include "ui/form1.h"
#include "ui/quiz_window.h"
#include "words/words.h"

#include <QApplication>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>

namespace spektrion {
namespace {

// State number 0..53: znak_J, then nA, nM, nX, each size 1..3.
SpinSystem state_of(int n)
{
    SpinSystem s;
    s.nX = std::int16_t(1 + n % 3);
    s.nM = std::int16_t(1 + n / 3 % 3);
    s.nA = std::int16_t(1 + n / 9 % 3);
    s.znak_J = std::int16_t(n / 27);
    return s;
}

// Clear, seed, the four splits, both rescalings and the three captions.
void BM_ModelCalculation(benchmark::State& st)
{
    SpinSystem s = state_of(int(st.range(0)));
    for (auto _ : st) {
        s.calculate();
        std::string outer = words::multiplet_name({s.nM});
        std::string middle = words::multiplet_name(quiz::right_name(s.state(), Group::M));
        benchmark::DoNotOptimize(s.spektr);
        benchmark::DoNotOptimize(outer);
        benchmark::DoNotOptimize(middle);
    }
}
BENCHMARK(BM_ModelCalculation)->DenseRange(0, 53)->Name("model/state");

std::unique_ptr<Form1> shown_window()
{
    auto form = std::make_unique<Form1>();
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
        qFatal("the window was never exposed");
    QApplication::processEvents();
    return form;
}

// A click on a label, the handler, rozrah, the drawing into the canvas image, and
// the window's repaint of what changed through the event loop, as after a real click.
void click_and_paint(benchmark::State& st, QWidget* (*target)(Form1&))
{
    const auto form = shown_window();
    QWidget* label = target(*form);
    for (auto _ : st) {
        QTest::mouseClick(label, Qt::LeftButton);
        QApplication::sendPostedEvents();
        QApplication::processEvents();
    }
}

// The same with the whole window rendered afresh by grab().
void click_and_grab(benchmark::State& st, QWidget* (*target)(Form1&))
{
    const auto form = shown_window();
    QWidget* label = target(*form);
    for (auto _ : st) {
        QTest::mouseClick(label, Qt::LeftButton);
        benchmark::DoNotOptimize(form->grab());
    }
}

QWidget* letter_a(Form1& f)
{
    return f.LabH[0];
}

QWidget* coupling_label(Form1& f)
{
    return f.Label1;
}

BENCHMARK_CAPTURE(click_and_paint, letter, letter_a)
    ->Name("click/letter/paint")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(click_and_paint, coupling, coupling_label)
    ->Name("click/coupling/paint")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(click_and_grab, letter, letter_a)->Name("click/letter/grab")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(click_and_grab, coupling, coupling_label)
    ->Name("click/coupling/grab")
    ->Unit(benchmark::kMicrosecond);

// The exact line list of the largest system, A3M3X3 (eight choices of the groups'
// total spins, blocks of up to 12 states), at a field where all three couple strongly;
// budget 100 µs.
void field_exact(benchmark::State& st)
{
    const field::Setting setting{60.0, {2.2, 2.0, 1.9}, 7.0, 6.0, 0.5};
    for (auto _ : st)
        benchmark::DoNotOptimize(field::exact_lines({3, 3, 3}, setting));
}
BENCHMARK(field_exact)->Name("field/exact/A3M3X3")->Unit(benchmark::kMicrosecond);

// The field's whole picture made anew, as after one step of a slider: the calculation,
// the curve of every panel, the sticks and the axes, at the screen's ratio; budget
// 16 ms at ratio 2.
void field_picture(benchmark::State& st)
{
    field::Setting setting{60.0, {2.2, 2.0, 1.9}, 7.0, 6.0, 0.5};
    const qreal ratio = qApp->devicePixelRatio();
    for (auto _ : st) {
        setting.j_am = setting.j_am == 7.0 ? 7.1 : 7.0;
        benchmark::DoNotOptimize(field_plot::picture({3, 3, 3}, setting, ratio));
    }
}
BENCHMARK(field_picture)->Name("field/picture/A3M3X3")->Unit(benchmark::kMillisecond);

// One splitting-tree picture of the richest state (quartet of quartets), from the
// window's chart as spektrion-snapshot --tree makes it; budget 50 ms.
void tree_picture(benchmark::State& st)
{
    Form1 form;
    for (int i = 0; i < 3; ++i)
        emit form.LabH[i]->clicked();
    for (auto _ : st)
        benchmark::DoNotOptimize(tree::picture(form.Picture1->surface().image(), form.model().state()));
}
BENCHMARK(tree_picture)->Name("tree/picture")->Unit(benchmark::kMillisecond);

// "Перевірити" end to end: the marking, the explanation, the spectrum and the trees
// drawn, and the window's repaint through the event loop; budget 5 ms. The tasks of
// a round are checked in turn, both kinds; moving on to the next is not timed.
void quiz_check(benchmark::State& st)
{
    QuizWindow window(1);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        qFatal("the quiz was never exposed");
    QApplication::processEvents();
    for (auto _ : st) {
        window.check();
        QApplication::sendPostedEvents();
        QApplication::processEvents();
        st.PauseTiming();
        if (window.task_number() == 10)
            window.start_round();
        else
            window.next();
        QApplication::processEvents();
        st.ResumeTiming();
    }
}
BENCHMARK(quiz_check)->Name("quiz/check")->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace spektrion

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
