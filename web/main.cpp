// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "PageWindow.h"

#include <emscripten.h>

// The page's script calls these when the window's and the graph's controls are used.
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

EMSCRIPTEN_KEEPALIVE void pageOpenGraph()
{
    pageWindow().showGraph();
}

EMSCRIPTEN_KEEPALIVE void pageSetLogScale(int logScale)
{
    pageWindow().graph().setLogScale(logScale != 0);
}

EMSCRIPTEN_KEEPALIVE void pageSaveTable()
{
    pageWindow().graph().saveTable();
}

EMSCRIPTEN_KEEPALIVE void pageSavePicture()
{
    pageWindow().graph().savePicture();
}

} // extern "C"

// The page has shown the window already, as it was laid out at build time.
int main()
{
    PageWindow::warmUp();
    return 0;
}
