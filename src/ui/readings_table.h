// The readings table: every position as a row (its label fixed at the left while the repeats scroll), every
// repeat as a column, edited in place. Typing a number and Enter moves down, as in a spreadsheet; Ctrl+V
// pastes a column, a row or a block from the current cell on; Delete removes the selected readings. It edits
// the one MeasurementRecord through entry/reading_cells.h; a refusal names the cell and changes nothing. A
// reading of 0 or less is kept, coloured and explained in its tip.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QWidget>

#include <span>

#include "entry/reading_cells.h"

class QTableView;

namespace tessaroven {

class ReadingsTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // record must outlive the model.
    ReadingsTableModel(MeasurementRecord& record, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A typed cell: refused (cellRefused, false) unless it is empty or one complete number.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // Writes the cells and follows the record; readingsWritten when a reading changed.
    void write(std::span<const CellEdit> edits);
    // The record changed elsewhere: rows and columns follow it, keeping the current cell where it stays.
    void refresh();
    // Whether the last typed cell was refused.
    bool lastEditRefused() const { return m_lastEditRefused; }

signals:
    void readingsWritten();
    // Emitted before setData returns, so the receiver should be queued: the editor is still closing.
    void cellRefused(int row, int column, const QString& text, const QString& message);

private:
    MeasurementRecord& m_record;
    int m_rows = 0;
    int m_columns = 0;
    bool m_lastEditRefused = false;
};

class ReadingsTableWindow : public QWidget {
    Q_OBJECT
public:
    // A window of its own beside owner (whose menus open it); record must outlive it.
    ReadingsTableWindow(MeasurementRecord& record, QWidget* owner);

    QTableView* table;
    ReadingsTableModel* model;

    void paste();                // the clipboard's text, from the current cell on
    void removeSelectedCells();  // the selected readings go; the ones after them move up
    // Shows the window beside owner the first time, in front afterwards, with the focus on the table.
    void showBesideOwner();

signals:
    void readingsEdited();  // a reading changed here: the reading list, the file and the results follow

private:
    void showRefusal(int row, int column, const QString& text, const QString& message);

    QWidget* m_owner;
    bool m_placed = false;
};

}  // namespace tessaroven
