// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "PanelWindow.h"
#include "Panels.h"
#include "QtText.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QSaveFile>
#include <QStandardPaths>
#include <QSvgRenderer>

#include <array>

namespace {

// The panels' windows, each made when first shown, and the files they save.
class PanelWindows final : public Panels {
public:
    PanelWindows(QWidget *mainWindow, WindowModel *model)
        : m_mainWindow(mainWindow)
        , m_model(model)
    {
    }

    void showPanel(const Panel::View &view, bool bringIntoView) override
    {
        PanelWindow *&window = m_windows[std::size_t(view.id)];
        if (!window)
            window = new PanelWindow(view.table(), m_mainWindow, m_model);
        window->showView(view, bringIntoView);
    }

    void save(const SavedFile &file) override
    {
        QWidget *parent = QApplication::activeWindow() ? QApplication::activeWindow() : m_mainWindow;
        // The dialog goes back to the folder used last when the suggested one does not exist,
        // and lists it in full: a folder of devices, such as /proc, can then hold it up.
        QDir folder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
        if (!folder.exists())
            folder = QDir::home();
        const QString path = QFileDialog::getSaveFileName(parent, toQString(file.title), folder.filePath(QString::fromStdString(file.name)),
                                                          toQString(file.filter));
        if (path.isEmpty())
            return;
        const QByteArray contents = QByteArray::fromStdString(file.contents);
        QImage picture;
        if (file.picture) {
            QSvgRenderer drawing(contents);
            picture = QImage(drawing.defaultSize(), QImage::Format_ARGB32_Premultiplied);
            picture.fill(Qt::white);
            QPainter painter(&picture);
            drawing.render(&painter);
        }
        // Written beside the target and renamed over it only when complete, so a failure
        // leaves nothing half-written behind.
        QSaveFile saved(path);
        if (saved.open(QIODevice::WriteOnly) && (file.picture ? picture.save(&saved, "PNG") : saved.write(contents) == contents.size()) && saved.commit())
            return;
        QMessageBox::warning(parent, toQString(ProgramText::notSavedTitle),
                             toQString(ProgramText::quote) + QDir::toNativeSeparators(path) + toQString(ProgramText::notSaved) + QLatin1Char('\n')
                                 + saved.errorString());
    }

private:
    QWidget *m_mainWindow;
    WindowModel *m_model;
    // Children of the main window, which close with it.
    std::array<PanelWindow *, Panel::tables.size()> m_windows{};
};

} // namespace

Panels *collatzNewPanels(QWidget *mainWindow, WindowModel *model)
{
    return new PanelWindows(mainWindow, model);
}
