#pragma once

#include "core/connection_settings.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <expected>
#include <utility>

// The pairs of a connection string of the form "Name=value;Name=value;".
// Names compare without regard to letter case and surrounding blanks; a value
// may be put in double or single quotes to hold a ";" (Extended
// Properties="a=1;b=2").
class ConnectionString {
public:
    static ConnectionString parse(const QString& text);

    bool contains(const QString& name) const;
    // The value of the first pair with that name; empty when there is none.
    QString value(const QString& name) const;
    const QList<std::pair<QString, QString>>& pairs() const { return m_pairs; }

private:
    QList<std::pair<QString, QString>> m_pairs;
};

// What Qt's database layer needs to open one connection.
struct SqlConnectionOptions {
    QString driver;       // QSQLITE, QPSQL, QODBC
    QString databaseName; // file, database, or the whole ODBC connection text
    QString hostName;
    int port = -1;
    QString userName;
    QString password;
    QString connectOptions;

    bool operator==(const SqlConnectionOptions&) const = default;
};

// The file of the embedded database in its catalog folder.
inline const QString kEmbeddedDatabaseFile = QStringLiteral("Teloran.db");

// Reads a connection string built from the [CONNECT1] fragments into Qt's
// settings:
// - DBASE: the folder in Initial Catalog (or, without one, Data Source) holds
//   the embedded database file Teloran.db;
// - PGSQL: Data Source is the host (a socket folder or a name), optionally
//   followed by "," and the port; Initial Catalog the database; User ID and
//   Password the login; a Port pair sets the port too; Extended Properties
//   and any other pairs are handed to the server library (sslmode=require);
// - MSSQL: an ODBC connection text (odbcConnectionText).
// Provider and Persist Security Info only name the original drivers and are
// not used.
std::expected<SqlConnectionOptions, QString> sqlConnectionOptions(DatabaseType type,
                                                                  const QString& connectionString);

// The ODBC text for SQL Server: Data Source -> SERVER, Initial Catalog ->
// DATABASE, User ID -> UID, Password -> PWD, Integrated Security=SSPI ->
// Trusted_Connection=yes; the driver is the Driver pair when one is given,
// else "ODBC Driver 18 for SQL Server" (none when a DSN is given);
// Extended Properties and other pairs follow as they are.
QString odbcConnectionText(const ConnectionString& pairs);

// Adds a Qt connection under the given name, with the options of the
// connection string, and opens it. The error text names what failed.
std::expected<QSqlDatabase, QString> openSqlConnection(const QString& connectionName, DatabaseType type,
                                                       const QString& connectionString);
