#pragma once

#include "core/users.h"

#include <QAbstractTableModel>

#include <optional>
#include <vector>

// The rows of the users table for the grid of the user maintenance form:
// the login name and the identifier of each user.
class UserListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Nev, Azon, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void setRows(std::vector<UserRow> rows);
    const UserRow& user(int row) const { return m_rows.at(std::size_t(row)); }
    // The row of the user with this identifier.
    std::optional<int> rowOf(const QString& azon) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<UserRow> m_rows;
};
