// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

// The three values the window keeps between clicks; plain data, written only by an
// experiment run and by a reset.
struct FormState {
    std::u16string entryText;
    double currentValue = 0;
    std::u16string sequenceText;
};
