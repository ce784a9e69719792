// The readings table window, its model, and the keys that make it work like a spreadsheet column.
#include "ui/readings_table.h"

#include <QAction>
#include <QBrush>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "calc/number_text.h"
#include "entry/main_window_handlers.h"
#include "ui/layout.h"
#include "ui/message_box.h"

namespace tessaroven {

namespace {

constexpr const char* kTitle = QT_TRANSLATE_NOOP("Tessaroven", "読み値の表");
constexpr const char* kHint = QT_TRANSLATE_NOOP(
    "Tessaroven",
    "数値を入力して Enter で下へ進みます。表計算ソフトからコピーした列・行・範囲は、選んだセル"
    "から Ctrl+V で貼り付けます。Delete で読み値を消します。");
constexpr const char* kColumnHeading = QT_TRANSLATE_NOOP("Tessaroven", "%1 回目");
constexpr const char* kRowHeading = QT_TRANSLATE_NOOP("Tessaroven", "%1 cm");
// The colour of a reading of 0 or less: noticed, but not an error.
const QColor kWarningColour(0xFF, 0xD8, 0xA8);
constexpr int kGap = 8;               // between the owner's frame and this window's
constexpr int kShownColumns = 4;      // the repeats wide enough to show at first
constexpr int kNarrowestColumns = 2;  // below this, beside the owner is not worth it

QString ToQString(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool IsEnterKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Enter in a cell's editor commits it at once (Qt's own delegate waits a turn of the event loop) and then
// moves on.
class EnterCommitsDelegate : public QStyledItemDelegate {
public:
    EnterCommitsDelegate(std::function<void()> afterEnter, QObject* parent)
        : QStyledItemDelegate(parent), m_afterEnter(std::move(afterEnter)) {}

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor == nullptr || !IsEnterKey(event)) {
            return QStyledItemDelegate::eventFilter(object, event);
        }
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        m_afterEnter();
        return true;
    }

private:
    std::function<void()> m_afterEnter;
};

// Enter moves down and Delete removes the selected readings while no cell is being edited.
class ReadingsTableView : public QTableView {
public:
    ReadingsTableView(ReadingsTableWindow& window, QWidget* parent) : QTableView(parent), m_window(window) {}

    void moveDown() {
        const QModelIndex below = model()->index(currentIndex().row() + 1, currentIndex().column());
        if (below.isValid()) {
            setCurrentIndex(below);
        }
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (state() != EditingState && event->modifiers() == Qt::NoModifier) {
            if (IsEnterKey(event)) {
                moveDown();
                return;
            }
            if (event->key() == Qt::Key_Delete) {
                m_window.removeSelectedCells();
                return;
            }
        }
        QTableView::keyPressEvent(event);
    }

private:
    ReadingsTableWindow& m_window;
};

// Beside owner on its screen: to its right, else to its left, narrower than wanted rather than over owner
// while the narrowest useful width fits; else at the screen's left edge, over the owner's entry boxes, which
// the table stands in for, so that the owner's reading list stays in view. As tall as owner.
void PlaceBeside(QWidget* window, const QWidget* owner, int wantedWidth, int narrowestWidth) {
    const QRect ownerFrame = owner->frameGeometry();
    const QRect inner = owner->geometry();
    // The window manager has not framed this window yet; its frame will be like the owner's.
    const QMargins frame(inner.left() - ownerFrame.left(), inner.top() - ownerFrame.top(),
                         ownerFrame.right() - inner.right(), ownerFrame.bottom() - inner.bottom());
    const QRect screen = owner->screen()->availableGeometry();
    const int frameWidth = frame.left() + frame.right();
    const int roomRight = screen.right() - ownerFrame.right() - kGap - frameWidth;
    const int roomLeft = ownerFrame.left() - screen.left() - kGap - frameWidth;
    int width = wantedWidth;
    int left = screen.left();
    if (roomRight >= narrowestWidth) {
        width = std::min(wantedWidth, roomRight);
        left = ownerFrame.right() + 1 + kGap;
    } else if (roomLeft >= narrowestWidth) {
        width = std::min(wantedWidth, roomLeft);
        left = ownerFrame.left() - kGap - (width + frameWidth);
    }
    const int height = std::min(inner.height(), screen.height() - frame.top() - frame.bottom());
    window->resize(width, height);
    const int lowest = screen.bottom() + 1 - (height + frame.top() + frame.bottom());
    window->move(std::max(left, screen.left()),
                 std::clamp(ownerFrame.top(), screen.top(), std::max(screen.top(), lowest)));
}

}  // namespace

