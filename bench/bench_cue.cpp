// Times PlayCue as the window calls it, the first cue (which opens the output) and
// cues given while a chime is still sounding, then measures the CPU the player uses
// over the ten seconds after a chime has ended. Prints its figures under the label
// given as the first argument.

#include "MMControl.h"
#include "PlayCue.h"

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double milliseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    const char *label = argc > 1 ? argv[1] : "this machine";
    MMControl device;

    auto start = Clock::now();
    PlayCue(device, "pinpon.wav");
    const double first = milliseconds(Clock::now() - start);

    std::vector<double> during;
    for (int i = 0; i < 40; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        start = Clock::now();
        PlayCue(device, i % 2 ? "pinpon.wav" : "endpinpon.wav");
        during.push_back(milliseconds(Clock::now() - start));
    }
    std::sort(during.begin(), during.end());

    std::this_thread::sleep_for(std::chrono::milliseconds(1600));
    const double cpuBefore = cpuSeconds();
    const auto idleStart = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(10));
    const double idle = (cpuSeconds() - cpuBefore) / std::chrono::duration<double>(Clock::now() - idleStart).count();

    std::printf("%-16s first cue %6.2f ms   cues while sounding: median %5.2f ms, max %5.2f ms   idle after: %.2f%% of a core\n",
                label, first, during[during.size() / 2], during.back(), 100 * idle);
    return 0;
}
