// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <QRect>
#include <QtGlobal>

// The layout is given in twips, fifteen to a pixel at 96 dots per inch; Qt itself
// scales pixels for screens with more.
constexpr int twipsToPixels(int twips)
{
    return qRound(twips / 15.0);
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}
