// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// Run at build time, under node: lays the window out and writes its texts as the page
// does, with prerender.js standing in for the page. What it writes becomes part of the
// page, which then shows the window as soon as the file is read.

#include "PageWindow.h"

int main()
{
    PageWindow().show();
    return 0;
}
