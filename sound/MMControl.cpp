#include "MMControl.h"

#include "WaveFile.h"

#include <SDL.h>

#include <chrono>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace {

// How long to wait before asking again for an audio output that was not there.
constexpr std::chrono::seconds retryAfter{30};

std::string executableFolder()
{
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return {};
    std::string folder(path, std::size_t(length));
    return folder.substr(0, folder.rfind('/') + 1);
}

bool exists(const std::string &path)
{
    return access(path.c_str(), R_OK) == 0;
}

SDL_AudioDeviceID openOutput()
{
    // SDL's set-up is not safe to run twice at once, as two players opening at the
    // same moment would.
    static std::mutex settingUp;
    const std::lock_guard lock(settingUp);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return 0;
    SDL_AudioSpec wanted{};
    wanted.freq = WaveFile::rate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 1;
    wanted.samples = 4096;
    SDL_AudioSpec obtained{};
    // With no changes allowed SDL converts for us, so the queue takes the chime as it is.
    const SDL_AudioDeviceID output = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (output == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    SDL_PauseAudioDevice(output, 0);
    return output;
}

void queue(SDL_AudioDeviceID output, const std::vector<std::int16_t> &samples)
{
    SDL_LockAudioDevice(output);
    SDL_ClearQueuedAudio(output);
    SDL_QueueAudio(output, samples.data(), Uint32(samples.size() * sizeof(std::int16_t)));
    SDL_UnlockAudioDevice(output);
}

} // namespace

// Opening the output can take from a few milliseconds to a tenth of a second (longer
// where no sound server answers), so it happens on a thread of its own; a cue given
// meanwhile waits here and sounds as soon as the output is there.
struct MMControl::Output {
    std::mutex mutex;
    SDL_AudioDeviceID id = 0;
    bool opening = false;
    bool attempted = false;
    std::chrono::steady_clock::time_point lastAttempt;
    std::vector<std::int16_t> waiting;
};

MMControl::MMControl()
    : m_output(std::make_shared<Output>())
{
}

MMControl::~MMControl()
{
    const std::lock_guard lock(m_output->mutex);
    m_output->waiting.clear();
    if (m_output->id == 0)
        return;
    SDL_ClearQueuedAudio(m_output->id);
    // Closing waits for the sound server to drain; let that happen off this thread.
    std::thread([output = m_output->id] { SDL_CloseAudioDevice(output); }).detach();
    m_output->id = 0;
}

std::vector<std::string> MMControl::searchPath(const std::string &fileName)
{
    if (fileName.find('/') != std::string::npos)
        return {fileName};
    const std::string here = executableFolder();
    return {fileName, here + fileName, here + "../share/collatz/" + fileName,
            std::string(COLLATZ_DATADIR "/") + fileName};
}

void MMControl::setFileName(std::string_view fileName)
{
    m_fileName = fileName;
}

void MMControl::setCommand(std::string_view command)
{
    if (command == "Stop")
        stop();
    else if (command == "Close")
        close();
    else if (command == "Open")
        open();
    else if (command == "Sound")
        sound();
}

void MMControl::stop()
{
    const std::lock_guard lock(m_output->mutex);
    m_output->waiting.clear();
    if (m_output->id != 0)
        SDL_ClearQueuedAudio(m_output->id);
}

void MMControl::close()
{
    m_loaded.clear();
    m_loaded.shrink_to_fit();
}

void MMControl::open()
{
    for (const std::string &path : searchPath(m_fileName)) {
        if (!exists(path))
            continue;
        if (auto samples = WaveFile::load(path))
            m_loaded = std::move(*samples);
        return;
    }
}

void MMControl::sound()
{
    if (m_loaded.empty())
        return;
    const std::lock_guard lock(m_output->mutex);
    if (m_output->id != 0) {
        queue(m_output->id, m_loaded);
        return;
    }
    m_output->waiting = m_loaded;
    const auto now = std::chrono::steady_clock::now();
    if (m_output->opening || (m_output->attempted && now - m_output->lastAttempt < retryAfter))
        return;
    m_output->opening = m_output->attempted = true;
    m_output->lastAttempt = now;
    std::thread([output = m_output] {
        const SDL_AudioDeviceID id = openOutput();
        const std::lock_guard lock(output->mutex);
        output->opening = false;
        output->id = id;
        if (id != 0 && !output->waiting.empty())
            queue(id, output->waiting);
        output->waiting.clear();
    }).detach();
}
