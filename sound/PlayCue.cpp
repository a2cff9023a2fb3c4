#include "PlayCue.h"

#include "CueDevice.h"

void PlayCue(CueDevice &device, std::string_view fileName)
{
    device.setCommand("Stop");
    device.setCommand("Close");
    device.setFileName(fileName);
    device.setCommand("Open");
    device.setCommand("Sound");
}
