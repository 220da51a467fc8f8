#include "core/import_run.h"

#include "core/clock.h"
#include "core/cp1250.h"
#include "core/data_module.h"
#include "core/forg_insert.h"
#include "core/messages.h"
#include "core/parameter_store.h"
#include "core/text_utils.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace {

const QString kEmptyKey = u"000000000000000000"_s;

// Progress is shown on lines 1, 51, 101, ...
constexpr qint64 kProgressEvery = 50;

QString queryError(const QSqlQuery& query)
{
    return query.lastError().text();
}

// Reads text lines one at a time, so memory stays flat whatever the file's size.
class LineReader {
public:
    explicit LineReader(QFile& file) : m_file(file) {}
    bool next(QString& line)
    {
        if (m_file.atEnd())
            return false;
        QByteArray bytes = m_file.readLine();
        if (bytes.endsWith('\n'))
            bytes.chop(1);
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        line = cp1250::decode(bytes);
        return true;
    }

private:
    QFile& m_file;
};

} // namespace

ImportSettings ImportSettings::from(const ParameterStore& ceg)
{
    ImportSettings s;
    s.folder = ceg.ParamC(u"UTVONAL"_s);
    s.mask = ceg.ParamC(u"MASZK"_s);
    s.typeText = ceg.ParamC(u"IMPTIPUS"_s);
    s.askFirst = ceg.ParamL(u"BIZTKERD"_s);
    s.accountCodes = ceg.ParamL(u"EGYENIKODOK"_s);
    return s;
}

int ImportSettings::type() const
{
    return int(SafeStrToInt(typeText));
}

QString modeLetter(ImportMode mode)
{
    return mode == ImportMode::Auto ? u"A"_s : u"K"_s;
}

Importer::Importer(Tdm1& dm, ImportSettings settings, QString userId, ImportStatus& status)
    : m_dm(dm), m_settings(std::move(settings)), m_userId(std::move(userId)), m_status(status)
{
}

bool Importer::Feltolt()
{
    const QStringList matching = matchingFiles(m_settings.folder, m_settings.mask);
    if (matching.isEmpty()) {
        m_status.show(u"A megadott útvonalon nincs beolvasható fájl."_s);
        return false;
    }
    QStringList imported;
    auto query = m_dm.qrMuv();
    if (query && query->exec(u"select nev from Importok"_s)) {
        while (query->next()) {
            imported.append(query->value(0).toString());
            m_status.show(imported.last());
        }
    } else {
        Uzenet(u"Az Importok tábla nem olvasható:;"_s + (query ? queryError(*query) : query.error()), u'H',
               u"R"_s);
        return false;
    }
    for (const QString& name : matching)
        m_status.show(name);
    m_files = sortFiles(imported, matching);
    if (m_files.waiting.isEmpty()) {
        m_status.show(u"Nincs beolvasásra váró fájl."_s);
        return false;
    }
    m_status.show(QString::number(m_files.waiting.size()) + u" darab beolvasásra váró fájl található."_s);
    return true;
}

bool Importer::Beolvas(ImportMode mode, const QStringList& selected)
{
    if (m_settings.askFirst && Uzenet(u"Elindítja most a beolvasást?"_s, u'K', u"NI"_s) != mrYes)
        return false;
    auto db = m_dm.acAdatok();
    if (!db) {
        Uzenet(db.error(), u'H', u"R"_s);
        return false;
    }
    if (const auto opened = m_accounts.open(*db); !opened) {
        Uzenet(u"A titkos kódok nem olvashatók:;"_s + opened.error(), u'H', u"R"_s);
        return false;
    }
    bool result = false;
    for (const QString& name : m_files.waiting) {
        if (mode != ImportMode::Auto && !selected.contains(name))
            continue;
        m_status.show(name);
        result = Import(m_settings.folder + name, name, mode).read;
    }
    m_accounts.close();
    return result;
}

std::expected<QString, QString> Importer::lastKey()
{
    auto query = m_dm.qrMuv();
    if (!query)
        return std::unexpected(query.error());
    if (!query->exec(m_dm.dialect().selectFirst(u"ID"_s, u"from Forg order by ID desc"_s)))
        return std::unexpected(queryError(*query));
    return query->next() ? query->value(0).toString() : kEmptyKey;
}

