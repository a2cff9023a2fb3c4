// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "Chimes.h"

#include "ProgramText.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace {

constexpr double attackTime = 0.008, tailTime = 0.150, releaseTime = 0.030;
const double pi = std::acos(-1.0);

// The partials of a small bell or vibraphone bar.
struct Partial {
    double ratio, level, decay;
};
constexpr Partial partials[] = {{1.0, 1.0, 1.0}, {2.0, 0.25, 1.8}, {3.93, 0.12, 3.0}, {9.54, 0.03, 6.0}};

struct Note {
    double frequency, start, length, level, decay;
};

void addNote(std::vector<double> &mix, std::size_t audible, const Note &note)
{
    const auto count = std::size_t(note.length * Chimes::rate), first = std::size_t(note.start * Chimes::rate);
    for (std::size_t i = 0; i < count && first + i < audible; ++i) {
        const double t = double(i) / Chimes::rate;
        // A raised-cosine attack avoids a click; the last 30 ms fade to nothing.
        const double attack = 0.5 - 0.5 * std::cos(pi * std::min(1.0, t / attackTime));
        const double release = std::min(1.0, (note.length - t) / releaseTime);
        double value = 0;
        for (const Partial &partial : partials)
            value += partial.level * std::exp(-t * note.decay * partial.decay) * std::sin(2 * pi * note.frequency * partial.ratio * t);
        mix[first + i] += note.level * attack * release * value;
    }
}

std::vector<std::int16_t> render(std::initializer_list<Note> notes, double length)
{
    std::vector<double> mix(std::size_t((length + tailTime) * Chimes::rate));
    const std::size_t audible = mix.size() - std::size_t(tailTime * Chimes::rate);
    for (const Note &note : notes)
        addNote(mix, audible, note);
    double peak = 0;
    for (double value : mix)
        peak = std::max(peak, std::fabs(value));
    const double scale = 0.7 * 32767 / peak;
    std::vector<std::int16_t> samples;
    samples.reserve(mix.size());
    // Halves go to the even neighbour, as the first chimes were rounded.
    for (double value : mix)
        samples.push_back(std::int16_t(std::nearbyint(value * scale)));
    return samples;
}

void appendLittleEndian(std::string &bytes, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes += char(value >> (8 * i) & 0xFF);
}

} // namespace

namespace Chimes {

std::vector<std::int16_t> samples(std::string_view fileName)
{
    // E5 then C#5: the familiar two-tone doorbell, high then low.
    if (fileName == ProgramText::resetChime)
        return render({{659.26, 0.00, 0.55, 1.0, 5.0}, {554.37, 0.45, 0.75, 1.0, 4.0}}, 1.20);
    // G5, E5, C5 falling: a closing phrase, distinct from the doorbell.
    if (fileName == ProgramText::exitChime)
        return render({{783.99, 0.00, 0.40, 0.9, 6.0}, {659.26, 0.28, 0.40, 0.9, 6.0}, {523.25, 0.56, 0.74, 1.0, 4.0}}, 1.30);
    return {};
}

std::string waveFile(std::string_view fileName)
{
    const std::vector<std::int16_t> sound = samples(fileName);
    const auto dataSize = std::uint32_t(2 * sound.size());
    std::string bytes = "RIFF";
    appendLittleEndian(bytes, 36 + dataSize, 4);
    bytes += "WAVEfmt ";
    appendLittleEndian(bytes, 16, 4);
    appendLittleEndian(bytes, 1, 2);
    appendLittleEndian(bytes, 1, 2);
    appendLittleEndian(bytes, rate, 4);
    appendLittleEndian(bytes, 2 * rate, 4);
    appendLittleEndian(bytes, 2, 2);
    appendLittleEndian(bytes, 16, 2);
    bytes += "data";
    appendLittleEndian(bytes, dataSize, 4);
    for (std::int16_t sample : sound)
        appendLittleEndian(bytes, std::uint16_t(sample), 2);
    return bytes;
}

} // namespace Chimes
