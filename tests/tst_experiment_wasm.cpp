// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// The exhaustive check of every accepted start, as the browser's build of the
// experiment runs it (under node).

#include "ExhaustiveCheck.h"

#include <cstdio>

int main()
{
    const ExhaustiveCheck check = ExhaustiveCheck::run();
    if (!check.fault.empty()) {
        std::printf("FAIL: %s\n", check.fault.c_str());
        return 1;
    }
    const char *const figures[] = {"the largest value", "the most steps", "the longest text"};
    int failed = 0;
    for (int i = 0; i < 3; ++i) {
        const bool same = check.largest[i] == ExhaustiveCheck::knownLargest[i] && check.from[i] == ExhaustiveCheck::knownFrom[i];
        failed += same ? 0 : 1;
        std::printf("%s: %s %llu from %llu\n", same ? "PASS" : "FAIL", figures[i], (unsigned long long)check.largest[i],
                    (unsigned long long)check.from[i]);
    }
    std::printf("%s: every start from 3 to 10,000,000 is written exactly\n", failed ? "FAIL" : "PASS");
    return failed;
}
