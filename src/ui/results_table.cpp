// The results table window and its model.
#include "ui/results_table.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeySequence>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "calc/conversion.h"
#include "calc/result_columns.h"
#include "plot/fonts.h"
#include "plot/thickness_graph.h"
#include "ui/layout.h"

namespace tessaroven {

namespace {
constexpr int kGraphWidth = 440;
constexpr const char* kTitle = QT_TRANSLATE_NOOP("Tessaroven", "結果の表");
// With the model, when the results are not the compatible model's.
constexpr const char* kTitleWithModel = QT_TRANSLATE_NOOP("Tessaroven", "結果の表 (%1)");
}  // namespace

void ResultsTableModel::setResults(ResultSet results) {
    beginResetModel();
    m_results = std::move(results);
    m_columns = ResultColumnsOf(m_results);
    endResetModel();
}

int ResultsTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_results.evaluation.positions.size());
}

int ResultsTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant ResultsTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    return QString::fromStdString(ResultCellText(m_results, static_cast<std::size_t>(index.row()),
                                                 m_columns[static_cast<std::size_t>(index.column())]));
}

QVariant ResultsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= columnCount()) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    const std::string_view heading = ResultColumnHeading(m_columns[static_cast<std::size_t>(section)]);
    return QString::fromUtf8(heading.data(), static_cast<qsizetype>(heading.size()));
}

ThicknessGraphView::ThicknessGraphView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("thicknessGraph"));
    setMinimumSize(360, 280);
}

void ThicknessGraphView::setProfile(const AlEquivalentProfile& profile) {
    m_profile = profile;
    update();
}

void ThicknessGraphView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    DrawThicknessGraph(painter, QRectF(rect()), m_profile);
}

ResultsTableWindow::ResultsTableWindow(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(UiText(kTitle));
    setFont(LayoutFont(FontFace::Meiryo, 10.5));
    model = new ResultsTableModel(this);
    table = new QTableView(this);
    table->setObjectName(QStringLiteral("resultsTable"));
    table->setModel(model);
    table->verticalHeader()->hide();
    table->setSelectionMode(QAbstractItemView::ContiguousSelection);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    thicknessGraph = new ThicknessGraphView(this);
    thicknessGraph->hide();
    // Side by side; the user may give either more room.
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(table);
    m_splitter->addWidget(thicknessGraph);
    m_splitter->setStretchFactor(0, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_splitter);
    // The table's model is refilled after every conversion and every change of spectrum.
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        const ConversionModel converted = model->results().evaluation.model;
        if (converted == ConversionModel::Compatible) {
            setWindowTitle(UiText(kTitle));
        } else {
            const std::string_view name = ConversionModelName(converted);
            setWindowTitle(UiText(kTitleWithModel)
                               .arg(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()))));
        }
        const std::optional<AlEquivalentProfile>& profile = model->results().alEquivalent;
        const bool graphShown = !thicknessGraph->isHidden();
        if (profile) {
            thicknessGraph->setProfile(*profile);
        }
        thicknessGraph->setVisible(profile.has_value());
        // Wide enough for every column (their headings are longer in English) and the graph at its usual
        // width, as far as the screen allows; the user may make it narrower, and the table then scrolls.
        QHeaderView* header = table->horizontalHeader();
        header->resizeSections(QHeaderView::ResizeToContents);
        int wanted = header->length() + 2 * table->frameWidth() +
                     table->verticalScrollBar()->sizeHint().width() +
                     this->layout()->contentsMargins().left() + this->layout()->contentsMargins().right();
        if (profile) {
            wanted += kGraphWidth + m_splitter->handleWidth();
        }
        if (const QScreen* shown = screen()) {
            wanted = std::min(wanted, shown->availableGeometry().width());
        }
        if (wanted > width()) {
            resize(wanted, height());
        }
        if (profile && !graphShown) {
            m_splitter->setSizes({std::max(width() / 2, width() - kGraphWidth), kGraphWidth});
        }
    });
    auto* copy = new QAction(this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(copy);
    connect(copy, &QAction::triggered, this, &ResultsTableWindow::copySelection);
    resize(900, 480);
}

QString ResultsTableWindow::selectionText() const {
    const QModelIndexList selected = table->selectionModel()->selectedIndexes();
    int top = 0;
    int bottom = model->rowCount() - 1;
    int left = 0;
    int right = model->columnCount() - 1;
    QStringList lines;
    if (selected.isEmpty()) {
        QStringList header;
        for (int c = 0; c < model->columnCount(); ++c) {
            header << model->headerData(c, Qt::Horizontal).toString();
        }
        lines << header.join(QLatin1Char('\t'));
    } else {
        top = bottom = selected.front().row();
        left = right = selected.front().column();
        for (const QModelIndex& index : selected) {
            top = std::min(top, index.row());
            bottom = std::max(bottom, index.row());
            left = std::min(left, index.column());
            right = std::max(right, index.column());
        }
    }
    for (int r = top; r <= bottom; ++r) {
        QStringList cells;
        for (int c = left; c <= right; ++c) {
            cells << model->data(model->index(r, c)).toString();
        }
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void ResultsTableWindow::copySelection() const {
    QApplication::clipboard()->setText(selectionText());
}

ResultsTableWindow* ShowResultsTable(QPointer<ResultsTableWindow>& window, ResultSet results) {
    if (window.isNull()) {
        window = new ResultsTableWindow();
    }
    window->model->setResults(std::move(results));
    ShowInFront(window);
    return window;
}

}  // namespace tessaroven