ReadingsTableModel::ReadingsTableModel(MeasurementRecord& record, QObject* parent)
    : QAbstractTableModel(parent), m_record(record) {
    m_rows = ReadingPositionCount(m_record);
    m_columns = ReadingColumnCount(m_record);
}

int ReadingsTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int ReadingsTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_columns;
}

QVariant ReadingsTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows || index.column() >= m_columns) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    const std::vector<double> readings = PositionReadings(m_record, index.row());
    const auto column = static_cast<std::size_t>(index.column());
    if (column >= readings.size()) {
        return {};
    }
    const double value = readings[column];
    switch (role) {
        case Qt::DisplayRole:
            return ToQString(GeneralNumberText(value, LocaleDecimalSeparator()));
        case Qt::EditRole:
            // Exact, so that an editor left unchanged writes back the same reading.
            return ToQString(ShortestNumberText(value));
        case Qt::BackgroundRole:
            return value > 0 ? QVariant() : QVariant(QBrush(kWarningColour));
        case Qt::ToolTipRole:
            return value > 0 ? QVariant() : QVariant(CatalogueText(Reason::NonPositiveReadingCell));
        default:
            return {};
    }
}

QVariant ReadingsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return orientation == Qt::Horizontal ? UiText(kColumnHeading).arg(section + 1)
                                         : UiText(kRowHeading).arg(section);
}

Qt::ItemFlags ReadingsTableModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable : Qt::NoItemFlags;
}

bool ReadingsTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid()) {
        return false;
    }
    const QString text = value.toString();
    const Expected<ReadingCell> cell = ReadReadingCell(text.toStdString(), index.row(), index.column());
    m_lastEditRefused = !cell;
    if (!cell) {
        emit cellRefused(index.row(), index.column(), text, ToQString(cell.error().message));
        return false;
    }
    const CellEdit edit{index.row(), index.column(), *cell};
    write(std::span(&edit, 1));
    return true;
}

void ReadingsTableModel::write(std::span<const CellEdit> edits) {
    if (WriteReadingCells(m_record, edits, LocaleDecimalSeparator())) {
        refresh();
        emit readingsWritten();
    }
}

void ReadingsTableModel::refresh() {
    // Rows and columns are inserted and removed rather than the model reset, so the current cell and the
    // selection survive every edit.
    const int rows = ReadingPositionCount(m_record);
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (rows < m_rows) {
        beginRemoveRows({}, rows, m_rows - 1);
        m_rows = rows;
        endRemoveRows();
    }
    const int columns = ReadingColumnCount(m_record);
    if (columns > m_columns) {
        beginInsertColumns({}, m_columns, columns - 1);
        m_columns = columns;
        endInsertColumns();
    } else if (columns < m_columns) {
        beginRemoveColumns({}, columns, m_columns - 1);
        m_columns = columns;
        endRemoveColumns();
    }
    if (m_rows > 0 && m_columns > 0) {
        emit dataChanged(index(0, 0), index(m_rows - 1, m_columns - 1));
    }
}

ReadingsTableWindow::ReadingsTableWindow(MeasurementRecord& record, QWidget* owner)
    : QWidget(owner, Qt::Window), m_owner(owner) {
    setObjectName(QStringLiteral("readingsTableWindow"));
    setWindowTitle(UiText(kTitle));
    setFont(LayoutFont(FontFace::Meiryo, 10.5));
    model = new ReadingsTableModel(record, this);
    auto* view = new ReadingsTableView(*this, this);
    table = view;
    table->setObjectName(QStringLiteral("readingsTable"));
    table->setModel(model);
    table->setItemDelegate(new EnterCommitsDelegate(
        [this, view] {
            if (!model->lastEditRefused()) {
                view->moveDown();
            }
        },
        table));
    table->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                           QAbstractItemView::EditKeyPressed);
    table->setSelectionMode(QAbstractItemView::ContiguousSelection);
    // The positions are the vertical header, which stays at the left while the repeats scroll.
    table->verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table->horizontalHeader()->setDefaultSectionSize(
        table->fontMetrics().horizontalAdvance(QStringLiteral("-0000.000")) + 16);
    auto* hint = new QLabel(UiText(kHint), this);
    hint->setObjectName(QStringLiteral("readingsTableHint"));
    hint->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addWidget(table);

    auto* pasteAction = new QAction(table);
    pasteAction->setShortcut(QKeySequence::Paste);
    pasteAction->setShortcutContext(Qt::WidgetShortcut);
    table->addAction(pasteAction);
    connect(pasteAction, &QAction::triggered, this, &ReadingsTableWindow::paste);
    auto* closeAction = new QAction(this);
    closeAction->setShortcut(QKeySequence(Qt::Key_Escape));
    closeAction->setShortcutContext(Qt::WindowShortcut);
    addAction(closeAction);
    connect(closeAction, &QAction::triggered, this, &QWidget::close);

    connect(model, &ReadingsTableModel::readingsWritten, this, &ReadingsTableWindow::readingsEdited);
    // Shown once the editor has closed, then the editor opens again on the refused text.
    connect(model, &ReadingsTableModel::cellRefused, this, &ReadingsTableWindow::showRefusal,
            Qt::QueuedConnection);
}

