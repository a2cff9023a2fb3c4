// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// A picture of up to 256 colours, one byte a pixel, written as a BMP in a data: address for
// an SVG drawing to hold: both faces draw such a drawing as it is.
class PaletteImage {
public:
    PaletteImage(int width, int height, std::array<std::uint32_t, 256> palette);

    std::uint8_t &at(int x, int y) { return m_pixels[std::size_t(y) * std::size_t(m_width) + std::size_t(x)]; }

    // "data:image/bmp;base64,...", uncompressed: a picture of a fixed size costs the same
    // whatever it shows.
    std::string dataAddress() const;

private:
    int m_width, m_height;
    std::array<std::uint32_t, 256> m_palette;
    std::vector<std::uint8_t> m_pixels;
};
