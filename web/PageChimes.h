// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

// The chimes in the page, on Web Audio: the page holds the two wave files and decodes
// them once, as it loads; play() starts a decoded buffer and waits on nothing. A chime
// that could not be decoded is silent. The first click is the gesture that lets the page
// make sound at all.
class PageChimes {
public:
    // Cuts off the chime still sounding and starts this one from its beginning.
    void play(const char *fileName);
    void stop();
};
