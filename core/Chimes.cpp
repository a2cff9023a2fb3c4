// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "Chimes.h"

#include "ProgramText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace {

constexpr double attackTime = 0.008, tailTime = 0.150, releaseTime = 0.030;
const double pi = std::acos(-1.0);

// The partials of a small bell or vibraphone bar.
struct Partial {
    double ratio, level, decay;
};
constexpr Partial partials[] = {{1.0, 1.0, 1.0}, {2.0, 0.25, 1.8}, {3.93, 0.12, 3.0}, {9.54, 0.03, 6.0}};

void appendLittleEndian(std::string &bytes, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes += char(value >> (8 * i) & 0xFF);
}

} // namespace

namespace Chimes {

Synthesis::Synthesis(std::string_view fileName, int sampleRate)
    : m_rate(sampleRate)
{
    double length = 0;
    // E5 then C#5: the familiar two-tone doorbell, high then low.
    if (fileName == ProgramText::resetChime) {
        m_notes = {{659.26, 0.00, 0.55, 1.0, 5.0}, {554.37, 0.45, 0.75, 1.0, 4.0}};
        length = 1.20;
    }
    // G5, E5, C5 falling: a closing phrase, distinct from the doorbell.
    if (fileName == ProgramText::exitChime) {
        m_notes = {{783.99, 0.00, 0.40, 0.9, 6.0}, {659.26, 0.28, 0.40, 0.9, 6.0}, {523.25, 0.56, 0.74, 1.0, 4.0}};
        length = 1.30;
    }
    if (!m_notes.empty()) {
        m_mix.resize(std::size_t((length + tailTime) * m_rate));
        m_audible = m_mix.size() - std::size_t(tailTime * m_rate);
    }
    for (const Note &note : m_notes) {
        std::vector<Tone> &tones = m_tones.emplace_back();
        for (const Partial &partial : partials) {
            const double turn = 2 * pi * note.frequency * partial.ratio / m_rate, fade = std::exp(-note.decay * partial.decay / m_rate);
            tones.push_back({note.level * partial.level, 0, fade * std::cos(turn), fade * std::sin(turn)});
        }
    }
}

bool Synthesis::advance(std::size_t count)
{
    // Note by note, in order, so that each sample sums them as a whole chime at once would.
    const std::size_t end = m_next + std::min(count, m_audible - m_next);
    for (std::size_t index = 0; index < m_notes.size(); ++index) {
        const Note &note = m_notes[index];
        const auto first = std::size_t(note.start * m_rate), last = std::min(end, first + std::size_t(note.length * m_rate));
        const auto attackEnd = first + std::size_t(attackTime * m_rate), releaseFrom = first + std::size_t((note.length - 2 * releaseTime) * m_rate);
        for (std::size_t at = std::max(m_next, first); at < last; ++at) {
            double value = 0;
            for (Tone &tone : m_tones[index]) {
                value += tone.imaginary;
                tone.imaginary = std::exchange(tone.real, tone.real * tone.turnReal - tone.imaginary * tone.turnImaginary) * tone.turnImaginary
                                 + tone.imaginary * tone.turnReal;
            }
            // A raised-cosine attack avoids a click; the last 30 ms fade to nothing.
            if (at < attackEnd || at >= releaseFrom) {
                const double t = double(at - first) / m_rate;
                value *= (at < attackEnd ? 0.5 - 0.5 * std::cos(pi * t / attackTime) : 1) * std::min(1.0, (note.length - t) / releaseTime);
            }
            m_mix[at] += value;
        }
    }
    for (; m_next < end; ++m_next)
        m_peak = std::max(m_peak, std::fabs(m_mix[m_next]));
    return m_next == m_audible;
}

std::int16_t Synthesis::sample(std::size_t at) const
{
    // Halves go to the even neighbour, as the first chimes were rounded.
    return std::int16_t(std::nearbyint(m_mix[at] * (0.7 * 32767 / m_peak)));
}

std::vector<std::int16_t> Synthesis::samples() const
{
    std::vector<std::int16_t> samples(m_mix.size());
    for (std::size_t at = 0; at < m_mix.size(); ++at)
        samples[at] = sample(at);
    return samples;
}

std::vector<float> Synthesis::levels() const
{
    std::vector<float> levels(m_mix.size());
    for (std::size_t at = 0; at < m_mix.size(); ++at)
        levels[at] = float(sample(at)) / 32768;
    return levels;
}

std::vector<std::int16_t> samples(std::string_view fileName)
{
    Synthesis synthesis(fileName);
    synthesis.advance(SIZE_MAX);
    return synthesis.samples();
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
