// The results table window and its model.
#include "ui/results_table.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
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
constexpr int kGraphHeight = 320;   // below the table
constexpr int kGapBeside = 8;       // between the main window and the table
constexpr int kLeastWidth = 360;    // the table's least width beside the main window
constexpr int kSideTolerance = 16;  // rooms that differ by less are taken as equal
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
    if (role == Qt::BackgroundRole) {
        return ResultRowFlagged(m_results, static_cast<std::size_t>(index.row()))
                   ? QVariant(QColor::fromRgb(kFlaggedRowColour))
                   : QVariant();
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

FrozenColumnTableView::FrozenColumnTableView(QWidget* parent)
    : QTableView(parent), m_frozen(new QTableView(this)) {
    m_frozen->setObjectName(QStringLiteral("positionColumn"));
    m_frozen->setFocusPolicy(Qt::NoFocus);
    m_frozen->verticalHeader()->hide();
    m_frozen->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_frozen->setFrameShape(QFrame::NoFrame);
    m_frozen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setVerticalScrollMode(ScrollPerPixel);
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerPixel);
    viewport()->stackUnder(m_frozen);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        if (section == 0) {
            m_frozen->setColumnWidth(0, size);
            placeFrozenColumn();
        }
    });
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int section, int, int size) { m_frozen->setRowHeight(section, size); });
    connect(m_frozen->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, m_frozen->verticalScrollBar(),
            &QAbstractSlider::setValue);
}

void FrozenColumnTableView::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    m_frozen->setModel(model);
    m_frozen->setSelectionModel(selectionModel());
    // A refill may bring other columns (a baseline's, a spectrum's); the frozen view shows the first alone.
    connect(model, &QAbstractItemModel::modelReset, this, &FrozenColumnTableView::showFirstColumnOnly);
    showFirstColumnOnly();
}

void FrozenColumnTableView::showFirstColumnOnly() {
    for (int column = 1; column < model()->columnCount(); ++column) {
        m_frozen->setColumnHidden(column, true);
    }
    m_frozen->setColumnWidth(0, columnWidth(0));
    placeFrozenColumn();
}

void FrozenColumnTableView::placeFrozenColumn() {
    m_frozen->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(), columnWidth(0),
                          viewport()->height() + horizontalHeader()->height());
}

void FrozenColumnTableView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    placeFrozenColumn();
}

void FrozenColumnTableView::updateGeometries() {
    QTableView::updateGeometries();
    placeFrozenColumn();
}

void FrozenColumnTableView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    // The first column is always in sight across; only its row may need scrolling to.
    const int across = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    if (index.column() == 0) {
        horizontalScrollBar()->setValue(across);
    }
}

QModelIndex FrozenColumnTableView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
    const QModelIndex current = QTableView::moveCursor(cursorAction, modifiers);
    // A cell reached leftwards that lies under the frozen column is scrolled out from under it.
    const int hidden = m_frozen->columnWidth(0) - visualRect(current).left();
    if (cursorAction == MoveLeft && current.column() > 0 && hidden > 0) {
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hidden);
    }
    return current;
}

