#include "core/cp1250.h"
#include "core/ini_file.h"
#include "temp_folder.h"
#include "test_main.h"

#include <QFile>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

class TestIniFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsWithProfileSemantics()
    {
        TempFolder folder;
        folder.write(u"k.ini"_s, "; comment\r\n[Other]\r\nKind =  1-999-01  \r\nRun=1\r\nEmpty=\r\n"
                                 "\r\n[KIND999]\r\nDatVal=/\r\nIdoDEJ= am\n");
        const IniFile ini(folder.file(u"k.ini"_s));
        QCOMPARE(ini.readString(u"OTHER"_s, u"KIND"_s), u"1-999-01"_s);
        QCOMPARE(ini.readString(u"kind999"_s, u"idodej"_s), u"am"_s);
        QCOMPARE(ini.readString(u"OTHER"_s, u"Empty"_s, u"x"_s), QString());
        QCOMPARE(ini.readString(u"OTHER"_s, u"Missing"_s, u"x"_s), u"x"_s);
        QCOMPARE(ini.readString(u"NOPE"_s, u"KIND"_s, u"d"_s), u"d"_s);
        QCOMPARE(ini.readInteger(u"OTHER"_s, u"RUN"_s, -1), 1);
        QCOMPARE(ini.readInteger(u"OTHER"_s, u"KIND"_s, -1), -1);
        QCOMPARE(ini.readInteger(u"OTHER"_s, u"MISSING"_s, -1), -1);
        QCOMPARE(ini.readBool(u"OTHER"_s, u"RUN"_s, false), true);
        QCOMPARE(ini.readBool(u"OTHER"_s, u"MSG1"_s, true), true);
        QVERIFY(ini.sectionExists(u"other"_s));
        QVERIFY(!ini.sectionExists(u"SP2"_s));
        QVERIFY(ini.valueExists(u"OTHER"_s, u"empty"_s));
        QCOMPARE(ini.readSection(u"Other"_s), (QStringList{u"Kind"_s, u"Run"_s, u"Empty"_s}));
    }

    void missingFileReadsDefaults()
    {
        TempFolder folder;
        const IniFile ini(folder.file(u"none.ini"_s));
        QVERIFY(!ini.exists());
        QCOMPARE(ini.readInteger(u"A"_s, u"B"_s, 5), 5);
        QVERIFY(!ini.sectionExists(u"A"_s));
    }

    void writesChangeOneKeyInPlace()
    {
        TempFolder folder;
        folder.write(u"k.ini"_s, "[OTHER]\r\nKIND=1-000-00\r\nRUN=0\r\n\r\n[ADMIN]\r\nNEV1=x\r\n");
        IniFile ini(folder.file(u"k.ini"_s));
        QVERIFY(ini.writeString(u"other"_s, u"kind"_s, u"1-002-01"_s));
        QVERIFY(ini.writeBool(u"OTHER"_s, u"MSG1"_s, false));
        QVERIFY(ini.writeInteger(u"SP2"_s, u"BaudRate"_s, 9600));
        QVERIFY(ini.deleteKey(u"ADMIN"_s, u"nev1"_s));
        QCOMPARE(folder.read(u"k.ini"_s), QByteArray("[OTHER]\r\nKIND=1-002-01\r\nRUN=0\r\nMSG1=0\r\n\r\n["
                                                     "ADMIN]\r\n\r\n[SP2]\r\nBaudRate=9600\r\n"));
        QVERIFY(ini.eraseSection(u"admin"_s));
        QVERIFY(!ini.sectionExists(u"ADMIN"_s));
        QCOMPARE(ini.readString(u"SP2"_s, u"BaudRate"_s), u"9600"_s);
    }

    void everyByteOfAValueSurvives()
    {
        TempFolder folder;
        IniFile ini(folder.file(u"k.ini"_s));
        QByteArray bytes;
        for (int b = 33; b < 256; ++b)
            bytes.append(char(b));
        const QString value = cp1250::decode(bytes);
        QVERIFY(ini.writeString(u"ADMIN"_s, u"PWD1"_s, value));
        QVERIFY(ini.writeString(u"ADMIN"_s, u"PWD2"_s, u"a = b ; c"_s));
        QCOMPARE(IniFile(ini.path()).readString(u"ADMIN"_s, u"PWD1"_s), value);
        QCOMPARE(ini.readString(u"ADMIN"_s, u"PWD2"_s), u"a = b ; c"_s);
        QVERIFY(folder.read(u"k.ini"_s).contains(bytes));
    }

    void twoObjectsSeeEachOthersWrites()
    {
        TempFolder folder;
        IniFile first(folder.file(u"Ceg.ini"_s));
        IniFile second(folder.file(u"Ceg.ini"_s));
        QVERIFY(first.writeString(u"IMPORT"_s, u"MASK"_s, u"D*.txt"_s));
        QVERIFY(second.writeString(u"DIJHOZ"_s, u"KAPCSDIJ"_s, u"10"_s));
        QCOMPARE(second.readString(u"IMPORT"_s, u"MASK"_s), u"D*.txt"_s);
        QVERIFY(first.writeString(u"IMPORT"_s, u"MASK"_s, u"E*.txt"_s));
        QCOMPARE(second.readString(u"DIJHOZ"_s, u"KAPCSDIJ"_s), u"10"_s);
        QCOMPARE(second.readString(u"IMPORT"_s, u"MASK"_s), u"E*.txt"_s);
    }

    void failedWriteKeepsTheOldFile()
    {
        if (geteuid() == 0)
            QSKIP("root writes into a read-only folder");
        TempFolder folder;
        folder.write(u"k.ini"_s, "[A]\r\nB=1\r\n");
        IniFile ini(folder.file(u"k.ini"_s));
        QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
        const FileResult result = ini.writeString(u"A"_s, u"B"_s, u"2"_s);
        QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!result);
        QVERIFY(result.error().contains(u"k.ini"));
        QCOMPARE(ini.readString(u"A"_s, u"B"_s), u"1"_s);
        QCOMPARE(folder.names(), QStringList{u"k.ini"_s});
    }
};

REGISTER_TEST(TestIniFile)
#include "test_ini_file.moc"
