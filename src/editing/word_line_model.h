#pragma once
// The lines of a word list as an item model for an owner-drawn list view: the line's text, its
// example dot (the delegate's marker role) and a fixed row height.

#include <vector>

#include <QAbstractListModel>

#include "editing/word_list.h"

namespace lexivo {

class WordLineModel : public QAbstractListModel {
public:
    WordLineModel(int rowHeight, QObject* parent) : QAbstractListModel(parent), rowHeight_(rowHeight) {}

    // Shows these lines instead of the previous ones; the view's selection is cleared.
    void setLines(std::vector<WordDisplayLine> lines);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::vector<WordDisplayLine> lines_;
    int rowHeight_;
};

}  // namespace lexivo
