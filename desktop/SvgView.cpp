// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "SvgView.h"

#include "Svg.h"

#include <QMouseEvent>
#include <QPainter>

SvgView::SvgView(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(320, 165);
}

void SvgView::load(const std::string &svg)
{
    m_renderer.load(QByteArray::fromStdString(svg));
    update();
}

QRectF SvgView::drawn() const
{
    QSizeF size(Svg::width, Svg::height);
    size.scale(QSizeF(this->size()), Qt::KeepAspectRatio);
    return QRectF(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size);
}

QPointF SvgView::inDrawing(QPointF position) const
{
    const QRectF place = drawn();
    return QPointF((position.x() - place.left()) * Svg::width / place.width(), (position.y() - place.top()) * Svg::height / place.height());
}

void SvgView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    m_renderer.render(&painter, drawn());
}

void SvgView::mouseMoveEvent(QMouseEvent *event)
{
    emit pointedAt(inDrawing(event->position()), event->globalPosition().toPoint());
}

void SvgView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit clickedAt(inDrawing(event->position()));
}
