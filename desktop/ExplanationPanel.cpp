// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "ExplanationPanel.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <algorithm>
#include <cmath>

namespace {

// The narrowest the font may be condensed to; a line wider than that is cut off.
constexpr int minimumStretch = 50;

int widestLine(const QFont &font, const QStringList &lines)
{
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const QString &line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

} // namespace

ExplanationPanel::ExplanationPanel(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::TabFocus);
}

void ExplanationPanel::print(const QStringList &lines)
{
    // The last column stays free so that nothing touches the panel's right edge.
    const int room = width() - 1;
    QFont fitted = font();
    fitted.setStretch(QFont::Unstretched);
    const int widest = widestLine(fitted, lines);
    if (widest > room) {
        // Advances shrink about in proportion to the stretch, so the first guess
        // nearly always fits; glyphs from a fallback font may not, hence the check.
        int stretch = std::max(minimumStretch, room * 100 / widest);
        fitted.setStretch(stretch);
        while (stretch > minimumStretch && widestLine(fitted, lines) > room)
            fitted.setStretch(--stretch);
    }
    setFont(fitted);

    const QFontMetrics metrics(fitted);
    const int spacing = metrics.lineSpacing();
    m_lineAdvance = lines.isEmpty() ? spacing : std::min(spacing, height() / int(lines.size()));
    m_baseline = metrics.ascent();
    if (m_lineAdvance < spacing) {
        // The lines are packed closer than the font asks, so centre their ink in each
        // row instead of the font's box, which keeps every line clear of the next.
        // The ink of all the lines, from the baseline's row at least.
        QRect ink(0, 0, 1, 1);
        for (const QString &line : lines)
            ink |= metrics.tightBoundingRect(line);
        m_baseline = -ink.top() + std::max(0, (m_lineAdvance - ink.height()) / 2);
    }
    m_lines = lines;
    update();
}

void ExplanationPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    // The background is always white, so the ink is always black, whatever the theme.
    painter.setPen(Qt::black);
    for (int index = 0; index < m_lines.size(); ++index)
        painter.drawText(0, index * m_lineAdvance + m_baseline, m_lines.at(index));
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(1, 1, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}
