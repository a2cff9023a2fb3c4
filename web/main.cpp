// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "PageWindow.h"

#include <emscripten.h>

// The page's script calls these when the window's buttons are clicked.
namespace {

PageWindow &pageWindow()
{
    static PageWindow window;
    return window;
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void pageStartExperiment()
{
    pageWindow().startExperiment();
}

EMSCRIPTEN_KEEPALIVE void pageAskToExit()
{
    pageWindow().askToExit();
}

EMSCRIPTEN_KEEPALIVE void pageReset()
{
    pageWindow().reset();
}

EMSCRIPTEN_KEEPALIVE void pageRestart()
{
    pageWindow().restart();
}

} // extern "C"

int main()
{
    pageWindow().show();
    return 0;
}
