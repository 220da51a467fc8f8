#include "core/sqlite_batch.h"

#include <QSqlDriver>
#include <QVariant>

#include <sqlite3.h>

std::unique_ptr<SqliteBatchInsert> SqliteBatchInsert::open(QSqlDatabase db, const QString& sql, int rows,
                                                           int columns)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    sqlite3* connection = *static_cast<sqlite3* const*>(handle.constData());
    sqlite3_stmt* statement = nullptr;
    const QByteArray text = sql.toUtf8();
    if (!connection ||
        sqlite3_prepare_v2(connection, text.constData(), int(text.size()), &statement, nullptr) != SQLITE_OK)
        return nullptr;
    std::unique_ptr<SqliteBatchInsert> batch(new SqliteBatchInsert(connection, statement));
    batch->m_spans.reserve(size_t(rows * columns));
    return batch;
}

SqliteBatchInsert::~SqliteBatchInsert()
{
    sqlite3_finalize(m_statement);
}

// The UTF-8 form of a text, appended to the batch's buffer: call texts are
// almost always plain ASCII, copied without a conversion or an allocation.
void SqliteBatchInsert::appendText(const QString& text)
{
    const qsizetype start = m_buffer.size();
    bool ascii = true;
    for (QChar c : text) {
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
        m_buffer.append(char(c.unicode()));
    }
    if (!ascii) {
        m_buffer.truncate(start);
        m_buffer.append(text.toUtf8());
    }
    m_spans.push_back({start, m_buffer.size() - start});
}

bool SqliteBatchInsert::exec(const std::vector<const ForgRow*>& rows)
{
    // The texts first, all into one buffer that then stays put while bound.
    m_buffer.clear();
    m_spans.clear();
    for (const ForgRow* r : rows) {
        for (const QString* text :
             {&r->kezdnap, &r->kezdido, &r->hossz, &r->hivoszam, &r->irany, &r->hivottszam, &r->azon1, &r->id,
              &r->eszk1, &r->nev1, &r->eszk2, &r->nev2, &r->importfajl})
            appendText(*text);
    }
    sqlite3_reset(m_statement);
    bool bound = true;
    int i = 0;
    size_t span = 0;
    const auto bindText = [&] {
        const auto [start, length] = m_spans[span++];
        return sqlite3_bind_text(m_statement, ++i, m_buffer.constData() + start, int(length),
                                 SQLITE_STATIC) == SQLITE_OK;
    };
    // The same column order and storage classes as the statement Qt runs.
    for (const ForgRow* r : rows) {
        bound = bound && bindText() && bindText() && bindText() &&                    // kezdnap kezdido hossz
                sqlite3_bind_int64(m_statement, ++i, r->cseng) == SQLITE_OK &&        // cseng
                bindText() && bindText() && bindText() && bindText() &&               // hivoszam .. azon1
                sqlite3_bind_int(m_statement, ++i, r->belso ? 1 : 0) == SQLITE_OK &&  // belso
                bindText() && bindText() && bindText() && bindText() && bindText() && // ID .. nev2
                sqlite3_bind_double(m_statement, ++i, double(r->osszeg)) == SQLITE_OK && // osszeg
                bindText();                                                              // importfajl
    }
    const bool done = bound && sqlite3_step(m_statement) == SQLITE_DONE;
    if (!done)
        m_error = QString::fromUtf8(sqlite3_errmsg(m_handle));
    sqlite3_reset(m_statement);
    return done;
}
