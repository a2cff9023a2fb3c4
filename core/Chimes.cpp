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

Synthesis::Synthesis(std::string_view fileName)
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
        m_mix.resize(std::size_t((length + tailTime) * rate));
        m_audible = m_mix.size() - std::size_t(tailTime * rate);
    }
    for (const Note &note : m_notes) {
        std::vector<Tone> &tones = m_tones.emplace_back();
        for (const Partial &partial : partials) {
            const double turn = 2 * pi * note.frequency * partial.ratio / rate;
            tones.push_back({partial.level, std::cos(turn), std::sin(turn), std::exp(-note.decay * partial.decay / rate)});
        }
    }
}

bool Synthesis::advance(std::size_t count)
{
    // Note by note, in order, so that each sample sums them as a whole chime at once would.
    const std::size_t end = m_next + std::min(count, m_audible - m_next);
    for (std::size_t index = 0; index < m_notes.size(); ++index) {
        const Note &note = m_notes[index];
        const auto first = std::size_t(note.start * rate), last = std::min(end, first + std::size_t(note.length * rate));
        for (std::size_t at = std::max(m_next, first); at < last; ++at) {
            const double t = double(at - first) / rate;
            // A raised-cosine attack avoids a click; the last 30 ms fade to nothing.
            const double attack = t < attackTime ? 0.5 - 0.5 * std::cos(pi * t / attackTime) : 1;
            const double release = t < note.length - 2 * releaseTime ? 1 : std::min(1.0, (note.length - t) / releaseTime);
            double value = 0;
            for (Tone &tone : m_tones[index]) {
                value += tone.level * tone.amplitude * tone.sin;
                tone.amplitude *= tone.fade;
                tone.sin = std::exchange(tone.cos, tone.cos * tone.turnCos - tone.sin * tone.turnSin) * tone.turnSin + tone.sin * tone.turnCos;
            }
            m_mix[at] += note.level * attack * release * value;
        }
    }
    m_next = end;
    return m_next == m_audible;
}

std::vector<std::int16_t> Synthesis::samples() const
{
    double peak = 0;
    for (double value : m_mix)
        peak = std::max(peak, std::fabs(value));
    const double scale = 0.7 * 32767 / peak;
    std::vector<std::int16_t> samples;
    samples.reserve(m_mix.size());
    // Halves go to the even neighbour, as the first chimes were rounded.
    for (double value : m_mix)
        samples.push_back(std::int16_t(std::nearbyint(value * scale)));
    return samples;
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