FileOutcome Importer::Import(const QString& fullName, const QString& name, ImportMode mode)
{
    FileOutcome outcome;
    outcome.name = name;
    const int type = m_settings.type();
    if (type != kImportDelimited && type != kImportCollector) {
        Uzenet(u"Ismeretlen import-fájl típus: "_s + m_settings.typeText +
                   u"; ;Állítson be megfelelőt, és indítsa újra a beolvasást."_s,
               u'I', u"R"_s);
        outcome.error = u"Ismeretlen import-fájl típus: "_s + m_settings.typeText;
        m_outcomes.append(outcome);
        return outcome;
    }
    QFile file(fullName);
    if (!file.open(QIODevice::ReadOnly)) {
        Uzenet(u"A fájl nem megnyitható:;"_s + fullName, u'H', u"R"_s);
        outcome.error = u"A fájl nem megnyitható: "_s + fullName;
        m_outcomes.append(outcome);
        return outcome;
    }
    auto db = m_dm.acAdatok();
    if (!db || !db->transaction()) {
        outcome.error = db ? db->lastError().text() : db.error();
    } else if (const auto stored = storeFile(file, fullName, name, mode, outcome); !stored) {
        db->rollback();
        m_accounts.rollback();
        outcome.error = stored.error();
    } else if (!db->commit()) {
        db->rollback();
        m_accounts.rollback();
        outcome.error = db->lastError().text();
    } else {
        m_accounts.commit();
        outcome.read = true;
        VoltBeolvasas = true;
        m_status.show(name + u" - KÉSZ. ("_s + QString::number(outcome.lines) + u" sor)"_s);
    }
    if (!outcome.read) {
        outcome.stored = 0;
        Uzenet(u"A fájl beolvasása nem sikerült, semmi nem került belőle az adatbázisba:;"_s + fullName +
                   u";"_s + outcome.error,
               u'H', u"R"_s);
    }
    m_outcomes.append(outcome);
    return outcome;
}

std::expected<void, QString> Importer::storeFile(QFile& file, const QString& fullName, const QString& name,
                                                 ImportMode mode, FileOutcome& outcome)
{
    auto db = m_dm.acAdatok();
    if (!db)
        return std::unexpected(db.error());
    const bool collector = m_settings.type() == kImportCollector;
    LineReader reader(file);
    QString line;
    QString key;
    if (collector) {
        const auto last = lastKey();
        if (!last)
            return std::unexpected(last.error());
        key = *last;
    } else {
        reader.next(line); // the column header
    }
    ForgInserter forg(*db, m_dm.dialect());
    LineSource source{fullName, name, 0};
    while (reader.next(line)) {
        source.lineNumber = ++outcome.lines;
        if ((outcome.lines - 1) % kProgressEvery == 0)
            m_status.show(name + u" - Sor: "_s + QString::number(outcome.lines));
        std::optional<ForgRow> row;
        if (collector) {
            row = parseCollectorLine(line, source);
            if (!row)
                continue;
            if (m_settings.accountCodes) {
                const auto account = m_accounts.get(row->azon1);
                if (!account)
                    return std::unexpected(QString::number(outcome.lines) + u". sor: "_s + account.error());
                row->azon1 = *account;
            }
            key = AddToNumber(key, 1);
            row->id = key;
        } else {
            row = parseDelimitedLine(line, source);
        }
        if (const auto added = forg.add(std::move(*row), outcome.lines); !added)
            return std::unexpected(QString::number(added.error().lineNumber) + u". sor: "_s +
                                   added.error().text);
        ++outcome.stored;
    }
    if (const auto flushed = forg.flush(); !flushed)
        return std::unexpected(QString::number(flushed.error().lineNumber) + u". sor: "_s +
                               flushed.error().text);
    QSqlQuery importok(*db);
    importok.prepare(u"insert into Importok (nev, usr, dat, ido, tip, ut) values (?, ?, ?, ?, ?, ?)"_s);
    const QDateTime now = Clock::currentDateTime();
    for (const QVariant& value :
         {QVariant(name), QVariant(m_userId), QVariant(DateToText(now.date())),
          QVariant(TimeToText(now.time())), QVariant(modeLetter(mode)), QVariant(m_settings.folder)})
        importok.addBindValue(value);
    if (!importok.exec())
        return std::unexpected(u"Importok: "_s + queryError(importok));
    return {};
}
