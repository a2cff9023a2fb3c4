#include "WaveFile.h"

#include <SDL.h>

#include <cstring>
#include <fstream>

namespace WaveFile {

namespace {

std::uint32_t read32(const std::uint8_t *p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

std::uint16_t read16(const std::uint8_t *p)
{
    return std::uint16_t(p[0] | p[1] << 8);
}

struct Format {
    int channels = 0;
    int rate = 0;
    int bits = 0;
    int blockAlign = 0;
    bool isFloat = false;
};

std::optional<Format> readFormat(const std::uint8_t *chunk, std::size_t size)
{
    if (size < 16)
        return std::nullopt;
    Format format;
    std::uint16_t tag = read16(chunk);
    format.channels = read16(chunk + 2);
    format.rate = int(read32(chunk + 4));
    format.blockAlign = read16(chunk + 12);
    format.bits = read16(chunk + 14);
    constexpr std::uint16_t pcm = 1, ieeeFloat = 3, extensible = 0xFFFE;
    if (tag == extensible) {
        if (size < 40)
            return std::nullopt;
        tag = read16(chunk + 24);
    }
    format.isFloat = tag == ieeeFloat;
    if (tag != pcm && tag != ieeeFloat)
        return std::nullopt;
    if (format.channels < 1 || format.channels > 8 || format.rate < 1000 || format.rate > 384000)
        return std::nullopt;
    const bool knownWidth = format.isFloat ? format.bits == 32
                                           : format.bits == 8 || format.bits == 16 || format.bits == 24 || format.bits == 32;
    if (!knownWidth || format.blockAlign != format.channels * format.bits / 8)
        return std::nullopt;
    return format;
}

// SDL has no 24-bit sample format; widen such samples to 32 bits.
std::vector<std::uint8_t> widen24(const std::uint8_t *data, std::size_t size)
{
    std::vector<std::uint8_t> wide(size / 3 * 4);
    for (std::size_t i = 0, j = 0; i + 3 <= size; i += 3, j += 4) {
        wide[j] = 0;
        std::memcpy(&wide[j + 1], data + i, 3);
    }
    return wide;
}

std::optional<std::vector<std::int16_t>> convert(const Format &format, const std::uint8_t *data, std::size_t size)
{
    std::vector<std::uint8_t> widened;
    SDL_AudioFormat sdlFormat = AUDIO_S16LSB;
    switch (format.bits) {
    case 8: sdlFormat = AUDIO_U8; break;
    case 16: sdlFormat = AUDIO_S16LSB; break;
    case 24:
        widened = widen24(data, size);
        data = widened.data();
        size = widened.size();
        sdlFormat = AUDIO_S32LSB;
        break;
    case 32: sdlFormat = format.isFloat ? AUDIO_F32LSB : AUDIO_S32LSB; break;
    }

    SDL_AudioStream *stream = SDL_NewAudioStream(sdlFormat, Uint8(format.channels), format.rate, AUDIO_S16SYS, 1, rate);
    if (!stream)
        return std::nullopt;
    std::optional<std::vector<std::int16_t>> samples;
    if (SDL_AudioStreamPut(stream, data, int(size)) == 0 && SDL_AudioStreamFlush(stream) == 0) {
        std::vector<std::int16_t> out(std::size_t(SDL_AudioStreamAvailable(stream)) / sizeof(std::int16_t));
        const int got = SDL_AudioStreamGet(stream, out.data(), int(out.size() * sizeof(std::int16_t)));
        if (got >= 0) {
            out.resize(std::size_t(got) / sizeof(std::int16_t));
            samples = std::move(out);
        }
    }
    SDL_FreeAudioStream(stream);
    return samples;
}

} // namespace

std::optional<std::vector<std::int16_t>> decode(const std::uint8_t *data, std::size_t size)
{
    if (size < 12 || size > largestFile || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0)
        return std::nullopt;

    std::optional<Format> format;
    const std::uint8_t *samples = nullptr;
    std::size_t sampleBytes = 0;
    // Chunks are read as far as the file really goes, whatever their headers claim.
    for (std::size_t at = 12; at + 8 <= size;) {
        const std::uint64_t claimed = read32(data + at + 4);
        const std::size_t body = at + 8;
        const std::size_t present = std::size_t(std::min<std::uint64_t>(claimed, size - body));
        if (std::memcmp(data + at, "fmt ", 4) == 0 && !format)
            format = readFormat(data + body, present);
        else if (std::memcmp(data + at, "data", 4) == 0 && !samples)
            samples = data + body, sampleBytes = present;
        at = std::size_t(std::min<std::uint64_t>(size, body + claimed + (claimed & 1)));
    }
    if (!format || !samples)
        return std::nullopt;
    sampleBytes -= sampleBytes % std::size_t(format->blockAlign);
    if (sampleBytes == 0)
        return std::nullopt;
    return convert(*format, samples, sampleBytes);
}

std::optional<std::vector<std::int16_t>> load(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size <= 0 || std::uint64_t(size) > largestFile)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char *>(bytes.data()), size))
        return std::nullopt;
    return decode(bytes.data(), bytes.size());
}

} // namespace WaveFile
