// Starts the program's window, and a bare Qt window of the same size built the same
// way, as whole processes, each until its first paint, in turn; prints the median wall
// time and peak resident memory of both, the median of the pairwise time ratios and
// the ratio of the memory medians.

#include "Form1.h"

#include <QApplication>
#include <QTimer>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int rounds = 31;

// Quits once the window has been painted for the first time.
class QuitAfterPaint : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            // The children are painted in the same pass; quit when it is over.
            QTimer::singleShot(0, this, [] { QCoreApplication::quit(); });
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
    QuitAfterPaint quitter;
    window->installEventFilter(&quitter);
    window->show();
    return app.exec();
}

struct Figures {
    double milliseconds;
    long peakKilobytes;
};

Figures runProbe(const char *mode)
{
    char *argv[] = {const_cast<char *>("bench_startup"), const_cast<char *>("--probe"), const_cast<char *>(mode), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, "/proc/self/exe", nullptr, nullptr, argv, environ) != 0) {
        std::fprintf(stderr, "cannot start the probe\n");
        std::exit(1);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "the %s window did not start\n", mode);
        std::exit(1);
    }
    return {std::chrono::duration<double, std::milli>(end - start).count(), usage.ru_maxrss};
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

    std::vector<double> bareTime, formTime, timeRatio;
    std::vector<long> bareMemory, formMemory;
    runProbe("bare");
    runProbe("form");
    for (int round = 0; round < rounds; ++round) {
        const Figures bare = runProbe("bare");
        const Figures form = runProbe("form");
        bareTime.push_back(bare.milliseconds);
        // Pair by pair, so that the machine's drift between rounds cancels out.
        timeRatio.push_back(form.milliseconds / bare.milliseconds);
        formTime.push_back(form.milliseconds);
        bareMemory.push_back(bare.peakKilobytes);
        formMemory.push_back(form.peakKilobytes);
    }
    std::printf("%-14s %16s %16s\n", "window", "to first paint", "peak memory");
    std::printf("%-14s %13.1f ms %13ld KiB\n", "bare QWidget", median(bareTime), median(bareMemory));
    std::printf("%-14s %13.1f ms %13ld KiB\n", "Form1", median(formTime), median(formMemory));
    std::printf("%-14s %16.2f %16.2f\n", "ratio", median(timeRatio),
                double(median(formMemory)) / double(median(bareMemory)));
    return 0;
}
