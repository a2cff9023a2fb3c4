// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

// The pieces of SVG both drawings are written with, in the drawing's own units of 640 by 330,
// numbers to a tenth with a "." whatever the C library's locale: a desktop program runs in
// the user's, where the decimal mark may be a comma.
namespace Svg {

inline constexpr double width = 640, height = 330;

std::string number(double value);
// The opening of a drawing on a white ground, with a size in pixels where given one.
std::string start(int pixelWidth, int pixelHeight);
std::string line(double x1, double y1, double x2, double y2);
std::string label(double x, double y, const char *anchor, std::u16string_view text);

} // namespace Svg
