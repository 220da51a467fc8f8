#include "core/sql_dialect.h"

using namespace Qt::StringLiterals;

const SqlDialect& SqlDialect::of(DatabaseType type)
{
    static const SqlDialect embedded(DatabaseType::DBase);
    static const SqlDialect sqlServer(DatabaseType::MsSql);
    static const SqlDialect postgres(DatabaseType::PgSql);
    switch (type) {
    case DatabaseType::MsSql:
        return sqlServer;
    case DatabaseType::PgSql:
        return postgres;
    case DatabaseType::DBase:
    case DatabaseType::Unknown:
        break;
    }
    return embedded;
}

QString SqlDialect::selectFirst(const QString& selectList, const QString& fromAndOrder) const
{
    if (isSqlServer())
        return u"select top 1 "_s + selectList + u' ' + fromAndOrder;
    return u"select "_s + selectList + u' ' + fromAndOrder + u" limit 1"_s;
}

QString SqlDialect::firstValue(const QString& expression) const
{
    return u"min("_s + expression + u')';
}

QString SqlDialect::booleanLiteral(bool value) const
{
    if (m_type == DatabaseType::PgSql)
        return value ? u"true"_s : u"false"_s;
    return value ? u"1"_s : u"0"_s;
}

QString SqlDialect::isTrue(const QString& column) const
{
    if (m_type == DatabaseType::PgSql)
        return column;
    return column + u" <> 0"_s;
}

QString SqlDialect::isFalse(const QString& column) const
{
    if (m_type == DatabaseType::PgSql)
        return u"not "_s + column;
    return column + u" = 0"_s;
}

QString SqlDialect::concat(const QStringList& expressions) const
{
    return expressions.join(isSqlServer() ? u" + "_s : u" || "_s);
}

QString SqlDialect::storedName(const QString& table) const
{
    return m_type == DatabaseType::PgSql ? table.toLower() : table;
}

QString SqlDialect::columnType(ColumnKind kind, int width) const
{
    switch (kind) {
    case ColumnKind::Text:
        if (isSqlServer())
            return width > 0 ? u"nvarchar(%1)"_s.arg(width) : u"nvarchar(max)"_s;
        return width > 0 ? u"varchar(%1)"_s.arg(width) : u"text"_s;
    case ColumnKind::Real:
        if (isSqlServer())
            return u"float"_s;
        return m_type == DatabaseType::PgSql ? u"double precision"_s : u"real"_s;
    case ColumnKind::Integer:
        return isSqlServer() ? u"int"_s : u"integer"_s;
    case ColumnKind::Boolean:
        return isSqlServer() ? u"bit"_s : u"boolean"_s;
    }
    return QString();
}

QString SqlDialect::createTableIfMissing(const QString& table, const QStringList& columnDefinitions) const
{
    const QString body = table + u" ("_s + columnDefinitions.join(u", "_s) + u')';
    if (isSqlServer())
        return u"if object_id(N'"_s + table + u"', N'U') is null create table "_s + body;
    return u"create table if not exists "_s + body;
}

QString SqlDialect::createIndexIfMissing(const QString& index, const QString& table,
                                         const QStringList& columns, bool unique) const
{
    const QString create = (unique ? u"create unique index "_s : u"create index "_s);
    const QString rest = index + u" on "_s + table + u" ("_s + columns.join(u", "_s) + u')';
    if (isSqlServer()) {
        return u"if not exists (select * from sys.indexes where name = N'"_s + index + u"') "_s + create +
               rest;
    }
    return create + u"if not exists "_s + rest;
}
