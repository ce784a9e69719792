// The reading list's columns.
#include "ui/reading_list.h"

#include <QFontMetrics>
#include <QListWidget>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <string>
#include <vector>

#include "entry/entry_line.h"

namespace tessaroven {

namespace {

// Condensed no further than this (percent of the face's width): narrower glyphs are hard to read, and the
// list's scroll bar then shows the rest.
constexpr int kLeastStretch = 70;

}  // namespace

ReadingListDelegate::ReadingListDelegate(QListWidget* list) : QStyledItemDelegate(list), m_list(list) {}

void ReadingListDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const QAbstractItemModel* model = index.model();
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(model->rowCount()));
    for (int row = 0; row < model->rowCount(); ++row) {
        lines.push_back(model->index(row, 0).data().toString().toStdString());
    }
    const std::vector<std::string> aligned = AlignedEntryLines(lines);
    option->text = QString::fromStdString(aligned[static_cast<std::size_t>(index.row())]);

    // Room for a line beside a vertical scroll bar, whether or not one shows yet, so that the condensing does
    // not change as the list fills.
    const int margin = m_list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_list) + 1;
    const int room = m_list->width() - 2 * m_list->frameWidth() -
                     m_list->verticalScrollBar()->sizeHint().width() - 2 * margin;
    const QFontMetrics metrics(option->font);
    int widest = 0;
    for (const std::string& line : aligned) {
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(line)));
    }
    if (widest > room && room > 0) {
        option->font.setStretch(std::max(kLeastStretch, 100 * room / widest));
        option->fontMetrics = QFontMetrics(option->font);
    }
}

}  // namespace tessaroven
