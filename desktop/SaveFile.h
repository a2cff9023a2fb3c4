// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

#include <functional>

class QIODevice;
class QWidget;

// Asks where to save, offering this name in the documents folder, and writes the file there
// whole or not at all; a file that cannot be written is said so.
void saveFile(QWidget *parent, const QString &what, const QString &suggestedName, const QString &filter,
              const std::function<bool(QIODevice &)> &write);
