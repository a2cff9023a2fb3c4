// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "PanelWindow.h"

#include "Experiment.h"
#include "QtText.h"
#include "SvgView.h"
#include "WindowModel.h"

#include <QAccessibleWidget>
#include <QBoxLayout>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolTip>

using Panel::Role;

namespace {

// A drawing is a graphic to screen readers, named by its control and described by the summary.
QAccessibleInterface *drawingAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("SvgView"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Graphic);
    return nullptr;
}

} // namespace

PanelWindow::PanelWindow(const Panel::Table &table, QWidget *mainWindow, WindowModel *model)
    : QWidget(mainWindow, Qt::Window)
    , m_model(model)
    , m_table(table)
{
    [[maybe_unused]] static const bool installed = (QAccessible::installFactory(drawingAccessible), true);
    setObjectName(QLatin1String(table.name));
    setWindowIcon(mainWindow->windowIcon());
    resize(700, table.id == Panel::Id::Graph ? 470 : 640);

    for (const Panel::Control &control : table) {
        if (QWidget *widget = m_widgets.emplace_back(make(control))) {
            widget->setObjectName(QLatin1String(control.id));
            if (!control.accessibleName.empty())
                widget->setAccessibleName(toQString(control.accessibleName));
        }
    }
    auto *layout = new QVBoxLayout(this);
    for (const Panel::Row &row : Panel::rows(table)) {
        const auto widget = [this, &table](const Panel::Control *control) { return m_widgets[std::size_t(control - table.begin())]; };
        if (row.controls.size() == 1) {
            layout->addWidget(widget(row.controls[0]), row.controls[0]->role == Role::Plot ? 3 : row.controls[0]->role == Role::Records ? 2 : 0);
            continue;
        }
        auto *line = new QHBoxLayout;
        layout->addLayout(line);
        for (const Panel::Control *control : row.controls) {
            // A number comes after its caption.
            if (control->role == Role::Number)
                line->addWidget(new QLabel(toQString(control->caption), this));
            line->addWidget(widget(control), control->role == Role::Entry || control->role == Role::Progress ? 1 : 0);
            if (control == row.controls[0] && !row.fills)
                line->addStretch();
        }
    }
}

QWidget *PanelWindow::make(const Panel::Control &control)
{
    switch (control.role) {
    case Role::Close: return nullptr;
    case Role::Summary:
    case Role::Note: {
        auto *label = new QLabel(this);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return label;
    }
    case Role::Plot: {
        m_plot = new SvgView(this);
        if (control.action == Layout::Action::None) {
            // The value under the pointer. Qt's tooltip hides itself as the pointer leaves.
            connect(m_plot, &SvgView::pointedAt, this, [this](QPointF point, QPoint global) {
                QToolTip::showText(global, toQString(m_model->graphValueAt(point.x(), point.y())), m_plot);
            });
        } else {
            m_plot->setCursor(Qt::PointingHandCursor);
            connect(m_plot, &SvgView::clickedAt, this,
                    [this, action = control.action](QPointF point) { m_model->act(action, point.x(), point.y()); });
        }
        return m_plot;
    }
    case Role::Entry: {
        auto *entry = new QLineEdit(this);
        entry->setPlaceholderText(toQString(control.caption));
        connect(entry, &QLineEdit::returnPressed, this, [this, &control] { act(control); });
        return entry;
    }
    case Role::Number: {
        auto *number = new QSpinBox(this);
        number->setRange(int(Experiment::lowest), int(Experiment::highest));
        number->setGroupSeparatorShown(true);
        number->setAccessibleName(toQString(control.caption));
        return number;
    }
    case Role::Button: {
        auto *button = new QPushButton(toQString(control.caption), this);
        connect(button, &QPushButton::clicked, this, [this, &control] { act(control); });
        return button;
    }
    case Role::Check: {
        auto *check = new QCheckBox(toQString(control.caption), this);
        // Toggled, not clicked: a screen reader's Toggle action changes the state without a click.
        connect(check, &QCheckBox::toggled, this, [this, action = control.action](bool on) { m_model->act(action, on); });
        return check;
    }
    case Role::Progress: {
        auto *progress = new QProgressBar(this);
        progress->setRange(0, 1000);
        progress->setTextVisible(false);
        return progress;
    }
    case Role::Records: {
        // The caption says what a record is, above the table it names.
        auto *records = new QWidget(this);
        auto *layout = new QVBoxLayout(records);
        layout->setContentsMargins(0, 0, 0, 0);
        auto *caption = new QLabel(toQString(control.caption), records);
        caption->setWordWrap(true);
        m_records = new QTableWidget(0, int(ProgramText::recordColumns.size()), records);
        m_records->setAccessibleName(caption->text());
        m_records->setHorizontalHeaderLabels(toQStringList(ProgramText::recordColumns));
        m_records->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        m_records->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
        m_records->verticalHeader()->hide();
        m_records->verticalHeader()->setDefaultSectionSize(m_records->fontMetrics().height() + 8);
        m_records->setEditTriggers(QAbstractItemView::NoEditTriggers);
        m_records->setSelectionBehavior(QAbstractItemView::SelectRows);
        layout->addWidget(caption);
        layout->addWidget(m_records);
        // A tick chooses a record to compare; a click elsewhere on it, or Return, runs it.
        const auto run = [this](QTableWidgetItem *item) {
            if (item->column() > 0)
                m_model->act(Layout::Action::RunStart, item->data(Qt::UserRole).toDouble());
        };
        connect(m_records, &QTableWidget::itemClicked, this, run);
        connect(m_records, &QTableWidget::itemActivated, this, run);
        connect(m_records, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *item) {
            if (item->column() == 0)
                m_model->act(Layout::Action::Tick, item->data(Qt::UserRole).toDouble(), item->checkState() == Qt::Checked);
        });
        return records;
    }
    }
    return nullptr;
}

