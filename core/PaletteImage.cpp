// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "PaletteImage.h"

#include <algorithm>
#include <initializer_list>

namespace {

void appendWords(std::string &bytes, std::initializer_list<std::uint32_t> words)
{
    for (std::uint32_t word : words) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes += char(word >> shift & 0xFF);
    }
}

std::string base64(const std::string &bytes)
{
    static constexpr char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (std::size_t at = 0; at < bytes.size(); at += 3) {
        const std::size_t left = std::min<std::size_t>(3, bytes.size() - at);
        std::uint32_t group = 0;
        for (std::size_t i = 0; i < 3; ++i)
            group = group << 8 | (i < left ? std::uint8_t(bytes[at + i]) : 0);
        for (std::size_t i = 0; i < 4; ++i)
            text += i <= left ? digits[group >> (18 - 6 * i) & 0x3F] : '=';
    }
    return text;
}

} // namespace

PaletteImage::PaletteImage(int width, int height, std::array<std::uint32_t, 256> palette)
    : m_width(width)
    , m_height(height)
    , m_palette(palette)
    , m_pixels(std::size_t(width) * std::size_t(height))
{
}

std::string PaletteImage::dataAddress() const
{
    // A BMP file's headers: the file's, then the picture's (one plane of 8 bits, not
    // compressed, 72 dots an inch, 256 colours), then the palette, blue first.
    const auto width = std::uint32_t(m_width), height = std::uint32_t(m_height), stride = (width + 3) / 4 * 4;
    const std::uint32_t pixelsAt = 14 + 40 + 4 * 256;
    std::string bmp = "BM";
    appendWords(bmp, {pixelsAt + stride * height, 0, pixelsAt, 40, width, height, 1 | 8 << 16, 0, stride * height, 2835, 2835, 256, 0});
    for (std::uint32_t colour : m_palette)
        appendWords(bmp, {colour & 0xFFFFFF});
    // The rows from the bottom up, each padded to four bytes.
    for (int y = m_height - 1; y >= 0; --y) {
        bmp.append(reinterpret_cast<const char *>(&m_pixels[std::size_t(y) * std::size_t(m_width)]), std::size_t(m_width));
        bmp.append(stride - width, '\0');
    }
    return "data:image/bmp;base64," + base64(bmp);
}
