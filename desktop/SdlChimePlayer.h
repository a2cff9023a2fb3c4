// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "ChimePlayer.h"

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

// The player's intervals; tests shorten them.
struct ChimeTiming {
    // How long to wait before asking again for an audio output that could not be opened.
    std::chrono::milliseconds retryAfter{30000};
    // An open output costs a little CPU all the time, so it is closed this long after
    // the last chime has ended, and opened again, in about 2 ms, at the next chime.
    std::chrono::milliseconds closeWhenIdle{3000};
    // How long the player's end waits for its worker, which may be stuck asking a sound
    // server that never answers; the program then ends without it.
    std::chrono::milliseconds endWithin{250};
};

// The chime player on SDL audio: it decodes each chime once, on a worker thread of its
// own, which also opens and closes the one audio output, so that play() and stop()
// never wait. It has no window and reports no errors.
class SdlChimePlayer final : public ChimePlayer {
public:
    explicit SdlChimePlayer(ChimeTiming timing = ChimeTiming());
    // Cuts off a chime still sounding and closes the output, waiting for the worker no
    // longer than the timing's endWithin.
    ~SdlChimePlayer() override;

    void play(std::string_view fileName) override;
    void stop() override;
    // Reads these chimes in the background, ahead of their first play.
    void prepare(const std::vector<std::string> &fileNames);
    // Whether the audio output is open; Unavailable when the last attempt to open it failed,
    // the next being made at a chime after retryAfter.
    enum class Output { Closed, Open, Unavailable };
    Output output() const;

private:
    struct State;
    std::shared_ptr<State> m_state;
    std::thread m_worker;
};
