// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

// Start-up and memory of the simulator beside a bare Qt window, on a private Xvfb,
// then the report of every figure: a table on stdout and results.json.
//
// Start-up is measured from the launch of the process to the moment its window is
// mapped and shows what it must show: for the simulator, the blue X line of the
// first spectrum; for the baseline, its painted background.
#include "tests/support/soak.h"

#include <xcb/xcb.h>

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;
using spektrion::testing_soak::rss_kib;

constexpr int kWindowWidth = 792;
constexpr int kWindowHeight = 521;
constexpr int kQuizWidth = 1108;
constexpr int kFieldWidth = 1250;
constexpr int kFieldHeight = 640;
constexpr int kQuizHeight = 674;
// Xvfb serves the program and these polls on one thread: polling too often would
// slow down the very start-up it measures.
constexpr auto kPixelPoll = 1ms;

struct Options {
    std::string program;
    std::string baseline;
    std::string gbench_json;
    std::string out;
    int runs = 10;
    int clicks = 1000;
    std::string wine;  // a Windows build of the program, to compare under Wine
    std::string wine_baseline;  // and the bare window built the same way
    std::string quiz;  // the quiz program, timed to its first chart
    std::string field;  // spektrion-field, timed to its first picture
    // Both programs on a display scaled by this much (QT_SCALE_FACTOR), as on a
    // laptop at 200 %.
    double scale = 1.0;
};

int scaled(int logical, double scale)
{
    return int(std::floor(logical * scale + 0.5));
}

pid_t spawn(
    const std::vector<std::string>& argv, const std::vector<std::string>& extra_env, int stdout_fd = -1)
{
    std::vector<std::string> env_store;
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        if (entry.rfind("QT_QPA_PLATFORM=", 0) == 0 || entry.rfind("WAYLAND_DISPLAY=", 0) == 0
            || entry.rfind("DISPLAY=", 0) == 0)
            continue;
        env_store.push_back(entry);
    }
    env_store.insert(env_store.end(), extra_env.begin(), extra_env.end());
    std::vector<char*> envp;
    for (std::string& e : env_store)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> args = argv;
    std::vector<char*> argp;
    for (std::string& a : args)
        argp.push_back(a.data());
    argp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (stdout_fd >= 0)
        posix_spawn_file_actions_adddup2(&actions, stdout_fd, STDOUT_FILENO);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argp[0], &actions, nullptr, argp.data(), envp.data()) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

void stop(pid_t pid)
{
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
}

long cpu_ticks(pid_t pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return fields.value(11).toLong() + fields.value(12).toLong();  // utime + stime
}

// Waits until the process has used no CPU for a while: the clicks are all handled.
void wait_until_idle(pid_t pid)
{
    long last = cpu_ticks(pid);
    for (int quiet = 0; quiet < 5;) {
        std::this_thread::sleep_for(100ms);
        const long now = cpu_ticks(pid);
        quiet = now == last ? quiet + 1 : 0;
        last = now;
    }
}

class Display {
public:
    Display(std::string name, double scale)
        : name_(std::move(name))
        , scale_(scale)
    {
        connection_ = xcb_connect(name_.c_str(), nullptr);
        if (xcb_connection_has_error(connection_)) {
            std::fprintf(stderr, "startup_bench: cannot connect to %s\n", name_.c_str());
            std::exit(1);
        }
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_);
    }
    ~Display() { xcb_disconnect(connection_); }

    const std::string& name() const { return name_; }
    double scale() const { return scale_; }

    // What a program started on this display sees of it.
    std::vector<std::string> environment() const
    {
        std::vector<std::string> env = {"DISPLAY=" + name_};
        if (scale_ != 1.0)
            env.push_back("QT_SCALE_FACTOR=" + QByteArray::number(scale_).toStdString());
        return env;
    }

    void drain()
    {
        while (xcb_generic_event_t* e = xcb_poll_for_event(connection_))
            std::free(e);
    }

    // The next window of the program's size (before scaling) mapped on the root window.
    std::optional<xcb_window_t> wait_for_map(Clock::time_point deadline, int width, int height)
    {
        while (Clock::now() < deadline) {
            xcb_generic_event_t* e = xcb_poll_for_event(connection_);
            if (!e) {
                std::this_thread::sleep_for(200us);
                continue;
            }
            std::optional<xcb_window_t> found;
            if ((e->response_type & 0x7F) == XCB_MAP_NOTIFY) {
                const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(e);
                const auto cookie = xcb_get_geometry(connection_, map->window);
                if (xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(connection_, cookie, nullptr)) {
                    if (g->width == scaled(width, scale_) && g->height == scaled(height, scale_))
                        found = map->window;
                    std::free(g);
                }
            }
            std::free(e);
            if (found)
                return found;
        }
        return std::nullopt;
    }

    std::optional<std::uint32_t> pixel(xcb_window_t window, int x, int y)
    {
        const auto cookie = xcb_get_image(
            connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, std::int16_t(x), std::int16_t(y), 1, 1, ~0u);
        xcb_get_image_reply_t* reply = xcb_get_image_reply(connection_, cookie, nullptr);
        if (!reply)
            return std::nullopt;
        std::uint32_t value = 0;
        std::memcpy(&value, xcb_get_image_data(reply), std::min<int>(4, xcb_get_image_data_length(reply)));
        std::free(reply);
        return value & 0xFFFFFFu;
    }

