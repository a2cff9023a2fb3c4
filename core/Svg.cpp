// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "Svg.h"

#include "Utf8.h"

#include <cmath>
#include <cstdlib>

namespace Svg {

std::string number(double value)
{
    const long long tenths = std::llround(value * 10), magnitude = std::llabs(tenths);
    return (tenths < 0 ? "-" : "") + std::to_string(magnitude / 10) + '.' + char('0' + magnitude % 10);
}

std::string start(int pixelWidth, int pixelHeight)
{
    std::string drawing = "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" viewBox=\"0 0 640 330\"";
    if (pixelWidth > 0)
        drawing += " width=\"" + std::to_string(pixelWidth) + "\" height=\"" + std::to_string(pixelHeight) + '"';
    return drawing + "><rect width=\"640\" height=\"330\" fill=\"#fff\"/>";
}

std::string line(double x1, double y1, double x2, double y2)
{
    return "<line x1=\"" + number(x1) + "\" y1=\"" + number(y1) + "\" x2=\"" + number(x2) + "\" y2=\"" + number(y2) + "\"/>";
}

std::string label(double x, double y, const char *anchor, std::u16string_view text)
{
    return "<text x=\"" + number(x) + "\" y=\"" + number(y) + "\" text-anchor=\"" + anchor + "\">" + toUtf8(text) + "</text>";
}

} // namespace Svg
