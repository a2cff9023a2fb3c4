// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "SaveFile.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QSaveFile>
#include <QStandardPaths>

void saveFile(QWidget *parent, const QString &what, const QString &suggestedName, const QString &filter,
              const std::function<bool(QIODevice &)> &write)
{
    // The dialog goes back to the folder used last when the suggested one does not exist,
    // and lists it in full: a folder of devices, such as /proc, can then hold it up.
    QDir folder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    if (!folder.exists())
        folder = QDir::home();
    const QString path = QFileDialog::getSaveFileName(parent, what, folder.filePath(suggestedName), filter);
    if (path.isEmpty())
        return;
    // Written beside the target and renamed over it only when complete, so a failure
    // leaves nothing half-written behind.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && write(file) && file.commit())
        return;
    QMessageBox::warning(parent, QStringLiteral("保存できませんでした"),
                         QStringLiteral("「%1」に保存できませんでした。\n%2").arg(QDir::toNativeSeparators(path), file.errorString()));
}
