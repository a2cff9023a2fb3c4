// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "ProgramLibraries.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

QStringList programLibraryFolders()
{
    const QDir here(QCoreApplication::applicationDirPath());
    return QStringList{here.path(), QDir::cleanPath(here.filePath(QStringLiteral(COLLATZ_LIBRARY_FROM_PROGRAM)))};
}

QFunctionPointer programLibraryEntry(const QStringList &folders, const QString &library, const char *entryPoint, QString *error)
{
    *error = QStringLiteral("%1 is in none of the folders %2").arg(library, folders.join(QStringLiteral(", ")));
    for (const QString &folder : folders) {
        QLibrary candidate(QDir(folder).filePath(library));
        if (QFunctionPointer found = candidate.resolve(entryPoint))
            return found;
        // A library that is there but cannot be loaded says more than the folders
        // where it is not.
        if (!QDir(folder).entryList({QStringLiteral("*%1.*").arg(library)}, QDir::Files).isEmpty())
            *error = candidate.errorString();
    }
    return nullptr;
}
