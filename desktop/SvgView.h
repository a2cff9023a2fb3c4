// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <QSvgRenderer>
#include <QWidget>

#include <string>

// One of the core's drawings, as large as the widget lets it be at its own proportions and
// sharp at any scale; it tells where the pointer is and where it clicks, in the drawing's
// own units.
class SvgView : public QWidget {
    Q_OBJECT
public:
    explicit SvgView(QWidget *parent = nullptr);

    void load(const std::string &svg);
    // Where the drawing is, within the widget.
    QRectF drawn() const;

signals:
    void pointedAt(QPointF point, QPoint global);
    void clickedAt(QPointF point);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPointF inDrawing(QPointF position) const;

    QSvgRenderer m_renderer;
};
