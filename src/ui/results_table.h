// The results table: one row per position with what the result list has no room for (fan angle, the
// reading's mean, count and uncertainty, the profile with its uncertainty, the relative value with its
// expanded uncertainty, the relative value on the arc). A QTableView over a model of the evaluated profile;
// Ctrl+C copies the selection (or the whole table) as tab-separated text. With a spectrum, the graph of the
// Al-equivalent thickness against fan angle stands beside the table.
#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <QWidget>

#include <vector>

#include "calc/result_columns.h"

class QSplitter;
class QTableView;

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
    ResultsTableModel* model;
    ThicknessGraphView* thicknessGraph;  // shown only when the results have an Al-equivalent thickness

    // The selected cells (or the whole table with its header when nothing is selected), tab-separated, one
    // line per row.
    QString selectionText() const;
    void copySelection() const;

private:
    QSplitter* m_splitter;
};

// Creates the window if it does not exist, fills it with the evaluation and shows it in front.
ResultsTableWindow* ShowResultsTable(QPointer<ResultsTableWindow>& window, ResultSet results);

}  // namespace tessaroven
