// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "PageChimes.h"

#include <emscripten.h>

EM_JS(void, pagePlayChime, (const char *fileName), {
    collatzPage.playChime(UTF8ToString(fileName));
});

EM_JS(void, pageStopChime, (), {
    collatzPage.stopChime();
});

void PageChimes::play(const char *fileName)
{
    pagePlayChime(fileName);
}

void PageChimes::stop()
{
    pageStopChime();
}
