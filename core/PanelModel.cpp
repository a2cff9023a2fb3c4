// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "PanelModel.h"

namespace {

// Long enough to be read, short enough not to stay beside what it no longer speaks of.
constexpr int noteMilliseconds = 5000;

} // namespace

PanelModel::PanelModel(Services &services, Panel::Id id)
    : m_services(services)
    , m_id(id)
{
}

void PanelModel::show(bool bringIntoView)
{
    m_open = m_open || bringIntoView;
    if (m_open)
        m_services.showPanel(view(), bringIntoView);
}

void PanelModel::say(std::u16string_view note)
{
    m_note = note;
    update();
    m_services.later([this, said = ++m_said] {
        if (said != m_said)
            return;
        m_note.clear();
        update();
    }, noteMilliseconds);
}

void PanelModel::copyLink(const std::string &form)
{
    m_services.copyLink(form, [this](bool copied) { say(copied ? ProgramText::linkCopied : ProgramText::linkNotCopied); });
}

Panel::View PanelModel::blank() const
{
    Panel::View view;
    view.id = m_id;
    view.note = m_note;
    view.controls.resize(view.table().count);
    return view;
}
