// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <QStringList>

// Where the program's own libraries are, the chime player's and the graph's and survey's
// windows': beside the program, as in the build folder, or in their installed folder. The
// program loads them when first needed, since SDL and Qt SVG, with all they bring, take
// longer to load than the window takes to build. Made on the window's thread; usable from
// any.
class ProgramLibraries {
public:
    // The folders beside the program and the installed one.
    ProgramLibraries();
    explicit ProgramLibraries(QStringList folders);

    // The entry point of the named library, loading it if need be; null when it cannot
    // be found or loaded, with the reason in *error.
    QFunctionPointer entry(const QString &library, const char *entryPoint, QString *error) const;

private:
    QStringList m_folders;
};
