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

    // Prints these lines, the font condensed just enough for the widest of them to fit
    // the width, and the line spacing tightened, if need be, for all of them to fit the
    // height.
    void print(const QStringList &lines);

    int lineAdvance() const { return m_lineAdvance; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QStringList m_lines;
    int m_lineAdvance = 0;
    int m_baseline = 0;
};
