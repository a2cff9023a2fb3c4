// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// The exhaustive check of every accepted start, as the browser's build of the
// experiment runs it (under node).

#include "ExhaustiveCheck.h"

#include <cstdio>

int main()
{
    const ExhaustiveCheck check = ExhaustiveCheck::run();
    const bool exact = check.fault.empty();
    const bool extremes = check.largest == ExhaustiveCheck::knownLargest && check.from == ExhaustiveCheck::knownFrom;
    std::printf("%s: every start from 3 to 10,000,000 is written exactly %s\n", exact ? "PASS" : "FAIL", check.fault.c_str());
    std::printf("%s: the largest value, the most steps, the longest text come from the starts known\n", extremes ? "PASS" : "FAIL");
    return exact && extremes ? 0 : 1;
}