private:
    std::string name_;
    double scale_;
    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
};

struct Launch {
    double ms = -1;
    pid_t pid = -1;
    xcb_window_t window = 0;
};

// Launches `program` and waits until the pixel at (x, y) of its window (in the
// window's own coordinates, before scaling) passes `shown`.
Launch launch(Display& display, const std::vector<std::string>& command, int x, int y,
    const std::function<bool(std::uint32_t)>& shown, int width = kWindowWidth, int height = kWindowHeight)
{
    display.drain();
    Launch l;
    const auto start = Clock::now();
    l.pid = spawn(command, display.environment());
    x = scaled(x, display.scale());
    y = scaled(y, display.scale());
    const auto deadline = start + 20s;
    const auto window = display.wait_for_map(deadline, width, height);
    if (!window)
        return l;
    l.window = *window;
    while (Clock::now() < deadline) {
        const auto p = display.pixel(*window, x, y);
        if (p && shown(*p)) {
            l.ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            return l;
        }
        std::this_thread::sleep_for(kPixelPoll);
    }
    return l;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::string start_xvfb(pid_t& pid, double scale)
{
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    const std::string screen = scale == 1.0 ? "1024x768x24" : "2560x1600x24";
    pid = spawn(
        {"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen, "-nolisten", "tcp", "-br"},
        {});
    close(fds[1]);
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    return number.empty() ? std::string() : ":" + number;
}

Options parse(int argc, char** argv)
{
    Options o;
    const std::map<std::string, std::string*> texts = {{"--program", &o.program}, {"--baseline", &o.baseline},
        {"--gbench", &o.gbench_json}, {"--out", &o.out}, {"--wine", &o.wine},
        {"--wine-baseline", &o.wine_baseline}, {"--quiz", &o.quiz}, {"--field", &o.field}};
    const std::map<std::string, int*> counts = {{"--runs", &o.runs}, {"--clicks", &o.clicks}};
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        const std::string value = argv[i + 1];
        if (const auto text = texts.find(key); text != texts.end())
            *text->second = value;
        else if (const auto count = counts.find(key); count != counts.end())
            *count->second = std::stoi(value);
        else if (key == "--scale")
            o.scale = std::stod(value);
    }
    return o;
}

// The Google Benchmark figures: median time of the 54 model states, each click case.
QJsonObject read_gbench(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    QJsonObject out;
    if (!file.open(QIODevice::ReadOnly))
        return out;
    const QJsonArray benchmarks
        = QJsonDocument::fromJson(file.readAll()).object().value("benchmarks").toArray();
    std::vector<double> model_ns;
    QJsonObject clicks;
    for (const QJsonValue& b : benchmarks) {
        const QJsonObject o = b.toObject();
        const QString name = o.value("name").toString();
        const QString unit = o.value("time_unit").toString();
        const double scale = unit == "ns" ? 1e-3 : unit == "us" ? 1.0 : unit == "ms" ? 1e3 : 1e6;
        const double us = o.value("real_time").toDouble() * scale;
        if (name.startsWith("model/state/"))
            model_ns.push_back(us * 1e3);
        else if (name.startsWith("click/"))
            clicks.insert(name, us);
        else if (name == "tree/picture")
            out.insert("tree_picture_us", us);
        else if (name == "quiz/check")
            out.insert("quiz_check_us", us);
        else if (name == "field/exact/A3M3X3")
            out.insert("field_exact_us", us);
    }
    if (!model_ns.empty()) {
        out.insert("model_states", int(model_ns.size()));
        out.insert("model_median_ns_per_state", median(model_ns));
        out.insert("model_max_ns_per_state", *std::max_element(model_ns.begin(), model_ns.end()));
    }
    out.insert("click_us", clicks);
    return out;
}

QJsonArray json_list(const std::vector<double>& values)
{
    QJsonArray list;
    for (double v : values)
        list.append(v);
    return list;
}

// The Windows build under Wine beside the Linux program, launched alternately on the
// same X server: time to the first spectrum's blue X line in each.
int compare_with_wine(const Options& o, Display& display)
{
    const auto blue_line = [](std::uint32_t p) { return p == 0x0000FFu; };
    const auto painted = [](std::uint32_t p) { return p != 0u; };
    std::vector<double> linux_ms, wine_ms, floor_ms;
    for (int run = 0; run < o.runs; ++run) {
        const Launch l = launch(display, {o.program}, 148, 253, blue_line);
        if (l.ms >= 0)
            linux_ms.push_back(l.ms);
        stop(l.pid);
        const Launch w = launch(display, {"wine", o.wine}, 148, 253, blue_line);
        if (w.ms >= 0)
            wine_ms.push_back(w.ms);
        stop(w.pid);
        if (o.wine_baseline.empty())
            continue;
        const Launch b = launch(display, {"wine", o.wine_baseline}, 700, 300, painted);
        if (b.ms >= 0)
            floor_ms.push_back(b.ms);
        stop(b.pid);
    }
    QJsonObject results;
    results.insert("runs", o.runs);
    results.insert("linux_median_ms", median(linux_ms));
    results.insert("wine_median_ms", median(wine_ms));
    results.insert("ratio", median(linux_ms) > 0 ? median(wine_ms) / median(linux_ms) : -1);
    results.insert("linux_ms", json_list(linux_ms));
    results.insert("wine_ms", json_list(wine_ms));
    if (!floor_ms.empty()) {
        results.insert("wine_baseline_median_ms", median(floor_ms));
        results.insert("ratio_to_wine_baseline", median(wine_ms) / median(floor_ms));
        results.insert("wine_baseline_ms", json_list(floor_ms));
    }
    QFile out(QString::fromStdString(o.out));
    if (!out.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "startup_bench: cannot write %s\n", o.out.c_str());
        return 1;
    }
    out.write(QJsonDocument(results).toJson());
    std::printf("%-44s %9.1f ms\n", "Linux start-up to spectrum, median", median(linux_ms));
    std::printf("%-44s %9.1f ms\n", "Wine start-up to spectrum, median", median(wine_ms));
    std::printf("%-44s %12.1f\n", "ratio Wine / Linux", results.value("ratio").toDouble());
    if (!floor_ms.empty()) {
        std::printf("%-44s %9.1f ms\n", "bare window under Wine, median", median(floor_ms));
        std::printf("%-44s %12.2f %12s\n", "ratio to the bare window under Wine",
            results.value("ratio_to_wine_baseline").toDouble(), "<= 1.20");
    }
    std::printf("(%zu and %zu of %d launches measured)\nAll figures: %s\n", linux_ms.size(), wine_ms.size(),
        o.runs, o.out.c_str());
    return linux_ms.empty() || wine_ms.empty() ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const Options o = parse(argc, argv);
    if (o.program.empty() || (o.baseline.empty() && o.wine.empty()) || o.out.empty()) {
        std::fputs("usage: startup_bench --program P --baseline B --out JSON [--gbench JSON] [--runs N] "
                   "[--clicks N]\n"
                   "       startup_bench --program P --wine P.exe --out JSON [--runs N]\n",
            stderr);
        return 2;
    }
    pid_t xvfb = -1;
    const std::string display_name = start_xvfb(xvfb, o.scale);
    if (display_name.empty()) {
        std::fputs("startup_bench: Xvfb did not start\n", stderr);
        return 1;
    }
    Display display(display_name, o.scale);
    if (!o.wine.empty()) {
        const int status = compare_with_wine(o, display);
        stop(xvfb);
        return status;
    }

    // The simulator's first X line (slot 9, height 12) in window coordinates.
    const auto blue_line = [](std::uint32_t p) { return p == 0x0000FFu; };
    const auto painted = [](std::uint32_t p) { return p != 0u; };

    // The quiz's chart is drawn at start-up without a spectrum: its grid, here a line
    // left of the chart's first column.
    const auto grid_line = [](std::uint32_t p) { return p == 0xD8D8D8u; };

    // The field window's picture: its whole spectrum's black axis.
    const auto axis = [](std::uint32_t p) { return p == 0x000000u; };

    std::vector<double> program_ms, baseline_ms, quiz_ms, field_ms;
    long program_rss = -1, baseline_rss = -1, program_rss_after_clicks = -1;
    for (int run = 0; run < o.runs; ++run) {
        const Launch b = launch(display, {o.baseline}, 700, 300, painted);
        if (b.ms >= 0)
            baseline_ms.push_back(b.ms);
        std::this_thread::sleep_for(300ms);
        if (run == o.runs - 1)
            baseline_rss = rss_kib(b.pid);
        stop(b.pid);

        const Launch p = launch(display, {o.program}, 148, 253, blue_line);
        if (p.ms >= 0)
            program_ms.push_back(p.ms);
        if (run == o.runs - 1 && p.ms >= 0) {
            std::this_thread::sleep_for(300ms);
            wait_until_idle(p.pid);
            program_rss = rss_kib(p.pid);
            // Clicks all over the formula and the coupling label, through the X server.
            const int xs[] = {204, 220, 240, 260, 278, 296, 440};
            std::vector<std::string> args = {"xdotool", "search", "--pid", std::to_string(p.pid),
                "--onlyvisible", "--name", "^Spektrion", "windowmove", "%1", "0", "0"};
            for (int i = 0; i < o.clicks; ++i) {
                const int x = xs[i % 7];
                const int y = x == 440 ? 20 : (x == 220 || x == 260 || x == 296) ? 35 : 20;
                args.insert(args.end(),
                    {"mousemove", std::to_string(scaled(x, o.scale)), std::to_string(scaled(y, o.scale)),
                        "mousedown", "1", "mouseup", "1"});
            }
            const pid_t clicker = spawn(args, {"DISPLAY=" + display.name()});
            int status = 0;
            waitpid(clicker, &status, 0);
            wait_until_idle(p.pid);
            program_rss_after_clicks = rss_kib(p.pid);
        }
        stop(p.pid);

        if (!o.quiz.empty()) {
            const Launch q = launch(display, {o.quiz}, 48, 337, grid_line, kQuizWidth, kQuizHeight);
            if (q.ms >= 0)
                quiz_ms.push_back(q.ms);
            stop(q.pid);
        }
        if (!o.field.empty()) {
            const Launch f = launch(display, {o.field}, 300, 329, axis, kFieldWidth, kFieldHeight);
            if (f.ms >= 0)
                field_ms.push_back(f.ms);
            stop(f.pid);
        }
    }
    stop(xvfb);

    const double program_median = median(program_ms);
    const double baseline_median = median(baseline_ms);
    QJsonObject results = read_gbench(o.gbench_json);
    QJsonObject startup;
    startup.insert("runs", o.runs);
    startup.insert("spektrion_median_ms", program_median);
    startup.insert("baseline_median_ms", baseline_median);
    startup.insert("ratio", baseline_median > 0 ? program_median / baseline_median : -1);
    startup.insert("spektrion_ms", json_list(program_ms));
    startup.insert("baseline_ms", json_list(baseline_ms));
    if (!field_ms.empty()) {
        startup.insert("field_median_ms", median(field_ms));
        startup.insert("field_ratio", baseline_median > 0 ? median(field_ms) / baseline_median : -1);
        startup.insert("field_ms", json_list(field_ms));
    }
    if (!quiz_ms.empty()) {
        startup.insert("quiz_median_ms", median(quiz_ms));
        startup.insert("quiz_ratio", baseline_median > 0 ? median(quiz_ms) / baseline_median : -1);
        startup.insert("quiz_ms", json_list(quiz_ms));
    }
    results.insert("startup", startup);
    QJsonObject memory;
    memory.insert("spektrion_rss_kib", double(program_rss));
    memory.insert("baseline_rss_kib", double(baseline_rss));
    memory.insert("rss_over_baseline_kib", double(program_rss - baseline_rss));
    memory.insert("clicks", o.clicks);
    memory.insert("spektrion_rss_after_clicks_kib", double(program_rss_after_clicks));
    memory.insert("rss_growth_over_clicks_kib", double(program_rss_after_clicks - program_rss));
    results.insert("memory", memory);

    QFile out(QString::fromStdString(o.out));
    if (!out.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "startup_bench: cannot write %s\n", o.out.c_str());
        return 1;
    }
    out.write(QJsonDocument(results).toJson());

    const QJsonObject clicks = results.value("click_us").toObject();
    if (o.scale != 1.0)
        std::printf("\nOn a display scaled by %g (QT_SCALE_FACTOR), the baseline scaled too:", o.scale);
    std::printf("\n%-44s %12s %12s\n", "figure", "measured", "budget");
    if (results.contains("model_median_ns_per_state")) {
        std::printf("%-44s %9.0f ns %12s\n", "model calculation, median of 54 states",
            results.value("model_median_ns_per_state").toDouble(), "<= 1000 ns");
        std::printf("%-44s %9.0f ns %12s\n", "model calculation, slowest state",
            results.value("model_max_ns_per_state").toDouble(), "<= 1000 ns");
    }
    for (auto it = clicks.begin(); it != clicks.end(); ++it)
        std::printf("%-44s %9.0f us %12s\n", ("one " + it.key().toStdString()).c_str(), it.value().toDouble(),
            "<= 1000 us");
    if (results.contains("tree_picture_us"))
        std::printf("%-44s %9.0f us %12s\n", "one splitting-tree picture",
            results.value("tree_picture_us").toDouble(), "<= 50000 us");
    if (results.contains("quiz_check_us"))
        std::printf("%-44s %9.0f us %12s\n", "one quiz check, its answer drawn",
            results.value("quiz_check_us").toDouble(), "<= 5000 us");
    if (results.contains("field_exact_us"))
        std::printf("%-44s %9.0f us %12s\n", "exact line list of A3M3X3",
            results.value("field_exact_us").toDouble(), "<= 100 us");
    std::printf("%-44s %9.1f ms\n", "start-up to spectrum, median", program_median);
    std::printf("%-44s %9.1f ms\n", "baseline start-up, median", baseline_median);
    std::printf("%-44s %12.2f %12s\n", "start-up ratio", startup.value("ratio").toDouble(), "<= 1.20");
    if (!field_ms.empty()) {
        std::printf("%-44s %9.1f ms\n", "spektrion-field start-up to its picture, median", median(field_ms));
        std::printf("%-44s %12.2f %12s\n", "spektrion-field start-up ratio",
            startup.value("field_ratio").toDouble(), "<= 1.20");
    }
    if (!quiz_ms.empty()) {
        std::printf("%-44s %9.1f ms\n", "quiz start-up to its chart, median", median(quiz_ms));
        std::printf(
            "%-44s %12.2f %12s\n", "quiz start-up ratio", startup.value("quiz_ratio").toDouble(), "<= 1.20");
    }
    std::printf("%-44s %9ld KiB\n", "RSS after start-up", program_rss);
    std::printf("%-44s %9ld KiB\n", "baseline RSS after start-up", baseline_rss);
    std::printf("%-44s %9ld KiB %12s\n", "RSS over baseline", program_rss - baseline_rss, "<= 6144 KiB");
    std::printf("%-44s %9ld KiB %12s\n", ("RSS growth over " + std::to_string(o.clicks) + " clicks").c_str(),
        program_rss_after_clicks - program_rss, "<= 1024 KiB");
    std::printf("\nAll figures: %s\n", o.out.c_str());
    return 0;
}
