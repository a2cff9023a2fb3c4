// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "PanelModel.h"
#include "Survey.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <vector>

// The survey's panel: a range worked out a slice at a time, which a new survey or 中止
// cancels; its progress, its summary, drawing and records, the records ticked to compare,
// and its files and link.
class SurveyPanel final : public PanelModel {
public:
    explicit SurveyPanel(Services &services);

    // Surveys this range, which must be one; brings the panel into view.
    void survey(std::uint32_t first, std::uint32_t last);
    // 中止, a tick (the start, then a nought or not), a table saved, the link copied, the
    // panel closed.
    void act(Layout::Action action, double a, double b);
    // The starts ticked, by start: none, with a note of what to do, where none or too many are.
    std::vector<double> compared();
    // The start drawn nearest to a point of the drawing, once the survey is done.
    std::optional<std::uint32_t> startAt(double x, double y) const;
    // Cancels the survey and forgets it, as at first; the range stays.
    void clear();
    Panel::View view() const override;

private:
    enum class Stage { NotYet, Running, Cancelled, Done };
    void slice(unsigned run);
    void cancel();

    std::uint32_t m_first = 3, m_last = 100;
    Stage m_stage = Stage::NotYet;
    double m_progress = 0;
    std::unique_ptr<Survey> m_survey;
    std::shared_ptr<const std::string> m_drawing;
    std::shared_ptr<const std::vector<Panel::RecordRow>> m_records;
    std::set<std::uint32_t> m_ticked;
    // Each survey's slices carry its number: those of a cancelled one do nothing.
    unsigned m_run = 0;
};
