// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "SdlChimePlayer.h"

#include "WaveFile.h"

#include <SDL.h>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <future>
#include <map>
#include <mutex>
#include <optional>
#include <utility>

namespace {

using Samples = std::shared_ptr<const std::vector<std::int16_t>>;
using Clock = std::chrono::steady_clock;

// 256 frames are 6 ms at 44.1 kHz: a chime starts at once after its click, and closing
// the output, which lets two buffers drain, takes no longer than a blink.
constexpr Uint16 bufferFrames = 256;

// SDL 2 does not lock its table of audio devices, so every open, close, start and
// shut-down of its audio, from any thread, goes through this one lock.
std::mutex sdlAudioLock;

SDL_AudioDeviceID openOutput()
{
    const std::lock_guard lock(sdlAudioLock);
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "３ｘ＋１の問題");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_ROLE, "event");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return 0;
    SDL_AudioSpec wanted{};
    wanted.freq = WaveFile::rate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 1;
    wanted.samples = bufferFrames;
    // Given no spec to fill in, SDL converts to whatever the device takes.
    const SDL_AudioDeviceID output = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (output == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    SDL_PauseAudioDevice(output, 0);
    return output;
}

void closeOutput(SDL_AudioDeviceID output)
{
    const std::lock_guard lock(sdlAudioLock);
    SDL_ClearQueuedAudio(output);
    SDL_CloseAudioDevice(output);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

// The first file found under the name decides: one that cannot be played is silent. A
// bare name is looked for, in order, in the working directory, the executable's folder,
// and the installed data folders.
Samples loadFirstFound(const std::string &fileName)
{
    std::vector<std::string> paths{fileName};
    if (!std::filesystem::u8path(fileName).has_parent_path()) {
        char *base = SDL_GetBasePath();
        const std::string here = base ? base : "";
        SDL_free(base);
        paths = {fileName, here + fileName, here + "../share/collatz/" + fileName,
                 std::string(COLLATZ_DATADIR "/") + fileName};
    }
    for (const std::string &path : paths) {
        std::error_code error;
        if (!std::filesystem::exists(std::filesystem::u8path(path), error))
            continue;
        auto samples = WaveFile::load(path);
        return samples ? std::make_shared<const std::vector<std::int16_t>>(std::move(*samples)) : nullptr;
    }
    return nullptr;
}

} // namespace

// What the caller's thread and the worker share. The caller's thread only ever clears
// and queues samples already decoded; the worker does everything that can take time:
// reading files, opening and closing the output. The worker holds it too, so that a
// worker stuck in SDL can outlive the player.
struct SdlChimePlayer::State {
    explicit State(ChimeTiming timing)
        : m_timing(timing)
    {
    }

    // The worker's steps that take time are done without the lock.
    void work()
    {
        std::unique_lock lock(m_mutex);
        for (Task task = Task::None; task != Task::Quit;) {
            const auto ready = [&] { return (task = nextTask()) != Task::None; };
            if (m_output != 0) {
                const Clock::time_point closeAt = m_closeAt;
                m_wake.wait_until(lock, closeAt, ready);
            } else {
                m_wake.wait(lock, ready);
            }
            if (task == Task::Decode) {
                const std::string name = m_toDecode.front();
                lock.unlock();
                Samples samples = loadFirstFound(name);
                lock.lock();
                m_chimes[name] = std::move(samples);
                m_toDecode.pop_front();
            } else if (task == Task::Close) {
                const SDL_AudioDeviceID output = std::exchange(m_output, 0);
                m_outputLost = false;
                lock.unlock();
                closeOutput(output);
                lock.lock();
            } else if (task == Task::Open) {
                lock.unlock();
                const SDL_AudioDeviceID output = openOutput();
                lock.lock();
                m_output = output;
                closeAfter(0);
                if (output == 0) {
                    m_nextAttempt = Clock::now() + m_timing.retryAfter;
                    m_pending.reset();
                }
            } else if (task == Task::Sound) {
                queue(m_chimes[*std::exchange(m_pending, std::nullopt)]);
            }
        }
        // SDL keeps an error buffer for every thread that has called it.
        SDL_TLSCleanup();
        m_ended.set_value();
    }

    enum class Task { None, Decode, Close, Open, Sound, Quit };

    // What the worker does next, by the state alone: at its end, it closes the output first.
    Task nextTask()
    {
        if (m_quitting)
            return m_output != 0 ? Task::Close : Task::Quit;
        if (!m_toDecode.empty())
            return Task::Decode;
        // An output that has fallen behind, on a busy machine, still has the chime's end to
        // play: it is given as long again as that takes.
        if (m_output != 0 && !m_outputLost && Clock::now() >= m_closeAt) {
            if (const Uint32 queued = SDL_GetQueuedAudioSize(m_output))
                closeAfter(queued / sizeof(std::int16_t));
        }
        if (m_output != 0 && (m_outputLost || Clock::now() >= m_closeAt))
            return Task::Close;
        if (!m_pending)
            return Task::None;
        const auto chime = m_chimes.find(*m_pending);
        if (chime == m_chimes.end() || !chime->second || (m_output == 0 && Clock::now() < m_nextAttempt)) {
            m_pending.reset();
            return Task::None;
        }
        return m_output != 0 ? Task::Sound : Task::Open;
    }

