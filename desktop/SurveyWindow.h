// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "Services.h"

#include <QWidget>

#include <cstdint>

class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class SvgView;

// まとめて調べる in a window of its own: the range, 調べる and 中止 with the progress between,
// and the finished survey as the shared drawing shows it, its summary, its records, saving
// its tables and copying its link. A click on a start runs its experiment.
class SurveyWindow : public QWidget {
    Q_OBJECT
public:
    explicit SurveyWindow(QWidget *mainWindow);

    void draw(const SurveyView &view);

signals:
    void surveyAsked(std::uint32_t first, std::uint32_t last);
    void cancelAsked();
    void startChosen(std::uint32_t start);
    void compareAsked(const QString &starts);

private:
    SurveyView m_view;
    QSpinBox *m_first;
    QSpinBox *m_last;
    QPushButton *m_run;
    QPushButton *m_cancel;
    QProgressBar *m_progress;
    QLabel *m_summary;
    SvgView *m_plot;
    QTableWidget *m_records;
    QPushButton *m_compare;
    QPushButton *m_saveTable;
    QPushButton *m_saveRecords;
    QPushButton *m_copyLink;
};
