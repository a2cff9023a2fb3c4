// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "WaveFile.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

namespace WaveFile {

namespace {

// SDL's reader allocates what a chunk claims before it reads it, so no chunk may claim
// more than the file holds. A claim past the end, as a recorder that was cut short
// leaves it, is cut to what is there.
void boundChunkClaims(std::vector<std::uint8_t> &bytes)
{
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        std::uint8_t *field = bytes.data() + at + 4;
        std::uint32_t claimed;
        std::memcpy(&claimed, field, sizeof claimed);
        claimed = SDL_SwapLE32(claimed);
        const std::size_t room = bytes.size() - at - 8;
        if (claimed > room) {
            claimed = std::uint32_t(room);
            const std::uint32_t stored = SDL_SwapLE32(claimed);
            std::memcpy(field, &stored, sizeof stored);
        }
        at += 8 + std::size_t(claimed) + (claimed & 1);
    }
}

void drain(SDL_AudioStream *stream, std::vector<std::int16_t> &out)
{
    while (const int available = SDL_AudioStreamAvailable(stream)) {
        const std::size_t had = out.size();
        out.resize(had + std::size_t(available) / sizeof(std::int16_t));
        const int got = SDL_AudioStreamGet(stream, out.data() + had, available);
        out.resize(had + std::size_t(std::max(got, 0)) / sizeof(std::int16_t));
        if (got <= 0)
            break;
    }
}

} // namespace

std::optional<std::vector<std::int16_t>> decode(const std::uint8_t *data, std::size_t size)
{
    // SDL also takes a file that starts at its "WAVE" tag, whose chunks lie elsewhere;
    // a chime is a whole RIFF file.
    if (size < 12 || size > largestFile || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(data, data + size);
    boundChunkClaims(bytes);

    SDL_AudioSpec spec{};
    Uint8 *samples = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), int(bytes.size())), 1, &spec, &samples, &length))
        return std::nullopt;
    const std::unique_ptr<Uint8, decltype(&SDL_FreeWAV)> owned(samples, SDL_FreeWAV);

    const std::size_t frameBytes = std::size_t(SDL_AUDIO_BITSIZE(spec.format) / 8) * spec.channels;
    if (frameBytes == 0 || spec.channels > 8 || spec.freq < 1000 || spec.freq > 384000)
        return std::nullopt;
    const std::size_t frames = length / frameBytes;
    if (frames == 0 || double(frames) / spec.freq > longestSeconds)
        return std::nullopt;

    // SDL's converter, fed a piece at a time so that no step's size arithmetic can wrap.
    SDL_AudioStream *stream = SDL_NewAudioStream(spec.format, spec.channels, spec.freq, AUDIO_S16SYS, 1, rate);
    if (!stream)
        return std::nullopt;
    const std::size_t whole = frames * frameBytes, piece = frameBytes * 4096;
    std::vector<std::int16_t> out;
    bool converted = true;
    for (std::size_t at = 0; converted && at < whole; at += piece) {
        converted = SDL_AudioStreamPut(stream, samples + at, int(std::min(piece, whole - at))) == 0;
        drain(stream, out);
    }
    // SDL 2's stream holds back the last few hundred frames of a resampled sound even
    // when flushed. Silence after the end pushes them out; it is cut off again below.
    const std::size_t paddingFrames = std::max(1024, spec.freq / 5);
    const std::vector<Uint8> silence(paddingFrames * frameBytes, spec.format == AUDIO_U8 ? 0x80 : 0);
    converted = converted && SDL_AudioStreamPut(stream, silence.data(), int(silence.size())) == 0
                && SDL_AudioStreamFlush(stream) == 0;
    drain(stream, out);
    SDL_FreeAudioStream(stream);
    out.resize(std::min<std::size_t>(out.size(), (std::uint64_t(frames) * rate + std::uint64_t(spec.freq) / 2) / std::uint64_t(spec.freq)));
    if (!converted || out.empty())
        return std::nullopt;
    return out;
}

std::optional<std::vector<std::int16_t>> load(const std::string &path)
{
    const std::filesystem::path file = std::filesystem::u8path(path);
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error || size > largestFile)
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    // One byte more than measured: a file that has grown since is not read on.
    std::vector<std::uint8_t> bytes(std::size_t(size) + 1);
    in.read(reinterpret_cast<char *>(bytes.data()), std::streamsize(bytes.size()));
    if (std::uintmax_t(in.gcount()) != size)
        return std::nullopt;
    return decode(bytes.data(), std::size_t(size));
}

} // namespace WaveFile
