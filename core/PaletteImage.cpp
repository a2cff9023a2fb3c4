// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "PaletteImage.h"

#include <algorithm>

namespace {

void appendBigEndian(std::string &bytes, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes += char(value >> shift & 0xFF);
}

std::uint32_t crc32(const std::string &bytes)
{
    std::uint32_t crc = 0xFFFFFFFF;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = crc >> 1 ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

void appendChunk(std::string &png, const char *type, const std::string &data)
{
    appendBigEndian(png, std::uint32_t(data.size()));
    const std::string typed = type + data;
    png += typed;
    appendBigEndian(png, crc32(typed));
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
    std::string header;
    appendBigEndian(header, std::uint32_t(m_width));
    appendBigEndian(header, std::uint32_t(m_height));
    header += {8, 3, 0, 0, 0};
    std::string palette;
    for (std::uint32_t colour : m_palette)
        palette += {char(colour >> 16 & 0xFF), char(colour >> 8 & 0xFF), char(colour & 0xFF)};

    // The rows, each after its filter byte, in deflate's stored blocks, within zlib's frame.
    std::string raw;
    for (int y = 0; y < m_height; ++y) {
        raw += '\0';
        raw.append(reinterpret_cast<const char *>(&m_pixels[std::size_t(y) * std::size_t(m_width)]), std::size_t(m_width));
    }
    std::string data = "\x78\x01";
    for (std::size_t at = 0; at < raw.size() || at == 0; at += 65535) {
        const std::size_t length = std::min<std::size_t>(65535, raw.size() - at);
        data += char(at + length >= raw.size() ? 1 : 0);
        data += {char(length & 0xFF), char(length >> 8), char(~length & 0xFF), char(~length >> 8 & 0xFF)};
        data.append(raw, at, length);
    }
    std::uint32_t a = 1, b = 0;
    for (unsigned char byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    appendBigEndian(data, b << 16 | a);

    std::string png = "\x89PNG\r\n\x1a\n";
    appendChunk(png, "IHDR", header);
    appendChunk(png, "PLTE", palette);
    appendChunk(png, "IDAT", data);
    appendChunk(png, "IEND", "");
    return "data:image/png;base64," + base64(png);
}
