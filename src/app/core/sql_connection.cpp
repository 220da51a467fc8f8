#include "core/sql_connection.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>

using namespace Qt::StringLiterals;

namespace {

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Names of the original drivers' pairs that have no meaning here.
bool isIgnored(const QString& name)
{
    return sameName(name, u"Provider"_s) || sameName(name, u"Persist Security Info"_s);
}

bool isOneOf(const QString& name, std::initializer_list<QString> names)
{
    for (const QString& n : names) {
        if (sameName(name, n))
            return true;
    }
    return false;
}

// The pairs that a driver takes as they stand: the content of Extended
// Properties and every pair the adapter does not read itself.
QStringList passedOnPairs(const ConnectionString& pairs, std::initializer_list<QString> known)
{
    QStringList result;
    for (const auto& [name, value] : pairs.pairs()) {
        if (isIgnored(name) || isOneOf(name, known))
            continue;
        if (sameName(name, u"Extended Properties"_s)) {
            const ConnectionString inner = ConnectionString::parse(value);
            for (const auto& [innerName, innerValue] : inner.pairs())
                result.append(innerName + u'=' + innerValue);
        } else {
            result.append(name + u'=' + value);
        }
    }
    return result;
}

std::expected<SqlConnectionOptions, QString> embeddedOptions(const ConnectionString& pairs)
{
    QString folder = pairs.value(u"Initial Catalog"_s);
    if (folder.isEmpty())
        folder = pairs.value(u"Data Source"_s);
    if (folder.isEmpty())
        return std::unexpected(u"Az adatbázis mappája nincs megadva (Initial Catalog)."_s);
    if (!QFileInfo(folder).isDir())
        return std::unexpected(u"Az adatbázis mappája nem létezik: "_s + folder);
    SqlConnectionOptions options;
    options.driver = u"QSQLITE"_s;
    options.databaseName = QDir(folder).filePath(QString(kEmbeddedDatabaseFile));
    // Both connections may reach the same file; a writer waits for the other.
    options.connectOptions = u"QSQLITE_BUSY_TIMEOUT=10000"_s;
    return options;
}

std::expected<SqlConnectionOptions, QString> postgresOptions(const ConnectionString& pairs)
{
    SqlConnectionOptions options;
    options.driver = u"QPSQL"_s;
    QString host = pairs.value(u"Data Source"_s);
    const qsizetype comma = host.lastIndexOf(u',');
    QString port = pairs.value(u"Port"_s);
    if (comma >= 0) {
        port = host.mid(comma + 1).trimmed();
        host = host.left(comma).trimmed();
    }
    options.hostName = host;
    if (!port.isEmpty()) {
        bool ok = false;
        options.port = port.toInt(&ok);
        if (!ok)
            return std::unexpected(u"Hibás port a kapcsolatban: "_s + port);
    }
    options.databaseName = pairs.value(u"Initial Catalog"_s);
    options.userName = pairs.value(u"User ID"_s);
    options.password = pairs.value(u"Password"_s);
    options.connectOptions =
        passedOnPairs(pairs, {u"Data Source"_s, u"Port"_s, u"Initial Catalog"_s, u"User ID"_s, u"Password"_s})
            .join(u';');
    return options;
}

} // namespace

