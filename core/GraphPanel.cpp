// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "GraphPanel.h"

#include <algorithm>
#include <cmath>

GraphPanel::GraphPanel(Services &services)
    : PanelModel(services, Panel::Id::Graph)
    , m_drawing(GraphFigures({}), false)
{
}

void GraphPanel::draw(const std::vector<double> &starts, bool bringIntoView)
{
    m_drawing = GraphDrawing(GraphFigures(starts), m_logScale);
    m_svg.reset();
    show(bringIntoView);
}

void GraphPanel::act(Layout::Action action, double a, double b)
{
    const GraphFigures &figures = m_drawing.figures();
    switch (action) {
    case Layout::Action::LogScale:
        m_logScale = a != 0;
        m_drawing = GraphDrawing(figures, m_logScale);
        m_svg.reset();
        return update();
    case Layout::Action::CloseGraph: return close();
    default: break;
    }
    if (figures.paths().empty())
        return;
    switch (action) {
    case Layout::Action::SavePicture: {
        // Twice the size it is shown at, for a sharp print or slide.
        const auto twice = [](double shown) { return 2 * int(std::lround(std::clamp(shown, 1.0, 10000.0))); };
        return m_services.save({figures.fileName("png"), m_drawing.svg(twice(a), twice(b)), true, ProgramText::savePictureTitle,
                                ProgramText::pictureFiles});
    }
    case Layout::Action::SaveTable:
        return m_services.save({figures.fileName("csv"), figures.table(), false, ProgramText::saveTableTitle, ProgramText::tableFiles});
    case Layout::Action::CopyGraphLink: return copyLink(figures.link());
    default: return;
    }
}

std::u16string GraphPanel::valueAt(double x, double y) const
{
    const std::optional<GraphDrawing::Point> at = m_drawing.pointAt(x, y);
    return at ? m_drawing.figures().valueAt(at->path, at->step) : std::u16string();
}

Panel::View GraphPanel::view() const
{
    const GraphFigures &figures = m_drawing.figures();
    if (!m_svg)
        m_svg = std::make_shared<const std::string>(m_drawing.svg());
    Panel::View view = blank();
    view.title = figures.title();
    view.summary = figures.summary();
    view.drawing = m_svg;
    view["logScale"].checked = m_logScale;
    for (const char *id : {"savePicture", "saveTable", "copyGraphLink"})
        view[id].enabled = !figures.paths().empty();
    return view;
}
