// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// A start-up floor: the program's controls built plainly, at their places, with the
// nine lines of the problem in a plain label in the panel's font.

#include "ProgramText.h"
#include "QtText.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral(" ３ｘ＋１の問題（コラッツの問題）"));
    window.setFixedSize(698, 504);
    auto *line = new QFrame(&window);
    line->setFrameShape(QFrame::HLine);
    line->setGeometry(0, 24, 696, 1);
    (new QPushButton(QStringLiteral("終了"), &window))->setGeometry(0, 0, 57, 25);
    (new QPushButton(QStringLiteral("初期化"), &window))->setGeometry(640, 0, 57, 25);
    auto *panel = new QLabel(toQStringList(ProgramText::problemStatement).join(QLatin1Char('\n')), &window);
    panel->setGeometry(8, 32, 681, 161);
    panel->setFont(QFont(QStringLiteral("IPAPGothic"), 12));
    panel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    panel->setPalette(white);
    panel->setAutoFillBackground(true);
    (new QPlainTextEdit(&window))->setGeometry(8, 200, 681, 233);
    auto *label = new QLabel(&window);
    label->setGeometry(8, 448, 193, 17);
    label->setFont(QFont(QStringLiteral("IPAPGothic"), 12));
    auto *experiment = new QPushButton(QStringLiteral("実\u3000験"), &window);
    experiment->setGeometry(312, 448, 81, 41);
    experiment->setFocus();
    window.show();
    return app.exec();
}
