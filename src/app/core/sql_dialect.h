#pragma once

#include "core/connection_settings.h"

#include <QString>
#include <QStringList>

// Kinds of column the tables use.
enum class ColumnKind { Text, Real, Integer, Boolean };

// The few places where the SQL of the three database kinds differs. The
// statements of the program are written once; where they need one of these
// constructs they ask the dialect of the data module. Values are never part
// of the text: they are bound.
class SqlDialect {
public:
    static const SqlDialect& of(DatabaseType type);

    DatabaseType type() const { return m_type; }

    // The first row of an ordered select, for the highest key:
    // "select top 1 ID from Forg order by ID desc" (MSSQL) or
    // "select ID from Forg order by ID desc limit 1".
    QString selectFirst(const QString& selectList, const QString& fromAndOrder) const;

    // first() of the original statements has no equivalent; within the
    // groups where it was used every value is the same, so min() serves.
    QString firstValue(const QString& expression) const;

    QString booleanLiteral(bool value) const;
    // A logical column as a condition ("belso" / "not belso").
    QString isTrue(const QString& column) const;
    QString isFalse(const QString& column) const;

    // Joins text expressions: "a || b" or, on SQL Server, "a + b".
    QString concat(const QStringList& expressions) const;

    // A table's name as the database keeps it, for Qt's record and table
    // model look-ups: PostgreSQL folds unquoted names to lower case.
    QString storedName(const QString& table) const;

    // Column types; a text of width 0 has no limit.
    QString columnType(ColumnKind kind, int width) const;

    QString createTableIfMissing(const QString& table, const QStringList& columnDefinitions) const;
    QString createIndexIfMissing(const QString& index, const QString& table, const QStringList& columns,
                                 bool unique) const;

private:
    explicit SqlDialect(DatabaseType type) : m_type(type) {}
    bool isSqlServer() const { return m_type == DatabaseType::MsSql; }

    DatabaseType m_type;
};
