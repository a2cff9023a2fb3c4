#include "MMControl.h"

#include "WaveFile.h"

#include <SDL.h>

#include <thread>
#include <unistd.h>

namespace {

// How long to wait before asking again for an audio output that was not there, so
// that clicks stay quick on a machine without sound.
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

} // namespace

MMControl::MMControl() = default;

MMControl::~MMControl()
{
    if (m_output == 0)
        return;
    SDL_ClearQueuedAudio(m_output);
    // Closing waits for the sound server to drain; let that happen off this thread.
    std::thread([output = m_output] { SDL_CloseAudioDevice(output); }).detach();
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

bool MMControl::ensureOutput()
{
    if (m_output != 0)
        return true;
    const auto now = std::chrono::steady_clock::now();
    if (m_attempted && now - m_lastAttempt < retryAfter)
        return false;
    m_attempted = true;
    m_lastAttempt = now;

    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    SDL_AudioSpec wanted{};
    wanted.freq = WaveFile::rate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 1;
    wanted.samples = 4096;
    SDL_AudioSpec obtained{};
    // With no changes allowed SDL converts for us, so the queue takes the chime as it is.
    m_output = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (m_output == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(m_output, 0);
    return true;
}

void MMControl::stop()
{
    if (m_output != 0)
        SDL_ClearQueuedAudio(m_output);
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
    if (m_loaded.empty() || !ensureOutput())
        return;
    SDL_LockAudioDevice(m_output);
    SDL_ClearQueuedAudio(m_output);
    SDL_QueueAudio(m_output, m_loaded.data(), Uint32(m_loaded.size() * sizeof(std::int16_t)));
    SDL_UnlockAudioDevice(m_output);
}
