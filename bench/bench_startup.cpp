// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// Start-up as a person sees it: from spawning a program to the X server mapping its
// window, for the program and for two floors built with Qt Widgets alone (a bare
// window, and the program's controls built plainly), started in turns. Prints the
// medians, the program's ratio to each floor (taken round by round, so that the
// machine's drift cancels), and the peak memory of each. Needs an X display with no
// window manager, where a program's own window is the one mapped.
//
// bench_startup PROGRAM CONTROLS_FLOOR BARE_FLOOR

#include "Figures.h"

#include <xcb/xcb.h>

#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

extern char **environ;

namespace {

constexpr int rounds = 15;

double nowMilliseconds()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

struct Run {
    double mapped;
    long peakKilobytes;
};

// Starts the program and waits for the first top-level window to be mapped.
Run startAndMap(xcb_connection_t *x, const char *program)
{
    char *argv[] = {const_cast<char *>(program), nullptr};
    const double start = nowMilliseconds();
    pid_t child = 0;
    if (posix_spawn(&child, program, nullptr, nullptr, argv, environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", program);
        std::exit(1);
    }
    double mapped = -1;
    while (mapped < 0) {
        std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(xcb_wait_for_event(x), std::free);
        if (!event) {
            std::fprintf(stderr, "lost the X connection\n");
            std::exit(1);
        }
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY)
            mapped = nowMilliseconds() - start;
    }
    kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    return {mapped, usage.ru_maxrss};
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s PROGRAM CONTROLS_FLOOR BARE_FLOOR\n", argv[0]);
        return 2;
    }
    xcb_connection_t *x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    const char *names[] = {"the program", "controls floor", "bare floor"};
    std::vector<Run> runs[3];
    std::vector<double> toControls, toBare;
    for (int round = -1; round < rounds; ++round) {
        Run now[3];
        for (int which = 0; which < 3; ++which)
            now[which] = startAndMap(x, argv[1 + which]);
        if (round < 0)
            continue; // a warm-up round: caches and fonts
        for (int which = 0; which < 3; ++which)
            runs[which].push_back(now[which]);
        toControls.push_back(now[0].mapped / now[1].mapped);
        toBare.push_back(now[0].mapped / now[2].mapped);
    }

    std::printf("%-16s %14s %14s\n", "", "spawn to map", "peak memory");
    for (int which = 0; which < 3; ++which) {
        std::vector<double> mapped;
        std::vector<long> peak;
        for (const Run &run : runs[which]) {
            mapped.push_back(run.mapped);
            peak.push_back(run.peakKilobytes);
        }
        std::printf("%-16s %11.1f ms %10ld KiB\n", names[which], median(mapped), median(peak));
    }
    std::vector<double> memory;
    for (int round = 0; round < rounds; ++round)
        memory.push_back(double(runs[0][round].peakKilobytes) / double(runs[2][round].peakKilobytes));
    std::printf("the program against the controls floor: %.2f, against the bare floor: %.2f (medians of %d rounds)\n",
                median(toControls), median(toBare), rounds);
    std::printf("peak memory against the bare floor: %.2f\n", median(memory));
    xcb_disconnect(x);
    return 0;
}
