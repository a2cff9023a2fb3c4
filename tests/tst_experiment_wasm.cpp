// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// The exhaustive check of every accepted start, as the browser's build of the
// experiment runs it (under node).

#include "ExhaustiveCheck.h"

#include <cstdio>

int main()
{
    const std::string fault = exhaustiveCheck();
    std::printf("%s: every start from 3 to 10,000,000 is written exactly %s\n", fault.empty() ? "PASS" : "FAIL", fault.c_str());
    return fault.empty() ? 0 : 1;
}
