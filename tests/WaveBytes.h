// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

// Builds wave files byte by byte, including broken ones.
namespace WaveBytes {

inline void put32(std::vector<std::uint8_t> &out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(std::uint8_t(v >> (8 * i)));
}

inline void put16(std::vector<std::uint8_t> &out, std::uint16_t v)
{
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}

inline void chunk(std::vector<std::uint8_t> &out, const char *id, const std::vector<std::uint8_t> &body,
                  std::uint32_t claimed)
{
    out.insert(out.end(), id, id + 4);
    put32(out, claimed);
    out.insert(out.end(), body.begin(), body.end());
}

inline std::vector<std::uint8_t> format(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits)
{
    std::vector<std::uint8_t> fmt;
    put16(fmt, tag);
    put16(fmt, channels);
    put32(fmt, rate);
    put32(fmt, rate * channels * bits / 8);
    put16(fmt, std::uint16_t(channels * bits / 8));
    put16(fmt, bits);
    return fmt;
}

// A whole file: RIFF header, "fmt " and "data" chunks, each claiming its true size
// unless told otherwise.
inline std::vector<std::uint8_t> wave(const std::vector<std::uint8_t> &fmt, const std::vector<std::uint8_t> &data,
                                      std::uint32_t dataClaim = 0xFFFFFFFFu)
{
    std::vector<std::uint8_t> out = {'R', 'I', 'F', 'F'};
    put32(out, std::uint32_t(4 + 8 + fmt.size() + 8 + data.size()));
    out.insert(out.end(), {'W', 'A', 'V', 'E'});
    chunk(out, "fmt ", fmt, std::uint32_t(fmt.size()));
    chunk(out, "data", data, dataClaim == 0xFFFFFFFFu ? std::uint32_t(data.size()) : dataClaim);
    return out;
}

inline std::vector<std::uint8_t> pcm16(const std::vector<std::int16_t> &samples)
{
    std::vector<std::uint8_t> out;
    for (std::int16_t s : samples)
        put16(out, std::uint16_t(s));
    return out;
}

} // namespace WaveBytes