void PanelWindow::act(const Panel::Control &control)
{
    double values[2] = {};
    int numbers = 0;
    QString text;
    for (std::size_t index = 0; index < m_table.count; ++index) {
        const Panel::Control &other = m_table.first[index];
        if (other.row != control.row)
            continue;
        if (other.role == Role::Number && numbers < 2)
            values[numbers++] = static_cast<QSpinBox *>(m_widgets[index])->value();
        else if (other.role == Role::Entry)
            text = static_cast<QLineEdit *>(m_widgets[index])->text();
    }
    if (numbers == 0 && text.isEmpty() && m_plot) {
        const QSizeF shown = m_plot->drawn().size();
        values[0] = shown.width();
        values[1] = shown.height();
    }
    m_model->act(control.action, values[0], values[1], text.toStdU16String());
}

void PanelWindow::showView(const Panel::View &view, bool bringIntoView)
{
    setWindowTitle(toQString(view.title));
    for (std::size_t index = 0; index < m_table.count; ++index) {
        QWidget *widget = m_widgets[index];
        if (!widget)
            continue;
        const Panel::ControlState &state = view.controls[index];
        widget->setEnabled(state.enabled);
        widget->setToolTip(toQString(state.tip));
        switch (m_table.first[index].role) {
        case Role::Summary: static_cast<QLabel *>(widget)->setText(toQString(view.summary)); break;
        case Role::Note:
            static_cast<QLabel *>(widget)->setText(toQString(view.note));
            // A new note is said at once to screen readers.
            if (!view.note.empty() && view.note != m_view.note)
                sayAtOnce(widget);
            break;
        case Role::Plot:
            if (view.drawing != m_view.drawing || m_view.controls.empty())
                m_plot->load(view.drawing ? *view.drawing : std::string());
            m_plot->setAccessibleDescription(toQString(view.summary));
            break;
        case Role::Number: static_cast<QSpinBox *>(widget)->setValue(int(state.number)); break;
        case Role::Check: {
            const QSignalBlocker quiet(widget);
            static_cast<QCheckBox *>(widget)->setChecked(state.checked);
            break;
        }
        case Role::Progress: static_cast<QProgressBar *>(widget)->setValue(int(view.progress * 1000)); break;
        case Role::Records: showRecords(view); break;
        default: break;
        }
    }
    m_view = view;
    if (bringIntoView) {
        show();
        raise();
        activateWindow();
    }
}

void PanelWindow::showRecords(const Panel::View &view)
{
    const QSignalBlocker quiet(m_records);
    if (view.records != m_view.records || m_view.controls.empty()) {
        m_records->setRowCount(0);
        for (const Panel::RecordRow &record : view.records ? *view.records : std::vector<Panel::RecordRow>()) {
            const int row = m_records->rowCount();
            m_records->insertRow(row);
            for (int column = 0; column <= int(record.cells.size()); ++column) {
                auto *item = new QTableWidgetItem(column == 0 ? QString() : toQString(record.cells[std::size_t(column - 1)]));
                item->setData(Qt::UserRole, record.start);
                item->setTextAlignment(column < 4 ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
                if (column <= 1)
                    item->setData(Qt::AccessibleTextRole, toQString(column == 0 ? record.tickName : record.runName));
                if (column == 0)
                    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
                m_records->setItem(row, column, item);
            }
        }
    }
    for (int row = 0; row < m_records->rowCount(); ++row) {
        const auto start = m_records->item(row, 0)->data(Qt::UserRole).toUInt();
        const bool ticked = std::find(view.ticked.begin(), view.ticked.end(), start) != view.ticked.end();
        m_records->item(row, 0)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    }
}

void PanelWindow::closeEvent(QCloseEvent *event)
{
    for (const Panel::Control &control : m_table) {
        if (control.role == Role::Close)
            m_model->act(control.action);
    }
    QWidget::closeEvent(event);
}
