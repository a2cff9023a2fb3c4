// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "GraphDrawing.h"
#include "PanelModel.h"

#include <memory>
#include <vector>

// The graph's panel: the experiments it draws, the last one's or up to four compared, on a
// linear or a logarithmic axis, the value under a point of it, and its files and link. It
// keeps its drawing until they change.
class GraphPanel final : public PanelModel {
public:
    explicit GraphPanel(Services &services);

    // These experiments from now on: the last one's, none, or those compared; brought into
    // view when asked to.
    void draw(const std::vector<double> &starts, bool bringIntoView = false);
    // 対数目盛 (a nought or not), a picture (its size shown) or the table saved, the link
    // copied, the panel closed.
    void act(Layout::Action action, double a, double b);
    // "77 ステップ目：9,232", or nothing where there is no experiment.
    std::u16string valueAt(double x, double y) const;
    Panel::View view() const override;

private:
    bool m_logScale = false;
    GraphDrawing m_drawing;
    // Its SVG, written when first shown.
    mutable std::shared_ptr<const std::string> m_svg;
};
