#include "core/installer.h"

#include "core/data_module.h"
#include "core/ini_file.h"
#include "core/users.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

QString fragment(const QString& name, const QString& value)
{
    return value.isEmpty() ? QString() : name + u'=' + value + u';';
}

std::expected<void, QString> writeMainIni(const QString& fileName, const QString& baseDirectory,
                                          const ConnectionSettings& s)
{
    IniFile ini(fileName);
    const QString connect(mainini::kConnect);
    const std::pair<QString, QString> values[] = {
        {u"Provider"_s, s.provider}, {u"DataSource"_s, s.dataSource},   {u"UserID"_s, s.userId},
        {u"Password"_s, s.password}, {u"InitCatalog"_s, s.initCatalog}, {u"ExtProp"_s, s.extProp},
        {u"Type"_s, s.typeText},
    };
    if (auto written =
            ini.writeString(QString(mainini::kMain), QString(mainini::kBaseDirectory), baseDirectory);
        !written)
        return std::unexpected(written.error());
    for (const auto& [key, value] : values) {
        if (auto written = ini.writeString(connect, key, value); !written)
            return std::unexpected(written.error());
    }
    return {};
}

// Both connections get their tables; the users table its main user.
std::expected<void, QString> prepareDatabase(const QString& iniName, const QString& base,
                                             const InstallOptions& options)
{
    Tdm1 dm(IniFile(iniName), base);
    if (auto data = dm.acAdatok(); !data)
        return std::unexpected(data.error());
    UserTable users(dm);
    const auto existing = users.rows();
    if (!existing)
        return std::unexpected(existing.error());
    if (!existing->empty()) {
        return std::unexpected(
            u"A felhasználók táblájában már vannak felhasználók; új fő felhasználó nem jön létre."_s);
    }
    const auto azon = users.add(options.userName, options.userPassword);
    if (!azon)
        return std::unexpected(azon.error());
    return {};
}

} // namespace

ConnectionSettings installConnectionSettings(const InstallOptions& options)
{
    ConnectionSettings s;
    s.type = options.type;
    s.typeText = databaseTypeName(options.type);
    const QString base = withTrailingSeparator(QDir::cleanPath(QDir(options.baseDirectory).absolutePath()));
    switch (options.type) {
    case DatabaseType::DBase:
        s.provider = u"Provider=SQLite;"_s;
        // The users lie in the base directory, the data in its folder Adat.
        s.initCatalog = fragment(u"Initial Catalog"_s, base);
        break;
    case DatabaseType::PgSql:
    case DatabaseType::MsSql: {
        s.provider =
            options.type == DatabaseType::PgSql ? u"Provider=PostgreSQL;"_s : u"Provider=SQLOLEDB;"_s;
        const QString server = options.port.isEmpty() ? options.server : options.server + u',' + options.port;
        s.dataSource = fragment(u"Data Source"_s, server);
        s.userId = fragment(u"User ID"_s, options.databaseUser);
        s.password = fragment(u"Password"_s, options.databasePassword);
        s.initCatalog =
            fragment(u"Initial Catalog"_s, options.catalog.isEmpty() ? u"Teloran"_s : options.catalog);
        if (!options.extraProperties.isEmpty())
            s.extProp = u"Extended Properties=\""_s + options.extraProperties + u"\";"_s;
        break;
    }
    case DatabaseType::Unknown:
        break;
    }
    return s;
}

std::expected<QString, QString> installTeloran(const InstallOptions& options)
{
    if (options.type == DatabaseType::Unknown)
        return std::unexpected(u"Nem azonosított adatbázis típus !"_s);
    if (options.userName.isEmpty())
        return std::unexpected(u"A felhasználónév nem lehet üres !"_s);
    if (options.userName.size() > kUserNameLength)
        return std::unexpected(u"A felhasználónév legfeljebb 16 karakter lehet !"_s);
    if (options.userPassword.size() > kPasswordLength)
        return std::unexpected(u"A jelszó legfeljebb 10 karakter lehet !"_s);

    const QString base = withTrailingSeparator(QDir::cleanPath(QDir(options.baseDirectory).absolutePath()));
    if (!QDir().mkpath(base + u"Adat"_s))
        return std::unexpected(u"A mappa nem hozható létre: "_s + base + u"Adat"_s);
    const QString iniName = base + u"Teloran.ini"_s;
    if (QFileInfo::exists(iniName))
        return std::unexpected(u"Ebben a mappában már van Teloran.ini: "_s + iniName);
    auto done = writeMainIni(iniName, base, installConnectionSettings(options));
    if (done)
        done = prepareDatabase(iniName, base, options);
    if (!done) {
        // A half-made installation would refuse the next attempt.
        QFile::remove(iniName);
        return std::unexpected(done.error());
    }
    return iniName;
}
