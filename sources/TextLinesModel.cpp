#include "TextLinesModel.h"

void TextLinesModel::setLines(TextLines lines)
{
    beginResetModel();
    m_lines = std::move(lines);
    endResetModel();
}

// The line ceiling of a text source keeps the count well inside an int.
int TextLinesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_lines.size());
}

QVariant TextLinesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return m_lines.line(index.row());
}

// The lines are shown, never edited: a list box of the file's lines.
Qt::ItemFlags TextLinesModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
