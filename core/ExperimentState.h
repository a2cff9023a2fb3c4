// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

// The three values the window keeps between clicks; plain data, written only by an
// experiment run and by a reset.
struct ExperimentState {
    // The text last given in the input dialog, from which the start is read; empty after
    // Cancel.
    std::u16string entryText;
    // The starting value, then each value reached in turn; 1 after a finished run.
    double currentValue = 0;
    // Every value reached after the starting value, each with its leading blank.
    std::u16string sequenceText;
};
