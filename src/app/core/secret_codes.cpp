#include "core/secret_codes.h"

#include "core/cp1250.h"
#include "core/data_module.h"
#include "core/password.h"
#include "core/text_utils.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct CodeRow {
    QString kod;
    QString tkod;
    QString nev;
    QString tipus;
    QString azon;
};

using Result = std::expected<void, QString>;

std::unexpected<QString> failed(const QSqlQuery& query)
{
    return std::unexpected(query.lastError().text());
}

std::expected<std::vector<CodeRow>, QString> readCodes(QSqlDatabase db)
{
    QSqlQuery query(db);
    if (!query.exec(u"select kod, tkod, nev, tipus, azon from Kodok"_s))
        return failed(query);
    std::vector<CodeRow> rows;
    while (query.next()) {
        rows.push_back({query.value(0).toString(), query.value(1).toString(), query.value(2).toString(),
                        query.value(3).toString(), query.value(4).toString()});
    }
    return rows;
}

Result writeCodes(QSqlDatabase db, const std::vector<CodeRow>& rows)
{
    QSqlQuery query(db);
    if (!query.exec(u"delete from Kodok"_s))
        return failed(query);
    query.prepare(
        u"insert into Kodok (kod, tkod, nev, tipus, azon) values (:kod, :tkod, :nev, :tipus, :azon)"_s);
    for (const CodeRow& row : rows) {
        query.bindValue(u":kod"_s, row.kod);
        query.bindValue(u":tkod"_s, row.tkod);
        query.bindValue(u":nev"_s, row.nev);
        query.bindValue(u":tipus"_s, row.tipus);
        query.bindValue(u":azon"_s, row.azon);
        if (!query.exec())
            return failed(query);
    }
    return {};
}

Result mirrorIntoAccount(QSqlDatabase db, const CodeRow& row)
{
    QSqlQuery find(db);
    find.prepare(u"select count(*) from Account where azon = :azon"_s);
    find.bindValue(u":azon"_s, row.azon);
    if (!find.exec() || !find.next())
        return failed(find);
    QSqlQuery write(db);
    write.prepare(find.value(0).toInt() == 0
                      ? u"insert into Account (azon, nev, tipus) values (:azon, :nev, :tipus)"_s
                      : u"update Account set nev = :nev, tipus = :tipus where azon = :azon"_s);
    write.bindValue(u":azon"_s, row.azon);
    write.bindValue(u":nev"_s, row.nev);
    write.bindValue(u":tipus"_s, row.tipus);
    if (!write.exec())
        return failed(write);
    return {};
}

template <typename Work> Result inTransaction(QSqlDatabase db, Work work)
{
    if (!db.transaction())
        return std::unexpected(db.lastError().text());
    Result result = work();
    if (!result || !db.commit()) {
        const QString error = result ? db.lastError().text() : result.error();
        db.rollback();
        return std::unexpected(error);
    }
    return {};
}

} // namespace

std::expected<QString, QString> decodeSecretCodes(Tdm1& dm)
{
    auto db = dm.acAdatok();
    if (!db)
        return std::unexpected(db.error());
    QString highest = u"A0000"_s;
    const Result done = inTransaction(*db, [&]() -> Result {
        auto rows = readCodes(*db);
        if (!rows)
            return std::unexpected(rows.error());
        for (CodeRow& row : *rows) {
            if (cp1250::compare(row.azon, highest) > 0)
                highest = row.azon;
            if (!row.tkod.isEmpty())
                row.kod = DecodeTextA(row.tkod);
        }
        return writeCodes(*db, *rows);
    });
    if (!done)
        return std::unexpected(done.error());
    return highest;
}

std::expected<void, QString> encodeSecretCodes(Tdm1& dm, const QString& highestAccount)
{
    auto db = dm.acAdatok();
    if (!db)
        return std::unexpected(db.error());
    return inTransaction(*db, [&]() -> Result {
        auto rows = readCodes(*db);
        if (!rows)
            return std::unexpected(rows.error());
        QString highest = highestAccount;
        for (CodeRow& row : *rows) {
            if (row.azon.isEmpty()) {
                highest = IncTrailingNumber(highest, 1);
                row.azon = highest;
            }
            if (auto mirrored = mirrorIntoAccount(*db, row); !mirrored)
                return mirrored;
            if (row.tkod.isEmpty())
                row.tkod = EncodeTextA(row.kod, 40);
            if (!row.tkod.isEmpty())
                row.kod.clear();
        }
        return writeCodes(*db, *rows);
    });
}
