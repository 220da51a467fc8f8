#pragma once

#include "core/sql_dialect.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <expected>
#include <optional>

// The tables of Teloran. The main connection's catalog holds the users, the
// data connection's catalog everything else; both carry the table
// SchemaVersion (part, version) that records which version of their part
// they have. A new or older catalog is brought to the current version inside
// one transaction, so a failure leaves it as it was.

enum class SchemaPart { Users, Data };

// 1: the tables and indexes below.
inline constexpr int kSchemaVersion = 1;

struct ColumnDefinition {
    QString name;
    ColumnKind kind = ColumnKind::Text;
    int width = 0; // text columns: the number of characters; 0 = unlimited
};

struct IndexDefinition {
    QStringList columns;
    bool unique = false;
};

struct TableDefinition {
    QString name;
    QList<ColumnDefinition> columns;
    QList<IndexDefinition> indexes;

    std::optional<ColumnDefinition> column(const QString& name) const;
};

const QList<TableDefinition>& schemaTables(SchemaPart part);

// The definition of a table by name (without regard to letter case),
// including the trunk-group copies Dijak1A ... Dijak3F.
std::optional<TableDefinition> tableDefinition(const QString& table);

// The width of a text column, 0 for unlimited text and other kinds, -1 for an
// unknown table or column. Forms use it to cut values to what the column holds.
int columnWidth(const QString& table, const QString& column);

// The tariff table n (1 area, 2 individual numbers, 3 time bands) of a tariff
// set: "" for the base set, "A" ... "F" for the trunk-line groups.
QString tariffTableName(int n, const QString& groupLetter);

// Creates the missing tables and indexes of the part, or upgrades them, and
// records the version. A catalog of a newer program version is refused.
std::expected<void, QString> ensureSchema(QSqlDatabase db, const SqlDialect& dialect, SchemaPart part);

// The recorded version of the part; 0 when none is recorded.
std::expected<int, QString> schemaVersion(QSqlDatabase db, SchemaPart part);

// Creates the three tariff tables of a trunk-line group when they are missing
// (the group comes into use), in one transaction.
std::expected<void, QString> ensureTariffTables(QSqlDatabase db, const SqlDialect& dialect,
                                                const QString& groupLetter);
