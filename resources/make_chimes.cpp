// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// Writes the two chimes as wave files into the working directory: pinpon.wav and
// endpinpon.wav, 16-bit mono at 44.1 kHz, the same every time. Built on demand
// (cmake --build build --target make_chimes) and run from this folder.

#include "Chimes.h"
#include "ProgramText.h"

#include <cstdio>
#include <fstream>

int main()
{
    for (const char *name : {ProgramText::resetChime, ProgramText::exitChime}) {
        const std::string bytes = Chimes::waveFile(name);
        std::ofstream file(name, std::ios::binary);
        if (!file.write(bytes.data(), std::streamsize(bytes.size()))) {
            std::fprintf(stderr, "make_chimes: cannot write %s\n", name);
            return 1;
        }
    }
    return 0;
}
