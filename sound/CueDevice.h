#pragma once

#include <string_view>

// A wave-audio device driven only by storing strings into two properties: a command
// ("Stop", "Close", "Open", "Sound") and the file the next "Open" opens.
class CueDevice {
public:
    virtual ~CueDevice() = default;
    virtual void setCommand(std::string_view command) = 0;
    virtual void setFileName(std::string_view fileName) = 0;
};
