// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "Panel.h"
#include "Services.h"

#include <string>

// What the graph's and the survey's panels have in common: whether the panel is open, a
// note it says for a few seconds, its link copied, and its view shown to the face.
class PanelModel {
public:
    // Shows the panel and brings it into view.
    void open() { show(true); }
    void close() { m_open = false; }
    virtual Panel::View view() const = 0;

protected:
    PanelModel(Services &services, Panel::Id id);
    ~PanelModel() = default;

    // Shows the panel anew where it is open, or opens it and brings it into view.
    void show(bool bringIntoView);
    void update() { show(false); }
    // Says this in the panel for a few seconds.
    void say(std::u16string_view note);
    void copyLink(const std::string &form);
    // A view of the panel with every control as its table has it, and the note.
    Panel::View blank() const;

    Services &m_services;

private:
    Panel::Id m_id;
    bool m_open = false;
    std::u16string m_note;
    // Each note's number: the end of an earlier one's few seconds leaves a later one.
    unsigned m_said = 0;
};
