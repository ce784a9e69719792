// The readings table's menu entry and its ties to the main window and the file.
#include "app/readings_actions.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QListWidget>
#include <QPushButton>

#include "app/measurement_files.h"
#include "entry/main_window_handlers.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/readings_table.h"

namespace tessaroven {

ReadingsActions::ReadingsActions(MainWindow& window, MainWindowHandlers& handlers, MeasurementFiles& files,
                                 MeasurementRecord& record)
    : QObject(&window), m_window(window), m_files(files), m_record(record) {
    connect(window.readingsTableAction, &QAction::triggered, this, &ReadingsActions::showTable);
    // Every path that changes the readings shows them in the reading list, or is a setup.
    const QAbstractItemModel* list = window.readingList->model();
    connect(list, &QAbstractItemModel::rowsInserted, this, &ReadingsActions::refresh);
    connect(list, &QAbstractItemModel::rowsRemoved, this, &ReadingsActions::refresh);
    connect(list, &QAbstractItemModel::modelReset, this, &ReadingsActions::refresh);
    connect(list, &QAbstractItemModel::dataChanged, this, &ReadingsActions::refresh);
    connect(&handlers, &MainWindowHandlers::measurementEdited, this, &ReadingsActions::refresh);
}

void ReadingsActions::showTable() {
    // The setup enables the entry; until then there are no positions to show.
    if (!m_window.storeReadingButton->isEnabled()) {
        ShowMessage(&m_window, CatalogueText(Reason::ReadingsTableNeedsSetup), QMessageBox::Information);
        return;
    }
    if (m_table == nullptr) {
        m_table = new ReadingsTableWindow(m_record, &m_window);
        connect(m_table, &ReadingsTableWindow::readingsEdited, this, [this] {
            m_files.markModified();
            emit readingsEdited();
        });
    }
    m_table->model->refresh();
    m_table->showBesideOwner();
}

void ReadingsActions::refresh() {
    if (m_table != nullptr) {
        m_table->model->refresh();
    }
}

}  // namespace tessaroven
