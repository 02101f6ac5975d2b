#include "editing/word_line_model.h"

#include <QSize>

#include "ui/owner_drawn.h"

namespace lexivo {

void WordLineModel::setLines(std::vector<WordDisplayLine> lines)
{
    beginResetModel();
    lines_ = std::move(lines);
    endResetModel();
}

int WordLineModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

QVariant WordLineModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const WordDisplayLine& line = lines_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole: return QString::fromStdString(line.text);
    case OwnerDrawnItemDelegate::kMarkerRole: return line.hasExample ? 1 : 0;
    case Qt::SizeHintRole: return QSize(1, rowHeight_);
    default: return {};
    }
}

}  // namespace lexivo
