// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

class QCoreApplication;

// Makes Qt's own texts (the standard context menus, dialog buttons, file dialogs) and
// its number and date formats Japanese, whatever the user's locale: the program speaks
// Japanese only. Where Qt's translations are not installed, they stay English.
void installJapaneseTranslations(QCoreApplication &application);
