#include "core/account_codes.h"

#include "core/cp1250.h"
#include "core/password.h"
#include "core/text_utils.h"

#include <QSqlError>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace {

// Secret codes are stored encoded in 40 characters.
constexpr int kEncodedCodeWidth = 40;

QString sqlError(const QSqlQuery& query)
{
    return query.lastError().text();
}

} // namespace

std::expected<void, QString> AccountCodeCache::open(QSqlDatabase db)
{
    m_db = db;
    m_accounts.clear();
    m_lastAccount.clear();
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(u"select tkod, azon from Kodok"_s))
        return std::unexpected(sqlError(query));
    while (query.next()) {
        const QString account = query.value(1).toString();
        // A code stored more than once keeps the account of its last row.
        m_accounts.insert(DecodeTextA(query.value(0).toString()).toCaseFolded(), account);
        if (cp1250::compare(account, m_lastAccount) > 0)
            m_lastAccount = account;
    }
    commit();
    return {};
}

std::expected<QString, QString> AccountCodeCache::get(const QString& code)
{
    const QString key = code.toCaseFolded();
    if (const auto found = m_accounts.constFind(key); found != m_accounts.constEnd())
        return *found;
    const QString account = m_lastAccount.isEmpty() ? u"A0001"_s : IncTrailingNumber(m_lastAccount, 1);
    QSqlQuery insert(m_db);
    insert.prepare(u"insert into Kodok (tkod, azon) values (?, ?)"_s);
    insert.addBindValue(EncodeTextA(code, kEncodedCodeWidth));
    insert.addBindValue(account);
    if (!insert.exec())
        return std::unexpected(sqlError(insert));
    m_accounts.insert(key, account);
    m_lastAccount = account;
    return account;
}

void AccountCodeCache::commit()
{
    m_committedAccounts = m_accounts;
    m_committedLast = m_lastAccount;
}

void AccountCodeCache::rollback()
{
    m_accounts = m_committedAccounts;
    m_lastAccount = m_committedLast;
}

void AccountCodeCache::close()
{
    m_accounts.clear();
    m_committedAccounts.clear();
    m_db = QSqlDatabase();
}