ThicknessGraphView::ThicknessGraphView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("thicknessGraph"));
    // Small enough to stand below the table in the room beside the main window on a 1600-pixel screen.
    setMinimumSize(300, 240);
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
    auto* frozenTable = new FrozenColumnTableView(this);
    table = frozenTable;
    table->setObjectName(QStringLiteral("resultsTable"));
    table->verticalHeader()->hide();
    table->setModel(model);
    positionColumn = frozenTable->frozenColumn();
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
        // width, as far as the room allows; the user may make it narrower, and the table then scrolls.
        table->horizontalHeader()->resizeSections(QHeaderView::ResizeToContents);
        growToContents();
        if (profile && !graphShown && m_splitter->orientation() == Qt::Horizontal) {
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

QSize ResultsTableWindow::wantedSize() const {
    const QMargins margins = layout()->contentsMargins();
    const int frame = 2 * table->frameWidth();
    QSize size(table->horizontalHeader()->length() + frame + table->verticalScrollBar()->sizeHint().width(),
               table->horizontalHeader()->sizeHint().height() + table->verticalHeader()->length() + frame +
                   table->horizontalScrollBar()->sizeHint().height());
    if (!thicknessGraph->isHidden()) {
        if (m_splitter->orientation() == Qt::Horizontal) {
            size.rwidth() += kGraphWidth + m_splitter->handleWidth();
        } else {
            size.rheight() += kGraphHeight + m_splitter->handleWidth();
        }
    }
    return size.grownBy(margins);
}

void ResultsTableWindow::growToContents() {
    const QScreen* shown = screen();
    if (shown == nullptr) {
        return;
    }
    const QRect available = shown->availableGeometry();
    const QSize decoration = frameGeometry().size() - size();
    const int room = m_roomWidth > 0 ? m_roomWidth : available.width() - decoration.width();
    // A graph that would leave the table too narrow goes below it.
    if (!thicknessGraph->isHidden() && m_splitter->orientation() == Qt::Horizontal &&
        wantedSize().width() > room) {
        m_splitter->setOrientation(Qt::Vertical);
    }
    const QSize wanted = wantedSize();
    const QSize grown(
        std::max(width(), std::min(wanted.width(), room)),
        std::max(height(), std::min(wanted.height(), available.height() - decoration.height())));
    if (grown != size()) {
        resize(grown);
        // Kept on the screen as it grows.
        const QSize outer = grown + decoration;
        move(std::clamp(x(), available.left(),
                        std::max(available.left(), available.right() + 1 - outer.width())),
             std::clamp(y(), available.top(),
                        std::max(available.top(), available.bottom() + 1 - outer.height())));
    }
}

void ResultsTableWindow::placeBeside(const QWidget& anchor) {
    const QScreen* shown = anchor.screen() != nullptr ? anchor.screen() : QGuiApplication::primaryScreen();
    if (shown == nullptr) {
        return;
    }
    const QRect available = shown->availableGeometry();
    const QRect beside = anchor.frameGeometry();
    // The title bar and the borders the window system adds: known once the window was shown, else guessed
    // from the anchor's.
    const QSize decoration =
        isVisible() ? frameGeometry().size() - size() : anchor.frameGeometry().size() - anchor.size();
    const int rightRoom = available.right() - beside.right() - kGapBeside - decoration.width();
    const int leftRoom = beside.left() - available.left() - kGapBeside - decoration.width();
    // The right side, where the table reads after the main window, unless the left holds more of the table.
    const bool right = rightRoom + kSideTolerance >= std::min(leftRoom, wantedSize().width());
    // Where neither side has room for a useful table, it covers the main window's lists rather than its
    // entry.
    m_roomWidth = std::max({right ? rightRoom : leftRoom, kLeastWidth});
    resize(QSize(1, 1).expandedTo(minimumSizeHint()));
    growToContents();
    if (m_splitter->orientation() == Qt::Vertical && !thicknessGraph->isHidden()) {
        m_splitter->setSizes({std::max(height() / 2, height() - kGraphHeight), kGraphHeight});
    }
    const QSize outer = size() + decoration;
    const int x = right ? beside.right() + 1 + kGapBeside : beside.left() - kGapBeside - outer.width();
    move(std::clamp(x, available.left(), std::max(available.left(), available.right() + 1 - outer.width())),
         std::clamp(beside.top(), available.top(),
                    std::max(available.top(), available.bottom() + 1 - outer.height())));
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

ResultsTableWindow* ShowResultsTable(QPointer<ResultsTableWindow>& window, ResultSet results,
                                     const QWidget* anchor) {
    const bool created = window.isNull();
    if (created) {
        window = new ResultsTableWindow();
    }
    window->model->setResults(std::move(results));
    // Placed once; afterwards the window stays where the user put it.
    if (created && anchor != nullptr) {
        window->placeBeside(*anchor);
    }
    ShowInFront(window);
    return window;
}

}  // namespace tessaroven
