// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The program's two chimes, synthesised: "pinpon.wav", a doorbell's high then low tone, and
// "endpinpon.wav", three falling tones. Each note is a soft-attack, exponentially decaying
// bell tone with a few inharmonic partials, and each chime ends in 150 ms of silence. The
// desktop's wave files are written from these samples; the page plays them as they are.
namespace Chimes {

inline constexpr int rate = 44100;

// One chime, synthesised a slice at a time, so that a page can make it between other work.
class Synthesis {
public:
    // Nothing to make for another name. At a lower sample rate there is less to make, and
    // every partial is still well below half of it.
    explicit Synthesis(std::string_view fileName, int sampleRate = rate);

    // Works out at most this many more samples; true once all are.
    bool advance(std::size_t count);
    // Once done: 16-bit mono samples at the sample rate, the same every time.
    std::vector<std::int16_t> samples() const;
    // The same samples as Web Audio takes them, from -1 to 1.
    std::vector<float> levels() const;

    struct Note {
        double frequency, start, length, level, decay;
    };

private:
    // A partial of a note as it sounds on, as a point turning and shrinking about the origin:
    // one complex product a sample gives its sine and its decay, without a sine or an
    // exponential for every sample. The sample is its imaginary part.
    struct Tone {
        double real, imaginary, turnReal, turnImaginary;
    };
    std::int16_t sample(std::size_t at) const;

    std::vector<Note> m_notes;
    std::vector<std::vector<Tone>> m_tones;
    std::vector<double> m_mix;
    int m_rate;
    std::size_t m_audible = 0, m_next = 0;
    double m_peak = 0;
};

// The whole chime at once.
std::vector<std::int16_t> samples(std::string_view fileName);

// The same samples as a RIFF WAVE file.
std::string waveFile(std::string_view fileName);

} // namespace Chimes
