#include "ui/user_list_model.h"

#include "core/messages.h"
using namespace Qt::StringLiterals;

void UserListModel::setRows(std::vector<UserRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

std::optional<int> UserListModel::rowOf(const QString& azon) const
{
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].azon == azon)
            return int(i);
    }
    return std::nullopt;
}

int UserListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int UserListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant UserListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid) ||
        role != Qt::DisplayRole)
        return QVariant();
    const UserRow& row = m_rows[std::size_t(index.row())];
    return index.column() == Nev ? row.nev : row.azon;
}

QVariant UserListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case Nev:
        return u"Felhasználónév"_s;
    case Azon:
        return u"Azonosító"_s;
    default:
        return QVariant();
    }
}
