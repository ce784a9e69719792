// The results table: one row per position with what the result list has no room for (fan angle, the
// reading's mean, count and uncertainty, the profile with its uncertainty, the relative value with its
// expanded uncertainty, the relative value on the arc). A QTableView over a model of the evaluated profile,
// its position column kept in place while the other columns scroll, the rows the baseline flags tinted;
// Ctrl+C copies the selection (or the whole table) as tab-separated text. With a spectrum, the graph of the
// Al-equivalent thickness against fan angle stands beside the table (or below it, where the screen leaves no
// room beside). The window opens beside the main window and never larger than the screen.
#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <QTableView>
#include <QWidget>

#include <vector>

#include "calc/result_columns.h"

class QSplitter;

namespace tessaroven {

class ResultsTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setResults(ResultSet results);
    const ResultSet& results() const { return m_results; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    ResultSet m_results;
    std::vector<ResultColumn> m_columns;
};

// Rows the baseline flags: a light red behind the text, the same in every column.
inline constexpr QRgb kFlaggedRowColour = 0xFFD6D6;

// A table whose first column stays in place while the others scroll past it: a second view over the same
// model and selection shows that column alone, laid over the table's own.
class FrozenColumnTableView : public QTableView {
    Q_OBJECT
public:
    explicit FrozenColumnTableView(QWidget* parent = nullptr);
    void setModel(QAbstractItemModel* model) override;
    QTableView* frozenColumn() const { return m_frozen; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void updateGeometries() override;

private:
    void showFirstColumnOnly();
    void placeFrozenColumn();

    QTableView* m_frozen;
};

// The Al-equivalent thickness graph beside the table, redrawn at every size.
class ThicknessGraphView : public QWidget {
    Q_OBJECT
public:
    explicit ThicknessGraphView(QWidget* parent = nullptr);
    void setProfile(const AlEquivalentProfile& profile);
    const AlEquivalentProfile& profile() const { return m_profile; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    AlEquivalentProfile m_profile;
};

class ResultsTableWindow : public QWidget {
    Q_OBJECT
public:
    explicit ResultsTableWindow(QWidget* parent = nullptr);

    QTableView* table;
    QTableView* positionColumn;  // the table's first column, kept in place over it
    ResultsTableModel* model;
    ThicknessGraphView* thicknessGraph;  // shown only when the results have an Al-equivalent thickness

    // The selected cells (or the whole table with its header when nothing is selected), tab-separated, one
    // line per row.
    QString selectionText() const;
    void copySelection() const;

    // Places the window beside anchor (a window), on the side with more room: as large as its contents want
    // and the screen allows, the thickness graph moved below the table when there is no room beside it.
    void placeBeside(const QWidget& anchor);

private:
    // The size that shows every column and row (and the graph), before the screen limits it.
    QSize wantedSize() const;
    // Grows the window towards wantedSize within its room and the screen (never shrinks what the user made).
    void growToContents();

    QSplitter* m_splitter;
    int m_roomWidth = 0;  // the width beside the main window once placed; the screen's before
};

// Creates the window if it does not exist (placed beside anchor when one is given), fills it with the
// evaluation and shows it in front, restored when it was minimised.
ResultsTableWindow* ShowResultsTable(QPointer<ResultsTableWindow>& window, ResultSet results,
                                     const QWidget* anchor = nullptr);

}  // namespace tessaroven
