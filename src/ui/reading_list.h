// The reading list drawn in columns: the lines keep their texts (AlignedEntryLines pads them only where they
// are drawn), and a list whose widest line is wider than the list is drawn condensed rather than cut, so a
// repeated position's " (n=3)" stays in sight.
#pragma once

#include <QStyledItemDelegate>

class QListWidget;

namespace tessaroven {

class ReadingListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit ReadingListDelegate(QListWidget* list);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    QListWidget* m_list;
};

}  // namespace tessaroven
