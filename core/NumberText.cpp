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
// else that is not ASCII becomes 0, which no rule below accepts.
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

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

} // namespace

double readNumber(std::u16string_view text)
{
    size_t i = 0;
    const size_t n = text.size();
    auto at = [&](size_t k) { return k < n ? asciiOf(text[k]) : '\0'; };

    while (i < n && isBlank(at(i)))
        ++i;

    // Collected in the form strtod reads whatever the locale: ASCII, and the C
    // library's own decimal point in place of ".".
    std::string number;
    bool negative = false;
    if (at(i) == '+' || at(i) == '-') {
        negative = at(i) == '-';
        ++i;
    }
    size_t digits = 0;
    for (; isDigit(at(i)); ++i, ++digits)
        number.push_back(at(i));
    if (at(i) == '.') {
        size_t fraction = 0;
        std::string part = std::localeconv()->decimal_point;
        for (size_t k = i + 1; isDigit(at(k)); ++k, ++fraction)
            part.push_back(at(k));
        if (fraction > 0 || digits > 0) {
            number += part;
            i += 1 + fraction;
            digits += fraction;
        }
    }
    if (digits == 0)
        return 0;

    if (at(i) == 'E' || at(i) == 'e') {
        size_t k = i + 1;
        std::string exponent = "e";
        if (at(k) == '+' || at(k) == '-')
            exponent.push_back(at(k++));
        const size_t first = k;
        for (; isDigit(at(k)); ++k)
            exponent.push_back(at(k));
        if (k > first)
            number += exponent;
    }

    // A number too large for a double reads as HUGE_VAL, that is infinity.
    const double value = std::strtod(number.c_str(), nullptr);
    return negative ? -value : value;
}