    void decodeLater(const std::string &name)
    {
        if (!m_chimes.count(name) && std::find(m_toDecode.begin(), m_toDecode.end(), name) == m_toDecode.end()) {
            m_toDecode.push_back(name);
            m_wake.notify_one();
        }
    }

    // Called with the lock held and the output open. Clearing and queueing under the
    // device's lock cuts from the old chime to the new one without a gap.
    void queue(const Samples &samples)
    {
        SDL_LockAudioDevice(m_output);
        SDL_ClearQueuedAudio(m_output);
        if (samples)
            SDL_QueueAudio(m_output, samples->data(), Uint32(samples->size() * sizeof(std::int16_t)));
        SDL_UnlockAudioDevice(m_output);
        closeAfter(samples ? samples->size() : 0);
        m_wake.notify_one();
    }

    // The output is closed once these frames have played and it has been idle a while.
    void closeAfter(std::size_t frames)
    {
        m_closeAt = Clock::now() + std::chrono::milliseconds(frames * 1000 / WaveFile::rate) + m_timing.closeWhenIdle;
    }

    const ChimeTiming m_timing;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    // Every chime asked for, once decoded: null when it cannot be played.
    std::map<std::string, Samples> m_chimes;
    std::deque<std::string> m_toDecode;
    // The chime to sound as soon as it and the output are ready.
    std::optional<std::string> m_pending;
    SDL_AudioDeviceID m_output = 0;
    bool m_outputLost = false;
    Clock::time_point m_closeAt, m_nextAttempt;
    bool m_quitting = false;
    // Kept when the worker has ended.
    std::promise<void> m_ended;
};

SdlChimePlayer::SdlChimePlayer(ChimeTiming timing)
    : m_state(std::make_shared<State>(timing))
    , m_worker([state = m_state] { state->work(); })
{
}

SdlChimePlayer::~SdlChimePlayer()
{
    {
        const std::lock_guard lock(m_state->m_mutex);
        m_state->m_quitting = true;
        m_state->m_wake.notify_one();
    }
    // The worker is waited for within the timing's endWithin, and otherwise left to end
    // on its own.
    if (m_state->m_ended.get_future().wait_for(m_state->m_timing.endWithin) == std::future_status::ready)
        m_worker.join();
    else
        m_worker.detach();
}

void SdlChimePlayer::play(std::string_view fileName)
{
    const std::string name(fileName);
    State &state = *m_state;
    const std::lock_guard lock(state.m_mutex);
    state.m_pending.reset();
    const auto chime = state.m_chimes.find(name);
    const SDL_AudioStatus status = state.m_output != 0 ? SDL_GetAudioDeviceStatus(state.m_output) : SDL_AUDIO_STOPPED;
    if (chime != state.m_chimes.end() && status == SDL_AUDIO_PLAYING) {
        state.queue(chime->second);
        return;
    }
    if (state.m_output != 0)
        SDL_ClearQueuedAudio(state.m_output);
    if (chime != state.m_chimes.end() && !chime->second)
        return;
    // The chime is not decoded yet, or the output is closed or went away (the sound
    // server restarted, the headset was pulled out): the worker sees to it and plays
    // the chime then.
    state.m_outputLost = state.m_output != 0 && status != SDL_AUDIO_PLAYING;
    state.m_pending = name;
    state.decodeLater(name);
    state.m_wake.notify_one();
}

void SdlChimePlayer::stop()
{
    const std::lock_guard lock(m_state->m_mutex);
    m_state->m_pending.reset();
    if (m_state->m_output != 0)
        SDL_ClearQueuedAudio(m_state->m_output);
}

void SdlChimePlayer::prepare(const std::vector<std::string> &fileNames)
{
    const std::lock_guard lock(m_state->m_mutex);
    for (const std::string &name : fileNames)
        m_state->decodeLater(name);
}

SdlChimePlayer::Output SdlChimePlayer::output() const
{
    const std::lock_guard lock(m_state->m_mutex);
    return m_state->m_output != 0 ? Output::Open : Clock::now() < m_state->m_nextAttempt ? Output::Unavailable : Output::Closed;
}

ChimePlayer *collatzNewChimePlayer(const char *const *chimes, int count)
{
    auto *player = new SdlChimePlayer;
    player->prepare(std::vector<std::string>(chimes, chimes + count));
    return player;
}
