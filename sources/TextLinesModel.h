#pragma once
// The list view's model over the lines of a text source: each row is made from the store
// when the view draws it, so a million lines cost the view nothing of their own.
#include "TextLines.h"

#include <QAbstractListModel>

class TextLinesModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    // Replaces every row.
    void setLines(TextLines lines);
    const TextLines& lines() const { return m_lines; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    TextLines m_lines;
};