ConnectionString ConnectionString::parse(const QString& text)
{
    ConnectionString result;
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype equals = text.indexOf(u'=', pos);
        const qsizetype semicolon = text.indexOf(u';', pos);
        if (equals < 0 || (semicolon >= 0 && semicolon < equals)) {
            // A piece without "=": nothing to read; skip it.
            pos = semicolon < 0 ? text.size() : semicolon + 1;
            continue;
        }
        const QString name = text.mid(pos, equals - pos).trimmed();
        qsizetype valueStart = equals + 1;
        while (valueStart < text.size() && text[valueStart] == u' ')
            ++valueStart;
        QString value;
        qsizetype next = 0;
        const QChar quote = valueStart < text.size() ? text[valueStart] : QChar();
        const qsizetype closing =
            (quote == u'"' || quote == u'\'') ? text.indexOf(quote, valueStart + 1) : qsizetype(-1);
        if (closing > 0) {
            value = text.mid(valueStart + 1, closing - valueStart - 1);
            const qsizetype end = text.indexOf(u';', closing);
            next = end < 0 ? text.size() : end + 1;
        } else {
            const qsizetype end = text.indexOf(u';', valueStart);
            value = text.mid(valueStart, (end < 0 ? text.size() : end) - valueStart).trimmed();
            next = end < 0 ? text.size() : end + 1;
        }
        if (!name.isEmpty())
            result.m_pairs.append({name, value});
        pos = next;
    }
    return result;
}

bool ConnectionString::contains(const QString& name) const
{
    for (const auto& pair : m_pairs) {
        if (sameName(pair.first, name))
            return true;
    }
    return false;
}

QString ConnectionString::value(const QString& name) const
{
    for (const auto& pair : m_pairs) {
        if (sameName(pair.first, name))
            return pair.second;
    }
    return QString();
}

QString odbcConnectionText(const ConnectionString& pairs)
{
    QStringList parts;
    if (pairs.contains(u"Driver"_s))
        parts.append(u"DRIVER="_s + pairs.value(u"Driver"_s));
    else if (!pairs.contains(u"DSN"_s))
        parts.append(u"DRIVER={ODBC Driver 18 for SQL Server}"_s);
    const auto add = [&](const QString& from, const QString& to) {
        if (pairs.contains(from))
            parts.append(to + u'=' + pairs.value(from));
    };
    add(u"Data Source"_s, u"SERVER"_s);
    add(u"Initial Catalog"_s, u"DATABASE"_s);
    add(u"User ID"_s, u"UID"_s);
    add(u"Password"_s, u"PWD"_s);
    if (pairs.contains(u"Integrated Security"_s))
        parts.append(u"Trusted_Connection=yes"_s);
    parts += passedOnPairs(pairs, {u"Driver"_s, u"Data Source"_s, u"Initial Catalog"_s, u"User ID"_s,
                                   u"Password"_s, u"Integrated Security"_s});
    return parts.join(u';') + u';';
}

std::expected<SqlConnectionOptions, QString> sqlConnectionOptions(DatabaseType type,
                                                                  const QString& connectionString)
{
    const ConnectionString pairs = ConnectionString::parse(connectionString);
    switch (type) {
    case DatabaseType::DBase:
        return embeddedOptions(pairs);
    case DatabaseType::PgSql:
        return postgresOptions(pairs);
    case DatabaseType::MsSql: {
        SqlConnectionOptions options;
        options.driver = u"QODBC"_s;
        options.databaseName = odbcConnectionText(pairs);
        return options;
    }
    case DatabaseType::Unknown:
        break;
    }
    return std::unexpected(u"Nem azonosított adatbázis típus !"_s);
}

std::expected<QSqlDatabase, QString> openSqlConnection(const QString& connectionName, DatabaseType type,
                                                       const QString& connectionString)
{
    const auto options = sqlConnectionOptions(type, connectionString);
    if (!options)
        return std::unexpected(options.error());
    if (!QSqlDatabase::isDriverAvailable(options->driver))
        return std::unexpected(u"Hiányzó adatbázis-meghajtó: "_s + options->driver);
    QSqlDatabase db = QSqlDatabase::addDatabase(options->driver, connectionName);
    db.setDatabaseName(options->databaseName);
    if (!options->hostName.isEmpty())
        db.setHostName(options->hostName);
    if (options->port >= 0)
        db.setPort(options->port);
    db.setUserName(options->userName);
    db.setPassword(options->password);
    db.setConnectOptions(options->connectOptions);
    if (!db.open())
        return std::unexpected(u"Az adatbázis nem nyitható meg:;"_s + db.lastError().text());
    return db;
}
