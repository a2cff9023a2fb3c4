// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <QStringList>

// Where the program's own libraries are, the chime player's and the graph's and survey's
// windows': beside the program, as in the build folder, or in their installed folder. The
// program loads them when first needed, since SDL and Qt SVG, with all they bring, take
// longer to load than the window takes to build.

// The folders beside the program and the installed one, asked for on the window's thread.
QStringList programLibraryFolders();
// The entry point of the named library in these folders, loading it if need be; null when
// it cannot be found or loaded, with the reason in *error. Usable from any thread.
QFunctionPointer programLibraryEntry(const QStringList &folders, const QString &library, const char *entryPoint, QString *error);
