// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "MMControl.h"

#include "WaveFile.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>
#include <utility>

namespace {

using Samples = std::shared_ptr<const std::vector<std::int16_t>>;
using Clock = std::chrono::steady_clock;

// How long to wait before asking again for an audio output that was not there.
constexpr std::chrono::seconds retryAfter{30};
// An open output costs a little CPU all the time, so it is closed this long after the
// last chime has ended, and opened again, in about 2 ms, at the next cue.
constexpr std::chrono::seconds closeWhenIdleFor{3};
// 256 frames are 6 ms at 44.1 kHz: a chime starts at once after its click, and closing
// the output, which lets two buffers drain, takes no longer than a blink.
constexpr Uint16 bufferFrames = 256;

// SDL 2 does not lock its table of audio devices, so every open, close, start and
// shut-down of its audio, from any thread, goes through this one lock.
std::mutex &sdlAudioLock()
{
    static std::mutex lock;
    return lock;
}

SDL_AudioDeviceID openOutput()
{
    const std::lock_guard lock(sdlAudioLock());
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
    const std::lock_guard lock(sdlAudioLock());
    SDL_ClearQueuedAudio(output);
    SDL_CloseAudioDevice(output);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

// The first file found under the name decides: one that cannot be played is silent.
Samples loadFirstFound(const std::string &fileName)
{
    for (const std::string &path : MMControl::searchPath(fileName)) {
        std::error_code error;
        if (!std::filesystem::exists(std::filesystem::u8path(path), error))
            continue;
        auto samples = WaveFile::load(path);
        return samples ? std::make_shared<const std::vector<std::int16_t>>(std::move(*samples)) : nullptr;
    }
    return nullptr;
}

} // namespace

// The decoded chimes and the output, shared by the caller's thread, which only ever
// clears and queues samples already decoded, and a worker thread, which does
// everything that can take time: reading files, opening and closing the output.
class MMControl::Player {
public:
    Player()
        : m_worker([this] { run(); })
    {
    }

    ~Player()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_quitting = true;
        }
        m_wake.notify_one();
        m_worker.join();
    }

    void prepare(const std::vector<std::string> &fileNames)
    {
        const std::lock_guard lock(m_mutex);
        for (const std::string &name : fileNames)
            decodeLater(name);
    }

    void request(const std::string &name)
    {
        const std::lock_guard lock(m_mutex);
        decodeLater(name);
    }

    void stop()
    {
        const std::lock_guard lock(m_mutex);
        m_waiting.clear();
        if (m_output != 0)
            SDL_ClearQueuedAudio(m_output);
    }

    void sound(const std::string &name)
    {
        const std::lock_guard lock(m_mutex);
        const auto chime = m_chimes.find(name);
        if (chime != m_chimes.end() && !chime->second)
            return;
        const SDL_AudioStatus status = m_output != 0 ? SDL_GetAudioDeviceStatus(m_output) : SDL_AUDIO_STOPPED;
        if (chime != m_chimes.end() && status == SDL_AUDIO_PLAYING) {
            queue(*chime->second);
            return;
        }
        // The output went away (the sound server restarted, the headset was pulled out)
        // or the chime is not decoded yet: the worker sees to it and plays it then.
        m_outputLost = m_output != 0 && status == SDL_AUDIO_STOPPED;
        m_outputWanted = true;
        m_waiting = name;
        decodeLater(name);
        m_wake.notify_one();
    }

