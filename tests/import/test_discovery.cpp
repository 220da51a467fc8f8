#include "core/discovery.h"
#include "temp_folder.h"
#include "test_main.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestDiscovery : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void matchesOrdinaryFilesInAnyLetterCase()
    {
        TempFolder folder;
        for (const char* name :
             {"D052325A.txt", "d052425a.TXT", "E052325A.txt", ".D052525A.txt", "KVdata.txt"})
            folder.write(QString::fromLatin1(name), "x");
        QDir(folder.path()).mkdir(u"D_folder.txt"_s);
        QStringList found = matchingFiles(folder.path(), u"D*.txt"_s);
        sortNames(found);
        QCOMPARE(found, (QStringList{u"D052325A.txt"_s, u"d052425a.TXT"_s}));
        QVERIFY(matchingFiles(folder.file(u"missing"_s), u"D*.txt"_s).isEmpty());
        QCOMPARE(matchingFiles(folder.path(), u"D0523?5A.txt"_s), QStringList{u"D052325A.txt"_s});
    }

    void waitingFilesSkipImportedNamesInAnyCase()
    {
        const ImportFiles files =
            sortFiles({u"d052225a.txt"_s, u"D052125A.txt"_s},
                      {u"D052325B.txt"_s, u"D052225A.txt"_s, u"D052325A.txt"_s, u"D0523ZA.txt"_s});
        QVERIFY(files.anyMatch);
        QCOMPARE(files.imported, (QStringList{u"D052125A.txt"_s, u"d052225a.txt"_s}));
        QCOMPARE(files.waiting, (QStringList{u"D052325A.txt"_s, u"D052325B.txt"_s, u"D0523ZA.txt"_s}));
        QVERIFY(!sortFiles({}, {}).anyMatch);
    }
};

REGISTER_TEST(TestDiscovery)
#include "test_discovery.moc"
