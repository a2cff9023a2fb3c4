#pragma once

#include <string_view>

class CueDevice;

// Cuts off any chime still sounding and starts the named wave file from its first
// sample; returns at once and reports nothing, whether or not the file could be played.
void PlayCue(CueDevice &device, std::string_view fileName);
