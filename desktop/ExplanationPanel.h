// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <QImage>
#include <QStringList>
#include <QWidget>

// A white surface that lines of text are printed into, one below the other,
// kept in a retained image so they survive being covered. It does not wrap text.
class ExplanationPanel : public QWidget {
    Q_OBJECT
public:
    explicit ExplanationPanel(QWidget *parent = nullptr);

    // Condenses the font just enough for the widest of these lines to fit the width,
    // and tightens the line spacing, if need be, for all of them to fit the height.
    void fitTo(const QStringList &lines);
    void printLine(const QString &text = QString());

    const QStringList &printedLines() const { return m_lines; }
    int lineAdvance() const { return m_lineAdvance; }
    // The retained image, in device pixels.
    const QImage &image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void render();
    void drawLine(QPainter &painter, int index) const;

    QStringList m_lines;
    QImage m_image;
    int m_lineAdvance = 0;
    int m_baseline = 0;
};
