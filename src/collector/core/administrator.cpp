#include "core/administrator.h"

#include "core/cp1250.h"
#include "core/ini_file.h"
#include "core/kalvix_settings.h"
#include "core/password.h"

using namespace Qt::StringLiterals;

namespace {

// Every value the encoder makes starts with a code of at least this.
constexpr int kLowestFirstCode = 130;

bool looksEncoded(const QString& value)
{
    return !value.isEmpty() && cp1250::byteOf(value.front()) >= kLowestFirstCode;
}

} // namespace

LoginPanel loginPanel(LoginPurpose purpose)
{
    switch (purpose) {
    case LoginPurpose::Close:
        return {{u"A program bezárása után"_s, u"a tel.központ küldött adatai"_s, u"ELVESZHETNEK !"_s}, true};
    case LoginPurpose::Settings:
        return {{u"A beállítások elvégzéséhez"_s, u"rendszergazdai azonosító"_s, u"és jelszó szükséges !"_s},
                false};
    case LoginPurpose::Stop:
        break;
    }
    return {{u"Kommunikáció leállítása után"_s, u"a tel.központ küldött adatai"_s, u"ELVESZHETNEK !"_s},
            true};
}

QList<AdministratorAccount> administratorAccounts(const IniFile& ini)
{
    QList<AdministratorAccount> accounts = {{u"quintor"_s, u"fenwal"_s}};
    for (int entry = 1; entry <= 3; ++entry) {
        const QString number = QString::number(entry);
        accounts.append({DecodeTextB(ini.readString(kSectionAdmin, u"NEV"_s + number)),
                         DecodeTextB(ini.readString(kSectionAdmin, u"PWD"_s + number))});
    }
    return accounts;
}

std::optional<QString> administratorFileProblem(const IniFile& ini)
{
    if (!ini.exists() || !looksEncoded(ini.readString(kSectionAdmin, u"NEV1"_s)) ||
        !looksEncoded(ini.readString(kSectionAdmin, u"PWD1"_s)))
        return u"A Kalvix.ini fájlt kitörölték, vagy megváltoztatták!"_s;
    return std::nullopt;
}

bool matchesAdministrator(const QList<AdministratorAccount>& accounts, const QString& name,
                          const QString& password)
{
    if (name.isEmpty())
        return false;
    return std::any_of(accounts.begin(), accounts.end(), [&](const AdministratorAccount& account) {
        return account.name == name && account.password == password;
    });
}

std::optional<QString> checkAdministrator(const IniFile& ini, const QString& name, const QString& password)
{
    if (auto problem = administratorFileProblem(ini))
        return problem;
    if (!matchesAdministrator(administratorAccounts(ini), name, password))
        return kLoginRefused;
    return std::nullopt;
}