void ReadingsTableWindow::showRefusal(int row, int column, const QString& text, const QString& message) {
    ShowMessage(this, message);
    const QModelIndex index = model->index(row, column);
    if (!index.isValid()) {
        return;
    }
    // The keyboard goes back to the cell, whichever window the system activated after the message.
    ShowInFront(this);
    table->setCurrentIndex(index);
    table->edit(index);
    if (auto* editor = qobject_cast<QLineEdit*>(table->indexWidget(index))) {
        editor->setText(text);
        editor->selectAll();
    }
}

void ReadingsTableWindow::paste() {
    const QString text = QGuiApplication::clipboard()->text();
    if (text.isEmpty() || model->rowCount() == 0) {
        return;
    }
    const QModelIndex current = table->currentIndex();
    const QModelIndex at = current.isValid() ? current : model->index(0, 0);
    const Expected<ReadingBlock> block = ReadPastedReadings(text.toStdString(), at.row(), at.column(),
                                                            model->rowCount() - 1, LocaleDecimalSeparator());
    if (!block) {
        ShowMessage(this, ToQString(block.error().message));
        return;
    }
    std::vector<CellEdit> edits;
    int width = 0;
    for (std::size_t r = 0; r < block->size(); ++r) {
        const std::vector<ReadingCell>& row = (*block)[r];
        width = std::max(width, static_cast<int>(row.size()));
        for (std::size_t c = 0; c < row.size(); ++c) {
            edits.push_back({at.row() + static_cast<int>(r), at.column() + static_cast<int>(c), row[c]});
        }
    }
    model->write(edits);
    // The pasted block stays selected with its first cell current, as a spreadsheet leaves it.
    const QModelIndex last = model->index(at.row() + static_cast<int>(block->size()) - 1,
                                          std::min(at.column() + width, model->columnCount()) - 1);
    table->setCurrentIndex(model->index(at.row(), at.column()));
    if (last.isValid()) {
        table->selectionModel()->select(QItemSelection(model->index(at.row(), at.column()), last),
                                        QItemSelectionModel::ClearAndSelect);
    }
}

void ReadingsTableWindow::removeSelectedCells() {
    std::vector<CellEdit> edits;
    for (const QModelIndex& index : table->selectionModel()->selectedIndexes()) {
        edits.push_back({index.row(), index.column(), std::nullopt});
    }
    model->write(edits);
}

void ReadingsTableWindow::showBesideOwner() {
    if (!m_placed) {
        m_placed = true;
        const int columnWidth = table->horizontalHeader()->defaultSectionSize();
        const int around = table->verticalHeader()->sizeHint().width() +
                           table->verticalScrollBar()->sizeHint().width() + 2 * table->frameWidth() +
                           layout()->contentsMargins().left() + layout()->contentsMargins().right();
        PlaceBeside(this, m_owner, around + kShownColumns * columnWidth,
                    around + kNarrowestColumns * columnWidth);
        // Typing starts at the first position still without a reading.
        int row = 0;
        while (row < model->rowCount() && model->data(model->index(row, 0)).isValid()) {
            ++row;
        }
        table->setCurrentIndex(model->index(row < model->rowCount() ? row : 0, 0));
    }
    ShowInFront(this);
    table->setFocus();
}

}  // namespace tessaroven
