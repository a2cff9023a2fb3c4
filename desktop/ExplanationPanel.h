// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <QStringList>
#include <QWidget>

// A white surface that lines of text are printed into, one below the other, drawn again
// whenever it is uncovered. It does not wrap text.
class ExplanationPanel : public QWidget {
    Q_OBJECT
public:
    explicit ExplanationPanel(QWidget *parent = nullptr);

    // Condenses the font just enough for the widest of these lines to fit the width,
    // and tightens the line spacing, if need be, for all of them to fit the height.
    void fitTo(const QStringList &lines);
    void printLine(const QString &text = QString());

    int lineAdvance() const { return m_lineAdvance; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QStringList m_lines;
    int m_lineAdvance = 0;
    int m_baseline = 0;
};
