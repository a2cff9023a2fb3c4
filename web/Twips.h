// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

// The layout is given in twips, fifteen to a CSS pixel; the browser itself scales CSS
// pixels for screens with more dots and for the reader's zoom.
constexpr int twipsToPixels(int twips)
{
    return twips / 15;
}

struct PixelRect {
    int left, top, width, height;
};

constexpr PixelRect twipsRect(int left, int top, int width, int height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}
