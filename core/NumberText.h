// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The two conversions between numbers and the text the user sees or types.
// Neither depends on the locale.

// One sign character (a space for zero and positive values, "-" for negative ones)
// followed by the digits of the magnitude. Integral values below 10^15 are written
// in full; anything else uses the shortest exact form, with "E" for the exponent.
std::u16string numText(double value);

// The digits of a whole number, with neither sign nor blank: "9232".
std::u16string digits(std::uint64_t value);

// The value of the longest leading decimal number: blanks, an optional sign, digits
// with an optional "." and fraction, and an optional exponent. Full-width digits,
// signs, "．" and "Ｅ" count as their half-width forms and U+3000 as a blank. Text
// that does not begin with a number reads as 0; a number too large for a double
// reads as an infinity of its sign.
double readNumber(std::u16string_view text);
