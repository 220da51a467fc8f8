#pragma once

#include "core/cp1250.h"
#include "core/data_module.h"
#include "core/ini_file.h"
#include "core/startup.h"
#include "temp_folder.h"
#include "test_database.h"

#include <QEvent>
#include <QLabel>
#include <QSqlQuery>
#include <QTest>

#include <memory>

// An installation whose import folder is a temporary folder, with the
// import parameters a test gives.
struct ImportInstallation {
    ImportInstallation(TestDatabase& db, bool askFirst, const QString& importType = QStringLiteral("2"))
        : database(db)
    {
        IniFile ceg(database.baseDirectory() + QStringLiteral("Ceg.ini"));
        const QString section = QStringLiteral("IMPORT");
        QVERIFY(ceg.writeString(section, QStringLiteral("UTVONAL"), folder.path() + u'/').has_value());
        QVERIFY(ceg.writeString(section, QStringLiteral("MASZK"), QStringLiteral("D*.txt")).has_value());
        QVERIFY(ceg.writeString(section, QStringLiteral("BIZTKERD"), QString::number(askFirst)).has_value());
        QVERIFY(ceg.writeString(section, QStringLiteral("IMPTIPUS"), importType).has_value());
    }
    // The program's state after a login of USR001.
    void logIn()
    {
        session = std::make_unique<TeloranSession>(database.iniFileName());
        session->setCurrentUser(QStringLiteral("USR001"));
        QVERIFY(session->setUpCegParameterek(folder.path()));
        dm = std::make_unique<Tdm1>(session->mainIni(), session->baseDirectory());
    }
    // A record file of the collector with `calls` calls.
    void writeRecordFile(const QString& name, int calls)
    {
        QByteArray content;
        for (int i = 0; i < calls; ++i) {
            const QString number = QStringLiteral("0630123456") + QString::number(i);
            content += cp1250::encode(QStringLiteral("05/23/25  09:05DE 201  01 ") +
                                      number.leftJustified(36) + QStringLiteral("  00:01'05\" ....  \r\n"));
        }
        folder.write(name, content);
    }
    QStringList column(const QString& sql)
    {
        QStringList values;
        auto query = dm->qrMuv();
        if (query && query->exec(sql)) {
            while (query->next())
                values.append(query->value(0).toString());
        }
        return values;
    }

    TestDatabase& database;
    TempFolder folder;
    std::unique_ptr<TeloranSession> session;
    std::unique_ptr<Tdm1> dm;
};

// Records each text of a status line as it is painted.
class PaintedTexts : public QObject {
public:
    explicit PaintedTexts(QLabel* label) : m_label(label) { label->installEventFilter(this); }
    ~PaintedTexts() override { m_label->removeEventFilter(this); }

    QStringList texts;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_label && event->type() == QEvent::Paint &&
            (texts.isEmpty() || texts.last() != m_label->text()))
            texts.append(m_label->text());
        return false;
    }

private:
    QLabel* m_label;
};

// True when `part` stands in `whole` in this order (other texts between).
inline bool inOrder(const QStringList& whole, const QStringList& part)
{
    qsizetype at = 0;
    for (const QString& text : whole) {
        if (at < part.size() && text == part[at])
            ++at;
    }
    return at == part.size();
}
