// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "CueDevice.h"

#include <memory>
#include <string>
#include <vector>

// The chime player: it decodes each chime once, on a thread of its own, and keeps one
// SDL audio output open, so that the four commands never wait for a file, the output
// or the sound. It has no window and reports no errors: a chime it cannot play is
// silent.
class MMControl final : public CueDevice {
public:
    MMControl();
    // Cuts off a chime still sounding and closes the output without waiting for it.
    ~MMControl() override;

    void setCommand(std::string_view command) override;
    void setFileName(std::string_view fileName) override;

    // Reads these chimes and opens the output in the background, ahead of their first cue.
    void prepare(const std::vector<std::string> &fileNames);

    // Where a bare file name is looked for, in order: the working directory, the
    // executable's folder, and the installed data folders.
    static std::vector<std::string> searchPath(const std::string &fileName);

private:
    class Player;

    std::string m_fileName;
    // The chime the last "Open" chose; "Close" forgets it.
    std::string m_opened;
    std::unique_ptr<Player> m_player;
};
