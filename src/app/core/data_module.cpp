#include "core/data_module.h"

#include "core/ini_file.h"
#include "core/messages.h"
#include "core/sql_connection.h"

#include <QSqlError>
#include <QSqlTableModel>

#include <atomic>
#include <functional>

using namespace Qt::StringLiterals;

struct Tdm1::Connection {
    QString name;
    SchemaPart part;
    std::function<QString()> connectionString;
    bool schemaChecked = false;
};

namespace {

QString uniqueConnectionName(const QString& base)
{
    static std::atomic<int> counter{0};
    return base + u'#' + QString::number(++counter);
}

} // namespace

Tdm1::Tdm1(const IniFile& mainIni, const QString& baseDirectory)
    : m_settings(ConnectionSettings::read(mainIni)), m_baseDirectory(baseDirectory)
{
    m_main = std::make_unique<Connection>(Connection{uniqueConnectionName(u"acMain"_s), SchemaPart::Users,
                                                     [this] { return mainConnectionString(); }});
    m_data = std::make_unique<Connection>(Connection{uniqueConnectionName(u"acAdatok"_s), SchemaPart::Data,
                                                     [this] { return dataConnectionString(); }});
}

Tdm1::~Tdm1()
{
    for (auto& model : m_tables)
        model.reset();
    for (Connection* c : {m_main.get(), m_data.get()}) {
        if (QSqlDatabase::contains(c->name)) {
            QSqlDatabase::database(c->name, false).close();
            QSqlDatabase::removeDatabase(c->name);
        }
    }
}

bool Tdm1::prepareDataConnection()
{
    const bool recognised = m_settings.dataCatalog(m_baseDirectory).recognised;
    if (!recognised)
        Uzenet(u"Nem azonosított adatbázis típus !"_s, u'B', u"R"_s);
    if (QSqlDatabase::contains(m_data->name))
        QSqlDatabase::database(m_data->name, false).close();
    return recognised;
}

std::expected<QSqlDatabase, QString> Tdm1::open(Connection& connection)
{
    std::expected<QSqlDatabase, QString> db;
    if (QSqlDatabase::contains(connection.name)) {
        // Closed by prepareDataConnection: opened again with its settings.
        db = QSqlDatabase::database(connection.name, false);
        if (!db->isOpen() && !db->open())
            return std::unexpected(u"Az adatbázis nem nyitható meg:;"_s + db->lastError().text());
    } else {
        db = openSqlConnection(connection.name, m_settings.type, connection.connectionString());
        if (!db) {
            if (QSqlDatabase::contains(connection.name))
                QSqlDatabase::removeDatabase(connection.name);
            return db;
        }
    }
    if (!connection.schemaChecked) {
        if (auto schema = ensureSchema(*db, dialect(), connection.part); !schema) {
            db->close();
            return std::unexpected(u"Az adatbázis szerkezete nem hozható létre:;"_s + schema.error());
        }
        connection.schemaChecked = true;
    }
    return db;
}

std::expected<QSqlDatabase, QString> Tdm1::acMain()
{
    return open(*m_main);
}

std::expected<QSqlDatabase, QString> Tdm1::acAdatok()
{
    return open(*m_data);
}

std::expected<QSqlQuery, QString> Tdm1::query(Connection& connection)
{
    auto db = open(connection);
    if (!db)
        return std::unexpected(db.error());
    return QSqlQuery(*db);
}

std::expected<QSqlQuery, QString> Tdm1::qrNevek()
{
    return query(*m_main);
}

std::expected<QSqlQuery, QString> Tdm1::qrMuv()
{
    return query(*m_data);
}

std::expected<QSqlQuery, QString> Tdm1::qrDij()
{
    return query(*m_data);
}

std::expected<QSqlQuery, QString> Tdm1::qrListak()
{
    return query(*m_data);
}

QString Tdm1::tableName(Table which) const
{
    switch (which) {
    case Nevek:
        return u"Nevek"_s;
    case Import:
        return u"Importok"_s;
    case Dij1:
        return tariffTableName(1, m_tariffGroup);
    case Dij2:
        return tariffTableName(2, m_tariffGroup);
    case Azonok:
        return u"Account"_s;
    case CegesTable:
        return u"Ceges"_s;
    case KodokTable:
        return u"Kodok"_s;
    case TableCount:
        break;
    }
    return QString();
}

Tdm1::Connection& Tdm1::connectionOf(Table which)
{
    return which == Nevek ? *m_main : *m_data;
}

std::expected<QSqlTableModel*, QString> Tdm1::table(Table which)
{
    auto db = open(connectionOf(which));
    if (!db)
        return std::unexpected(db.error());
    auto& model = m_tables[which];
    if (!model) {
        model = std::make_unique<QSqlTableModel>(nullptr, *db);
        model->setTable(dialect().storedName(tableName(which)));
    }
    return model.get();
}

std::expected<QSqlTableModel*, QString> Tdm1::tbNevek()
{
    return table(Nevek);
}

std::expected<QSqlTableModel*, QString> Tdm1::tbImport()
{
    return table(Import);
}

std::expected<QSqlTableModel*, QString> Tdm1::tbDij1()
{
    return table(Dij1);
}

std::expected<QSqlTableModel*, QString> Tdm1::tbDij2()
{
    return table(Dij2);
}

std::expected<QSqlTableModel*, QString> Tdm1::tbAzonok()
{
    return table(Azonok);
}

std::expected<QSqlTableModel*, QString> Tdm1::tbCeges()
{
    return table(CegesTable);
}

std::expected<QSqlTableModel*, QString> Tdm1::tbKodok()
{
    return table(KodokTable);
}

std::expected<void, QString> Tdm1::bindTariffGroup(const QString& groupLetter)
{
    const bool valid = groupLetter.isEmpty() ||
                       (groupLetter.size() == 1 && groupLetter[0] >= u'A' && groupLetter[0] <= u'F');
    if (!valid)
        return std::unexpected(u"Ismeretlen fővonal csoport: "_s + groupLetter);
    auto db = acAdatok();
    if (!db)
        return std::unexpected(db.error());
    if (!groupLetter.isEmpty()) {
        if (auto created = ensureTariffTables(*db, dialect(), groupLetter); !created)
            return created;
    }
    m_tariffGroup = groupLetter;
    for (Table which : {Dij1, Dij2}) {
        if (m_tables[which])
            m_tables[which]->setTable(dialect().storedName(tableName(which)));
    }
    return {};
}
