// Starts the program's window, and a bare Qt window of the same size built the same
// way, as whole processes, in turn. Each reports the moment its first paint is done
// and then ends the way the program does. Prints, as medians, the time from the start
// of the process to the painted window and to its end, the peak resident memory, and
// the ratios (time ratios taken pair by pair, so that the machine's drift cancels).

#include "Form1.h"

#include <QApplication>
#include <QTimer>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int rounds = 31;

double nowMilliseconds()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Writes the time once the window has been painted for the first time, and quits.
class ReportPaint : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            // The children are painted in the same pass; report when it is over.
            QTimer::singleShot(0, this, [] {
                std::printf("%.3f\n", nowMilliseconds());
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_painted = false;
};

int probe(int argc, char *argv[], bool form)
{
    QApplication app(argc, argv);
    std::unique_ptr<QWidget> window;
    if (form) {
        window = std::make_unique<Form1>();
    } else {
        window = std::make_unique<QWidget>();
        window->setFixedSize(698, 504);
    }
    ReportPaint reporter;
    window->installEventFilter(&reporter);
    window->show();
    const int code = app.exec();
    std::_Exit(code);
}

struct Figures {
    double painted;
    double ended;
    long peakKilobytes;
};

Figures runProbe(const char *mode)
{
    int out[2];
    if (pipe(out) != 0)
        std::exit(1);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char *argv[] = {const_cast<char *>("bench_startup"), const_cast<char *>("--probe"), const_cast<char *>(mode), nullptr};

    const double start = nowMilliseconds();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, "/proc/self/exe", &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        std::fprintf(stderr, "cannot start the probe\n");
        std::exit(1);
    }
    char text[64] = {};
    const ssize_t got = read(out[0], text, sizeof text - 1);
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const double end = nowMilliseconds();
    if (got <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "the %s window did not start\n", mode);
        std::exit(1);
    }
    return {std::atof(text) - start, end - start, usage.ru_maxrss};
}

template<typename T> T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 3 && std::strcmp(argv[1], "--probe") == 0)
        return probe(argc, argv, std::strcmp(argv[2], "form") == 0);

    std::vector<Figures> bare, form;
    std::vector<double> paintedRatio, endedRatio;
    runProbe("bare");
    runProbe("form");
    for (int round = 0; round < rounds; ++round) {
        bare.push_back(runProbe("bare"));
        form.push_back(runProbe("form"));
        paintedRatio.push_back(form.back().painted / bare.back().painted);
        endedRatio.push_back(form.back().ended / bare.back().ended);
    }
    auto medianOf = [](const std::vector<Figures> &runs, auto field) {
        std::vector<double> values;
        for (const Figures &run : runs)
            values.push_back(double(run.*field));
        return median(values);
    };
    std::printf("%-14s %16s %16s %16s\n", "window", "start to paint", "start to end", "peak memory");
    for (const auto &[name, runs] : {std::pair{"bare QWidget", &bare}, std::pair{"Form1", &form}})
        std::printf("%-14s %13.1f ms %13.1f ms %12.0f KiB\n", name, medianOf(*runs, &Figures::painted),
                    medianOf(*runs, &Figures::ended), medianOf(*runs, &Figures::peakKilobytes));
    std::printf("%-14s %16.2f %16.2f %16.2f\n", "ratio", median(paintedRatio), median(endedRatio),
                medianOf(form, &Figures::peakKilobytes) / medianOf(bare, &Figures::peakKilobytes));
    return 0;
}