private:
    void decodeLater(const std::string &name)
    {
        if (!m_chimes.count(name) && std::find(m_toDecode.begin(), m_toDecode.end(), name) == m_toDecode.end()) {
            m_toDecode.push_back(name);
            m_wake.notify_one();
        }
    }

    // Called with the lock held and the output open. Clearing and queueing under the
    // device's lock cuts from the old chime to the new one without a gap.
    void queue(const std::vector<std::int16_t> &samples)
    {
        SDL_LockAudioDevice(m_output);
        SDL_ClearQueuedAudio(m_output);
        SDL_QueueAudio(m_output, samples.data(), Uint32(samples.size() * sizeof(std::int16_t)));
        SDL_UnlockAudioDevice(m_output);
        m_closeAt = Clock::now() + std::chrono::milliseconds(samples.size() * 1000 / WaveFile::rate) + closeWhenIdleFor;
        m_wake.notify_one();
    }

    bool hasWork() const
    {
        return !m_toDecode.empty() || m_outputLost || (m_outputWanted && m_output == 0);
    }

    void run()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            const auto woken = [this] { return m_quitting || hasWork(); };
            if (m_output == 0)
                m_wake.wait(lock, woken);
            else if (!m_wake.wait_until(lock, m_closeAt, woken) && Clock::now() >= m_closeAt)
                m_outputIdle = true;
            if (m_quitting)
                break;
            if (!m_toDecode.empty()) {
                const std::string name = m_toDecode.front();
                lock.unlock();
                Samples samples = loadFirstFound(name);
                lock.lock();
                m_chimes[name] = std::move(samples);
                m_toDecode.erase(m_toDecode.begin());
            } else if (m_outputLost || m_outputIdle) {
                const SDL_AudioDeviceID output = std::exchange(m_output, 0);
                m_outputLost = m_outputIdle = false;
                lock.unlock();
                closeOutput(output);
                lock.lock();
            } else if (m_outputWanted && m_output == 0) {
                m_outputWanted = false;
                if (Clock::now() < m_nextAttempt) {
                    m_waiting.clear();
                    continue;
                }
                lock.unlock();
                const SDL_AudioDeviceID output = openOutput();
                lock.lock();
                m_output = output;
                if (output == 0) {
                    m_nextAttempt = Clock::now() + retryAfter;
                    m_waiting.clear();
                }
            }
            // A cue given while its chime or the output was not ready sounds now.
            const auto chime = m_chimes.find(m_waiting);
            if (m_output != 0 && chime != m_chimes.end()) {
                if (chime->second)
                    queue(*chime->second);
                m_waiting.clear();
            }
        }
        if (m_output != 0)
            closeOutput(std::exchange(m_output, 0));
        lock.unlock();
        // SDL keeps an error buffer for every thread that has called it.
        SDL_TLSCleanup();
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    // Every chime asked for, once decoded: null when it cannot be played.
    std::map<std::string, Samples> m_chimes;
    std::vector<std::string> m_toDecode;
    // The chime to sound as soon as it and the output are ready.
    std::string m_waiting;
    SDL_AudioDeviceID m_output = 0;
    bool m_outputWanted = false;
    bool m_outputLost = false;
    bool m_outputIdle = false;
    Clock::time_point m_closeAt;
    Clock::time_point m_nextAttempt;
    bool m_quitting = false;
    // Last, so that the thread starts once everything it uses exists.
    std::thread m_worker;
};

MMControl::MMControl()
    : m_player(std::make_unique<Player>())
{
}

MMControl::~MMControl() = default;

std::vector<std::string> MMControl::searchPath(const std::string &fileName)
{
    if (std::filesystem::u8path(fileName).has_parent_path())
        return {fileName};
    std::string here;
    if (char *base = SDL_GetBasePath()) {
        here = base;
        SDL_free(base);
    }
    return {fileName, here + fileName, here + "../share/collatz/" + fileName,
            std::string(COLLATZ_DATADIR "/") + fileName};
}

void MMControl::prepare(const std::vector<std::string> &fileNames)
{
    m_player->prepare(fileNames);
}

void MMControl::setFileName(std::string_view fileName)
{
    m_fileName = fileName;
}

void MMControl::setCommand(std::string_view command)
{
    if (command == "Stop") {
        m_player->stop();
    } else if (command == "Close") {
        m_opened.clear();
    } else if (command == "Open") {
        m_opened = m_fileName;
        m_player->request(m_opened);
    } else if (command == "Sound" && !m_opened.empty()) {
        m_player->sound(m_opened);
    }
}

CueDevice *collatzNewChimePlayer(const char *const *chimes, int count)
{
    auto *player = new MMControl;
    player->prepare(std::vector<std::string>(chimes, chimes + count));
    return player;
}
