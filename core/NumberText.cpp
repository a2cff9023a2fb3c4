// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "NumberText.h"

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

std::u16string numText(double value)
{
    const double magnitude = std::fabs(value);
    std::string digits;
    if (magnitude < 1e15 && magnitude == std::floor(magnitude)) {
        digits = std::to_string(static_cast<std::uint64_t>(magnitude));
    } else {
        // The shortest form that reads back as the same value. printf writes the C
        // library's decimal point and strtod reads it, so the check holds in any locale;
        // the point is made "." afterwards.
        char buffer[32];
        for (int precision = 1; precision <= 17; ++precision) {
            std::snprintf(buffer, sizeof buffer, "%.*g", precision, magnitude);
            if (std::strtod(buffer, nullptr) == magnitude || std::isnan(magnitude))
                break;
        }
        digits = buffer;
        const char point = *std::localeconv()->decimal_point;
        for (char &c : digits)
            c = c == point ? '.' : c == 'e' ? 'E' : c;
    }

    return (value < 0 ? u"-" : u" ") + std::u16string(digits.begin(), digits.end());
}

std::u16string digits(std::uint64_t value)
{
    const std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
}

namespace {

// Folds the full-width forms a Japanese input method produces onto ASCII; anything
// else that is not ASCII becomes 0, which no number holds.
char asciiOf(char16_t c)
{
    if (c < 0x80)
        return static_cast<char>(c);
    if (c >= 0xFF10 && c <= 0xFF19)
        return static_cast<char>('0' + (c - 0xFF10));
    switch (c) {
    case 0x3000: return ' ';
    case 0xFF0B: return '+';
    case 0xFF0D: return '-';
    case 0xFF0E: return '.';
    case 0xFF25: return 'E';
    case 0xFF45: return 'e';
    }
    return 0;
}

} // namespace

double readNumber(std::u16string_view text)
{
    // Collected in the form strtod reads whatever the locale: ASCII, and the C library's
    // own decimal point in place of ".". The text ends at the first character no decimal
    // number holds, so that strtod reads neither "inf", "nan" nor hexadecimal, only the
    // longest leading decimal number.
    static constexpr std::string_view decimal = "0123456789+-.eE \t\n\r";
    std::string number;
    for (char16_t c : text) {
        const char ascii = asciiOf(c);
        if (decimal.find(ascii) == std::string_view::npos)
            break;
        number += ascii == '.' ? std::string(std::localeconv()->decimal_point) : std::string(1, ascii);
    }
    // A number too large for a double reads as HUGE_VAL, that is infinity.
    return std::strtod(number.c_str(), nullptr);
}
