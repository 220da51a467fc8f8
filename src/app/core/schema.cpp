#include "core/schema.h"

#include <QSqlError>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace {

constexpr auto T = ColumnKind::Text;
constexpr auto R = ColumnKind::Real;
constexpr auto I = ColumnKind::Integer;
constexpr auto B = ColumnKind::Boolean;

const QString kVersionTable = u"SchemaVersion"_s;

QList<TableDefinition> userTables()
{
    return {
        {u"Nevek"_s,
         {{u"nev"_s, T, 16}, {u"jelszo"_s, T, 50}, {u"azon"_s, T, 6}},
         {{{u"azon"_s}, true}, {{u"nev"_s}, true}}},
    };
}

TableDefinition tariffTable(int n, const QString& letter)
{
    const QString name = tariffTableName(n, letter);
    switch (n) {
    case 1:
        return {name,
                {{u"ID"_s, T, 20},
                 {u"korzet"_s, T, 10},
                 {u"orszag"_s, T, 10},
                 {u"percdij"_s, R, 0},
                 {u"varos"_s, T, 30}},
                {{{u"ID"_s}, true}}};
    case 2:
        return {name,
                {{u"telszam"_s, T, 20}, {u"megnev"_s, T, 60}, {u"percdij"_s, R, 0}, {u"egyosszegu"_s, R, 0}},
                {{{u"telszam"_s}, true}}};
    default:
        return {name,
                {{u"ID"_s, T, 20},
                 {u"Tol"_s, T, 8},
                 {u"Ig"_s, T, 8},
                 {u"Szin"_s, T, 10},
                 {u"Percdij"_s, R, 0},
                 {u"Kulcs"_s, T, 40}},
                {{{u"Kulcs"_s}, true}, {{u"ID"_s}, false}}};
    }
}

QList<TableDefinition> dataTables()
{
    return {
        {u"Forg"_s,
         {{u"ID"_s, T, 40},
          {u"kezdnap"_s, T, 10},
          {u"kezdido"_s, T, 8},
          {u"hossz"_s, T, 8},
          {u"cseng"_s, I, 0},
          {u"hivoszam"_s, T, 20},
          {u"irany"_s, T, 1},
          {u"hivottszam"_s, T, 20},
          {u"azon1"_s, T, 20},
          {u"belso"_s, B, 0},
          {u"eszk1"_s, T, 20},
          {u"nev1"_s, T, 40},
          {u"eszk2"_s, T, 20},
          {u"nev2"_s, T, 40},
          {u"osszeg"_s, R, 0},
          {u"dijalap"_s, R, 0},
          {u"importfajl"_s, T, 255}},
         // The import's running key, the date ranges of pricing and lists,
         // and pricing's search for unpriced calls.
         {{{u"ID"_s}, true}, {{u"kezdnap"_s}, false}, {{u"osszeg"_s}, false}}},
        {u"Importok"_s,
         {{u"nev"_s, T, 255},
          {u"usr"_s, T, 6},
          {u"dat"_s, T, 10},
          {u"ido"_s, T, 8},
          {u"tip"_s, T, 1},
          {u"ut"_s, T, 0}},
         {{{u"nev"_s}, false}}},
        {u"Account"_s, {{u"azon"_s, T, 20}, {u"nev"_s, T, 60}, {u"tipus"_s, T, 1}}, {{{u"azon"_s}, true}}},
        {u"Ceges"_s, {{u"telszam"_s, T, 20}, {u"megnev"_s, T, 60}}, {{{u"telszam"_s}, true}}},
        // A secret code is at most 10 characters: its encoded form has 40.
        {u"Kodok"_s,
         {{u"kod"_s, T, 10}, {u"tkod"_s, T, 40}, {u"nev"_s, T, 60}, {u"tipus"_s, T, 1}, {u"azon"_s, T, 20}},
         {{{u"azon"_s}, false}}},
        tariffTable(1, QString()),
        tariffTable(2, QString()),
        tariffTable(3, QString()),
    };
}

QString partName(SchemaPart part)
{
    return part == SchemaPart::Users ? u"users"_s : u"data"_s;
}

QString indexName(const TableDefinition& table, const IndexDefinition& index)
{
    return table.name + u'_' + index.columns.join(u'_');
}

QString columnSql(const SqlDialect& dialect, const ColumnDefinition& column)
{
    return column.name + u' ' + dialect.columnType(column.kind, column.width);
}

// The statements that create a table and its indexes when they are missing.
QStringList creationStatements(const SqlDialect& dialect, const TableDefinition& table)
{
    QStringList columns;
    for (const ColumnDefinition& column : table.columns)
        columns.append(columnSql(dialect, column));
    QStringList statements{dialect.createTableIfMissing(table.name, columns)};
    for (const IndexDefinition& index : table.indexes)
        statements.append(
            dialect.createIndexIfMissing(indexName(table, index), table.name, index.columns, index.unique));
    return statements;
}

std::expected<void, QString> execute(QSqlDatabase db, const QString& statement)
{
    QSqlQuery query(db);
    if (!query.exec(statement))
        return std::unexpected(query.lastError().text() + u";("_s + statement + u')');
    return {};
}

std::expected<void, QString> executeAll(QSqlDatabase db, const QStringList& statements)
{
    for (const QString& statement : statements) {
        if (auto done = execute(db, statement); !done)
            return done;
    }
    return {};
}

// Runs work inside one transaction: all of it or nothing.
template <typename Work> std::expected<void, QString> inTransaction(QSqlDatabase db, Work work)
{
    if (!db.transaction())
        return std::unexpected(u"Az adatbázis-tranzakció nem indítható:;"_s + db.lastError().text());
    std::expected<void, QString> result = work();
    if (!result) {
        db.rollback();
        return result;
    }
    if (!db.commit()) {
        const QString error = db.lastError().text();
        db.rollback();
        return std::unexpected(u"Az adatbázis-tranzakció nem zárható le:;"_s + error);
    }
    return {};
}

