#pragma once

#include <QString>

class IniFile;

// The database kinds of [CONNECT1] Type. DBASE is the embedded single-file
// database in a catalog folder, MSSQL a SQL Server catalog over ODBC, PGSQL a
// PostgreSQL database.
enum class DatabaseType { Unknown = 0, DBase = 1, MsSql = 2, PgSql = 3 };

// Exact, upper-case names only: "dbase" is not recognised.
DatabaseType databaseTypeOf(const QString& typeText);
QString databaseTypeName(DatabaseType type);

// The main INI file: the first command-line argument when one is given,
// otherwise Teloran.ini in the executable's folder.
QString mainIniFileName(const QString& firstArgument, const QString& executableFolder);

// The base directory is a plain prefix of file names, so it must end with a
// separator; one is added when the setting lacks it. An empty value stays empty.
QString withTrailingSeparator(const QString& folder);

// MAIN/BaseDirectory of the main INI file, with its trailing separator.
QString readBaseDirectory(const IniFile& mainIni);

// [CONNECT1] of the main INI file. Each of the six texts is a complete
// fragment of a connection string ("Initial Catalog=Teloran;"); they are only
// ever concatenated.
struct ConnectionSettings {
    QString provider;
    QString dataSource;
    QString userId;
    QString password;
    QString initCatalog;
    QString extProp;
    QString typeText;
    DatabaseType type = DatabaseType::Unknown;

    static ConnectionSettings read(const IniFile& mainIni);

    QString mainConnectionString() const;

    // The catalog fragment of the data connection: the folder Adat of the
    // base directory for DBASE, the catalog Teloran for MSSQL, the main
    // catalog for PGSQL (one database holds users and data). An unknown type
    // keeps the main catalog and is not recognised.
    struct DataCatalog {
        QString fragment;
        bool recognised = true;
    };
    DataCatalog dataCatalog(const QString& baseDirectory) const;
    QString dataConnectionString(const QString& baseDirectory) const;

private:
    QString withCatalog(const QString& catalogFragment) const;
};

// Section and key names of the main INI file.
namespace mainini {
inline const QString kMain = QStringLiteral("MAIN");
inline const QString kBaseDirectory = QStringLiteral("BaseDirectory");
inline const QString kConnect = QStringLiteral("CONNECT1");
} // namespace mainini
