#pragma once

#include "CueDevice.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The chime player: one SDL audio output, opened at the first cue and kept open, on
// which the four commands act without ever waiting for the sound or the output. It
// has no window of its own and reports no errors: a file it cannot play is silent.
class MMControl final : public CueDevice {
public:
    MMControl();
    ~MMControl() override;

    void setCommand(std::string_view command) override;
    void setFileName(std::string_view fileName) override;

    // Where a bare file name is looked for, in order: the working directory, the
    // executable's folder, and the installed data folders.
    static std::vector<std::string> searchPath(const std::string &fileName);

private:
    struct Output;

    void stop();
    void close();
    void open();
    void sound();

    std::string m_fileName;
    std::vector<std::int16_t> m_loaded;
    // Shared with the thread that opens the output, which may outlive this object.
    std::shared_ptr<Output> m_output;
};
