#include "core/users.h"

#include "core/data_module.h"
#include "core/messages.h"
#include "core/password.h"
#include "core/text_utils.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

using namespace Qt::StringLiterals;

namespace {

std::unexpected<QString> failed(const QSqlQuery& query)
{
    return std::unexpected(query.lastError().text());
}

UserRow rowOf(const QSqlQuery& query)
{
    return {query.value(0).toString(), query.value(1).toString(), query.value(2).toString()};
}

} // namespace

QString encodeUserPassword(const QString& password)
{
    return EncodeTextA(password, kPasswordWidth);
}

std::expected<std::vector<UserRow>, QString> UserTable::rows() const
{
    auto query = m_dm.qrNevek();
    if (!query)
        return std::unexpected(query.error());
    if (!query->exec(u"select nev, jelszo, azon from Nevek order by azon"_s))
        return failed(*query);
    std::vector<UserRow> result;
    while (query->next())
        result.push_back(rowOf(*query));
    return result;
}

std::expected<std::optional<UserRow>, QString> UserTable::findByName(const QString& nev) const
{
    auto query = m_dm.qrNevek();
    if (!query)
        return std::unexpected(query.error());
    query->prepare(u"select nev, jelszo, azon from Nevek where nev = :nev"_s);
    query->bindValue(u":nev"_s, nev);
    if (!query->exec())
        return failed(*query);
    if (!query->next())
        return std::optional<UserRow>();
    return std::optional<UserRow>(rowOf(*query));
}

std::expected<int, QString> UserTable::countByName(const QString& nev) const
{
    auto query = m_dm.qrNevek();
    if (!query)
        return std::unexpected(query.error());
    query->prepare(u"select count(nev) as darab from Nevek where nev = :nev"_s);
    query->bindValue(u":nev"_s, nev);
    if (!query->exec() || !query->next())
        return failed(*query);
    return query->value(0).toInt();
}

std::expected<QString, QString> UserTable::nextIdentifier() const
{
    auto query = m_dm.qrNevek();
    if (!query)
        return std::unexpected(query.error());
    if (!query->exec(m_dm.dialect().selectFirst(u"azon as lastazon"_s, u"from Nevek order by azon desc"_s)))
        return failed(*query);
    if (!query->next())
        return QString(kMainUser);
    return IncTrailingNumber(query->value(0).toString(), 1);
}

std::expected<QString, QString> UserTable::add(const QString& nev, const QString& password)
{
    const auto azon = nextIdentifier();
    if (!azon)
        return azon;
    auto query = m_dm.qrNevek();
    if (!query)
        return std::unexpected(query.error());
    query->prepare(u"insert into Nevek (nev, jelszo, azon) values (:nev, :jelszo, :azon)"_s);
    query->bindValue(u":nev"_s, nev);
    query->bindValue(u":jelszo"_s, encodeUserPassword(password));
    query->bindValue(u":azon"_s, *azon);
    if (!query->exec())
        return failed(*query);
    return azon;
}

std::expected<void, QString> UserTable::remove(const QString& azon)
{
    auto query = m_dm.qrNevek();
    if (!query)
        return std::unexpected(query.error());
    query->prepare(u"delete from Nevek where azon = :azon"_s);
    query->bindValue(u":azon"_s, azon);
    if (!query->exec())
        return failed(*query);
    return {};
}

std::expected<bool, QString> UserTable::setPassword(const QString& azon, const QString& password)
{
    auto query = m_dm.qrNevek();
    if (!query)
        return std::unexpected(query.error());
    query->prepare(u"update Nevek set jelszo = :jelszo where upper(azon) = upper(:azon)"_s);
    query->bindValue(u":jelszo"_s, encodeUserPassword(password));
    query->bindValue(u":azon"_s, azon);
    if (!query->exec())
        return failed(*query);
    return query->numRowsAffected() > 0;
}

UserMaintenance::UserMaintenance(UserTable& table, QString currentUser)
    : m_table(table), m_currentUser(std::move(currentUser))
{
}

bool UserMaintenance::mainUserButtonsVisible() const
{
    return m_currentUser == kMainUser;
}

UserMaintenance::InputCheck UserMaintenance::checkInput(InputMode mode, const QString& user,
                                                        const QString& password1,
                                                        const QString& password2) const
{
    if (mode == InputMode::NewUser) {
        // An empty name could never be told apart at the login.
        if (user.isEmpty()) {
            Uzenet(u"A felhasználónév nem lehet üres !"_s, u'H', u"R"_s);
            return {false, InputFocus::User, false};
        }
        if (user.size() > kUserNameLength) {
            Uzenet(u"A felhasználónév legfeljebb 16 karakter lehet !"_s, u'H', u"R"_s);
            return {false, InputFocus::User, false};
        }
        const auto count = m_table.countByName(user);
        if (!count) {
            ShowPlainMessage(count.error());
            return {false, InputFocus::User, false};
        }
        if (*count != 0) {
            Uzenet(u"Ez a felhasználónév már foglalt !"_s, u'H', u"R"_s);
            return {false, InputFocus::User, false};
        }
    }
    if (password1 != password2) {
        Uzenet(u"A két jelszó nem egyezik meg!"_s, u'H', u"R"_s);
        return {false, InputFocus::Password1, true};
    }
    if (password1.size() > kPasswordLength) {
        Uzenet(u"A jelszó legfeljebb 10 karakter lehet !"_s, u'H', u"R"_s);
        return {false, InputFocus::Password1, true};
    }
    return {true, InputFocus::None, false};
}

std::optional<QString> UserMaintenance::addUser(const QString& user, const QString& password)
{
    const auto azon = m_table.add(user, password);
    if (!azon) {
        ShowPlainMessage(azon.error());
        return std::nullopt;
    }
    return *azon;
}

bool UserMaintenance::deleteUser(const UserRow& selected)
{
    if (selected.azon == kMainUser) {
        Uzenet(u"A fő felhasználó (USR001) nem törölhető."_s, u'I', u"R"_s);
        return false;
    }
    if (Uzenet(u"Biztos benne? (Törlés: "_s + selected.nev + u")"_s, u'K', u"IN"_s) != mrYes)
        return false;
    if (const auto removed = m_table.remove(selected.azon); !removed) {
        ShowPlainMessage(removed.error());
        return false;
    }
    return true;
}

bool UserMaintenance::mayChangePassword(const UserRow& selected) const
{
    if (m_currentUser != kMainUser && selected.azon != m_currentUser) {
        Uzenet(u"Csak a saját jelszó módosítható."_s, u'I', u"R"_s);
        return false;
    }
    return true;
}

bool UserMaintenance::changePassword(const QString& azon, const QString& password)
{
    const auto written = m_table.setPassword(azon, password);
    if (!written) {
        ShowPlainMessage(written.error());
        return false;
    }
    if (!*written) {
        Uzenet(u"Nem sikerült a frissítés. (Nevek.dbf íráshiba)"_s, u'H', u"R"_s);
        return false;
    }
    return true;
}