std::expected<int, QString> readVersion(QSqlDatabase db, SchemaPart part)
{
    QSqlQuery query(db);
    query.prepare(u"select version from "_s + kVersionTable + u" where part = :part"_s);
    query.bindValue(u":part"_s, partName(part));
    if (!query.exec())
        return std::unexpected(query.lastError().text());
    return query.next() ? query.value(0).toInt() : 0;
}

bool hasTable(QSqlDatabase db, const QString& name)
{
    for (const QString& table : db.tables()) {
        if (table.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// Step n brings a catalog from version n - 1 to n. Version 1 creates what is
// missing, so an older catalog whose tables were made by hand keeps its rows.
std::expected<void, QString> upgradeStep(QSqlDatabase db, const SqlDialect& dialect, SchemaPart part, int n)
{
    switch (n) {
    case 1: {
        QStringList statements;
        for (const TableDefinition& table : schemaTables(part))
            statements += creationStatements(dialect, table);
        return executeAll(db, statements);
    }
    default:
        break;
    }
    return std::unexpected(u"Ismeretlen adatbázis-séma lépés: "_s + QString::number(n));
}

} // namespace

std::optional<ColumnDefinition> TableDefinition::column(const QString& columnName) const
{
    for (const ColumnDefinition& c : columns) {
        if (c.name.compare(columnName, Qt::CaseInsensitive) == 0)
            return c;
    }
    return std::nullopt;
}

const QList<TableDefinition>& schemaTables(SchemaPart part)
{
    static const QList<TableDefinition> users = userTables();
    static const QList<TableDefinition> data = dataTables();
    return part == SchemaPart::Users ? users : data;
}

QString tariffTableName(int n, const QString& groupLetter)
{
    return u"Dijak"_s + QString::number(n) + groupLetter;
}

std::optional<TableDefinition> tableDefinition(const QString& table)
{
    for (SchemaPart part : {SchemaPart::Users, SchemaPart::Data}) {
        for (const TableDefinition& definition : schemaTables(part)) {
            if (definition.name.compare(table, Qt::CaseInsensitive) == 0)
                return definition;
        }
    }
    // Group copies: Dijak1A ... Dijak3F.
    if (table.size() == 7 && table.startsWith(u"Dijak"_s, Qt::CaseInsensitive)) {
        const int n = table[5].digitValue();
        const QChar letter = table[6].toUpper();
        if (n >= 1 && n <= 3 && letter >= u'A' && letter <= u'F')
            return tariffTable(n, QString(letter));
    }
    return std::nullopt;
}

int columnWidth(const QString& table, const QString& column)
{
    const auto definition = tableDefinition(table);
    if (!definition)
        return -1;
    const auto c = definition->column(column);
    if (!c)
        return -1;
    return c->kind == ColumnKind::Text ? c->width : 0;
}

std::expected<int, QString> schemaVersion(QSqlDatabase db, SchemaPart part)
{
    if (!hasTable(db, kVersionTable))
        return 0;
    return readVersion(db, part);
}

std::expected<void, QString> ensureSchema(QSqlDatabase db, const SqlDialect& dialect, SchemaPart part)
{
    return inTransaction(db, [&]() -> std::expected<void, QString> {
        // Asked first, so that a current catalog runs no creation statement.
        if (!hasTable(db, kVersionTable)) {
            const QStringList versionTable{dialect.createTableIfMissing(
                kVersionTable,
                {u"part "_s + dialect.columnType(ColumnKind::Text, 20) + u" primary key"_s,
                 u"version "_s + dialect.columnType(ColumnKind::Integer, 0) + u" not null"_s})};
            if (auto done = executeAll(db, versionTable); !done)
                return done;
        }
        const auto stored = readVersion(db, part);
        if (!stored)
            return std::unexpected(stored.error());
        if (*stored > kSchemaVersion) {
            return std::unexpected(u"Az adatbázis a program újabb változatához készült (séma "_s +
                                   QString::number(*stored) + u", a program ismerete: "_s +
                                   QString::number(kSchemaVersion) + u")."_s);
        }
        if (*stored == kSchemaVersion)
            return {};
        for (int n = *stored + 1; n <= kSchemaVersion; ++n) {
            if (auto done = upgradeStep(db, dialect, part, n); !done)
                return done;
        }
        QSqlQuery record(db);
        record.prepare(
            *stored == 0 ? u"insert into "_s + kVersionTable + u" (part, version) values (:part, :version)"_s
                         : u"update "_s + kVersionTable + u" set version = :version where part = :part"_s);
        record.bindValue(u":part"_s, partName(part));
        record.bindValue(u":version"_s, kSchemaVersion);
        if (!record.exec())
            return std::unexpected(record.lastError().text());
        return {};
    });
}

std::expected<void, QString> ensureTariffTables(QSqlDatabase db, const SqlDialect& dialect,
                                                const QString& groupLetter)
{
    // The letter becomes part of table names: only A to F.
    if (groupLetter.size() != 1 || groupLetter[0] < u'A' || groupLetter[0] > u'F')
        return std::unexpected(u"Ismeretlen fővonal csoport: "_s + groupLetter);
    return inTransaction(db, [&]() -> std::expected<void, QString> {
        QStringList statements;
        for (int n = 1; n <= 3; ++n) {
            if (!hasTable(db, tariffTableName(n, groupLetter)))
                statements += creationStatements(dialect, tariffTable(n, groupLetter));
        }
        return executeAll(db, statements);
    });
}
