// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "ProgramLibraries.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

ProgramLibraries::ProgramLibraries()
{
    const QDir here(QCoreApplication::applicationDirPath());
    m_folders = QStringList{here.path(), QDir::cleanPath(here.filePath(QStringLiteral(COLLATZ_LIBRARY_FROM_PROGRAM)))};
}

QFunctionPointer ProgramLibraries::entry(const QString &library, const char *entryPoint) const
{
    for (const QString &folder : m_folders) {
        QLibrary candidate(QDir(folder).filePath(library));
        if (QFunctionPointer found = candidate.resolve(entryPoint))
            return found;
    }
    return nullptr;
}
