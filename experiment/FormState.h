#pragma once

#include <string>

// The three values the window keeps between clicks; plain data, written only by an
// experiment run and by a reset.
struct FormState {
    std::u16string entryText;
    double currentValue = 0;
    std::u16string sequenceText;
};
