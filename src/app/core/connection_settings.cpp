#include "core/connection_settings.h"

#include "core/ini_file.h"

#include <QDir>

using namespace Qt::StringLiterals;

DatabaseType databaseTypeOf(const QString& typeText)
{
    if (typeText == u"DBASE")
        return DatabaseType::DBase;
    if (typeText == u"MSSQL")
        return DatabaseType::MsSql;
    if (typeText == u"PGSQL")
        return DatabaseType::PgSql;
    return DatabaseType::Unknown;
}

QString databaseTypeName(DatabaseType type)
{
    switch (type) {
    case DatabaseType::DBase:
        return u"DBASE"_s;
    case DatabaseType::MsSql:
        return u"MSSQL"_s;
    case DatabaseType::PgSql:
        return u"PGSQL"_s;
    case DatabaseType::Unknown:
        break;
    }
    return QString();
}

QString mainIniFileName(const QString& firstArgument, const QString& executableFolder)
{
    if (!firstArgument.isEmpty())
        return firstArgument;
    return QDir(executableFolder).filePath(u"Teloran.ini"_s);
}

QString withTrailingSeparator(const QString& folder)
{
    if (folder.isEmpty() || folder.endsWith(u'/') || folder.endsWith(u'\\'))
        return folder;
    return folder + u'/';
}

QString readBaseDirectory(const IniFile& mainIni)
{
    return withTrailingSeparator(
        mainIni.readString(QString(mainini::kMain), QString(mainini::kBaseDirectory)));
}

ConnectionSettings ConnectionSettings::read(const IniFile& mainIni)
{
    const QString section(mainini::kConnect);
    ConnectionSettings s;
    s.provider = mainIni.readString(section, u"Provider"_s);
    s.dataSource = mainIni.readString(section, u"DataSource"_s);
    s.userId = mainIni.readString(section, u"UserID"_s);
    s.password = mainIni.readString(section, u"Password"_s);
    s.initCatalog = mainIni.readString(section, u"InitCatalog"_s);
    s.extProp = mainIni.readString(section, u"ExtProp"_s);
    s.typeText = mainIni.readString(section, u"Type"_s);
    s.type = databaseTypeOf(s.typeText);
    return s;
}

QString ConnectionSettings::withCatalog(const QString& catalogFragment) const
{
    return provider + dataSource + userId + password + catalogFragment + extProp;
}

QString ConnectionSettings::mainConnectionString() const
{
    return withCatalog(initCatalog);
}

ConnectionSettings::DataCatalog ConnectionSettings::dataCatalog(const QString& baseDirectory) const
{
    switch (type) {
    case DatabaseType::DBase:
        return {u"Initial Catalog="_s + baseDirectory + u"Adat/;"_s, true};
    case DatabaseType::MsSql:
        return {u"Initial Catalog=Teloran;"_s, true};
    case DatabaseType::PgSql:
        return {initCatalog, true};
    case DatabaseType::Unknown:
        break;
    }
    return {initCatalog, false};
}

QString ConnectionSettings::dataConnectionString(const QString& baseDirectory) const
{
    return withCatalog(dataCatalog(baseDirectory).fragment);
}
