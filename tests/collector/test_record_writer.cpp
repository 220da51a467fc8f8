#include "collector_fixture.h"
#include "recording_reporter.h"
#include "test_main.h"

#include <QFileInfo>
#include <QTest>

#include <cerrno>

class TestRecordWriter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dayChangeClosesTheDataFile()
    {
        CollectorFixture f;
        f.feed(tdaLine(u"22/05/25"_s));
        f.feed(tdaLine(u"22/05/25"_s, u"11:58PM"_s, u"*123"_s, u"0036123456789"_s, u"01:02'03"_s, u"02"_s));
        QCOMPARE(f.folder.names(), (QStringList{u"KVdata.txt"_s, u"KVerrs.txt"_s}));
        f.feed(tdaLine(u"23/05/25"_s, u"12:01AM"_s, u"202"_s, u"<I>0612345"_s));
        QCOMPARE(f.folder.names(), (QStringList{u"D052225A.txt"_s, u"KVdata.txt"_s, u"KVerrs.txt"_s}));
        QCOMPARE(f.folder.read(u"D052225A.txt"_s), testData(u"records/D052225A.txt"_s));
        QCOMPARE(f.folder.read(u"KVdata.txt"_s), testData(u"records/D052325A.txt"_s));
        QVERIFY(f.view.errors.isEmpty());
        QCOMPARE(f.view.records.size(), 3);

        f.collector->close();
        QCOMPARE(f.folder.names(),
                 (QStringList{u"D052225A.txt"_s, u"D052325A.txt"_s, u"KVdata.txt"_s, u"KVerrs.txt"_s}));
        QCOMPARE(f.folder.read(u"D052325A.txt"_s), testData(u"records/D052325A.txt"_s));
        QCOMPARE(f.folder.read(u"KVdata.txt"_s), QByteArray());
        QCOMPARE(f.folder.read(u"KVerrs.txt"_s), QByteArray());
    }

    void dayFileTakesTheFirstFreeLetter()
    {
        CollectorFixture f;
        f.folder.write(u"D052225A.txt"_s, "older\r\n");
        f.feed(tdaLine(u"22/05/25"_s));
        f.feed(tdaLine(u"23/05/25"_s));
        QCOMPARE(f.folder.read(u"D052225A.txt"_s), QByteArray("older\r\n"));
        QCOMPARE(f.folder.read(u"D052225B.txt"_s), cp1250::encode(QString(f.dataLines().at(1) + u"\r\n"_s)));
    }

    void lettersGoOnAfterZ()
    {
        QCOMPARE(datedFileLetters(0), u"A"_s);
        QCOMPARE(datedFileLetters(25), u"Z"_s);
        QCOMPARE(datedFileLetters(26), u"ZA"_s);
        QCOMPARE(datedFileLetters(51), u"ZZ"_s);
        QCOMPARE(datedFileLetters(52), u"ZZA"_s);
        CollectorFixture f;
        for (char letter = 'A'; letter <= 'Z'; ++letter)
            f.folder.write(u"D052225"_s + QChar(char16_t(letter)) + u".txt"_s, "x\r\n");
        f.feed(tdaLine(u"22/05/25"_s));
        f.feed(tdaLine(u"23/05/25"_s));
        QVERIFY(f.folder.names().contains(u"D052225ZA.txt"_s));
        // Ascending names keep the order in which the files were closed.
        QVERIFY(u"D052225Z.txt"_s < u"D052225ZA.txt"_s);
    }

    void firstRecordAfterStartNeverRotates()
    {
        CollectorFixture f;
        f.crash();
        f.folder.write(u"KVdata.txt"_s, "left from an earlier run\r\n");
        f.start(u"1-002-01"_s);
        f.feed(tdaLine(u"20/05/25"_s));
        QCOMPARE(f.folder.names(), (QStringList{u"KVdata.txt"_s, u"KVerrs.txt"_s}));
        f.feed(tdaLine(u"21/05/25"_s));
        // The leftover goes with the records of the first key of this run.
        const QStringList closed = f.read(u"D052025A.txt"_s).split(u"\r\n"_s, Qt::SkipEmptyParts);
        QCOMPARE(closed.size(), 2);
        QCOMPARE(closed.first(), u"left from an earlier run"_s);
    }

    void passThroughIsKeyedByTheDayOfReceipt()
    {
        CollectorFixture f(u"1-000-00"_s);
        f.feed(u"any text at all\r\n"_s);
        f.feed(u"second line\r\n"_s);
        QCOMPARE(f.read(u"KVdata.txt"_s), u"any text at all\r\nsecond line\r\n"_s);
        QCOMPARE(f.view.records, (QStringList{u"2025.05.23 at all"_s, u"2025.05.23ine"_s}));
        f.clock.set(QDateTime(QDate(2025, 5, 24), QTime(0, 1)));
        f.feed(u"after midnight\r\n"_s);
        QCOMPARE(f.read(u"D2025.05.23A.txt"_s), u"any text at all\r\nsecond line\r\n"_s);
        f.collector->close();
        QCOMPARE(f.read(u"D2025.05.24A.txt"_s), u"after midnight\r\n"_s);
    }

    void impossibleDateGoesToTheErrorLog()
    {
        CollectorFixture f;
        f.feed(tdaLine(u"30/02/25"_s));
        QCOMPARE(f.read(u"KVdata.txt"_s), QString());
        QVERIFY(f.read(u"KVerrs.txt"_s).startsWith(u"02/30/25  "_s));
        QVERIFY(f.view.records.isEmpty());
        QVERIFY(f.view.errors.isEmpty());
        QCOMPARE(f.collector->writer().errorKey(), QString());
    }

    void discardedDataKeysTheErrorLog()
    {
        CollectorFixture f;
        f.feed(tdaLine(u"22/05/25"_s), CallRecordCollector::Discarded);
        f.feed(tdaLine(u"30/02/25"_s), CallRecordCollector::Discarded);
        QCOMPARE(f.collector->writer().errorKey(), u"052225"_s);
        QCOMPARE(f.view.records.size(), 1);
        f.feed(tdaLine(u"23/05/25"_s), CallRecordCollector::Discarded);
        QCOMPARE(f.read(u"E052225A.txt"_s).count(u"\r\n"_s), 2);
        QCOMPARE(f.read(u"KVerrs.txt"_s).count(u"\r\n"_s), 1);
        QCOMPARE(f.read(u"KVdata.txt"_s), QString());
    }

    void badRecordsAloneStayInTheErrorLog()
    {
        CollectorFixture f;
        f.feed(tdaLine(u"30/02/25"_s));
        f.feed(tdaLine(u"23/05/25"_s));
        f.collector->close();
        QCOMPARE(f.folder.names(), (QStringList{u"D052325A.txt"_s, u"KVdata.txt"_s, u"KVerrs.txt"_s}));
        QCOMPARE(f.read(u"KVerrs.txt"_s).count(u"\r\n"_s), 1);

        f.start(u"1-002-01"_s);
        f.collector->close();
        QCOMPARE(f.folder.names().size(), 3); // nothing written, nothing closed
    }

    void semicolonRecords()
    {
        CollectorFixture f(u"1-999-02"_s);
        f.feed(u"23/05/25 09:05pm *12  01 06301234567          00:02'25\r\n"_s);
        QCOMPARE(f.read(u"KVdata.txt"_s), u"CSV;2025.05.23;09:05DU;00:02:25;X12;01;06301234567;12\r\n"_s);
        QCOMPARE(f.view.records, QStringList{u"2025.05.23 - 09:05DU - 00:02:25 - X12 - 01 - 06301234567"_s});
        QCOMPARE(f.collector->writer().dataKey(), u"052325"_s);
    }

    // A crash between any two steps of closing a dated file leaves every
    // written record in exactly one file, and a restart goes on from there.
    void crashDuringRotation_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("occurrence"); // which call of that step fails
        QTest::newRow("moving to the dated name") << int(FileStep::Rename) << 1;
        QTest::newRow("syncing the folder after the move") << int(FileStep::SyncFolder) << 1;
        QTest::newRow("creating the new working file") << int(FileStep::Create) << 1;
        QTest::newRow("syncing the folder after creating") << int(FileStep::SyncFolder) << 2;
        QTest::newRow("writing the first record") << int(FileStep::Write) << 1;
        QTest::newRow("syncing the first record") << int(FileStep::Sync) << 1;
    }
    void crashDuringRotation()
    {
        QFETCH(int, step);
        QFETCH(int, occurrence);
        CollectorFixture f;
        RecordingReporter reporter;
        const QStringList sent = {tdaLine(u"22/05/25"_s, u" 9:00AM"_s), tdaLine(u"22/05/25"_s, u" 9:01AM"_s),
                                  tdaLine(u"23/05/25"_s, u" 9:02AM"_s), tdaLine(u"24/05/25"_s, u" 9:03AM"_s)};
        f.feed(sent[0]);
        f.feed(sent[1]);
        int calls = 0;
        setFaultHook(
            [&](FileStep s, const QString&) { return int(s) == step && ++calls == occurrence ? EIO : 0; });
        f.feed(sent[2]);
        QCOMPARE(calls, occurrence);
        QCOMPARE(f.collector->writer().waitingCount(), 1);
        f.crash();
        setFaultHook({});

        QStringList written = f.dataLines();
        QCOMPARE(written.size(), 2);
        QCOMPARE(written.removeDuplicates(), 0);

        // Restart: the record that never reached the disk is sent again.
        f.start(u"1-002-01"_s);
        f.feed(sent[2]);
        f.feed(sent[3]);
        f.collector->close();
        written = f.dataLines();
        QCOMPARE(written.size(), 4);
        QCOMPARE(written.removeDuplicates(), 0);
        for (const QString& name : f.folder.names())
            QVERIFY2(QFileInfo(f.folder.file(name)).size() > 0 || name.startsWith(u"KV"), qPrintable(name));
    }

    void failedStepIsRetriedWithTheNextRecord_data() { crashDuringRotation_data(); }
    void failedStepIsRetriedWithTheNextRecord()
    {
        QFETCH(int, step);
        QFETCH(int, occurrence);
        CollectorFixture f;
        RecordingReporter reporter;
        f.feed(tdaLine(u"22/05/25"_s, u" 9:00AM"_s));
        int calls = 0;
        setFaultHook(
            [&](FileStep s, const QString&) { return int(s) == step && ++calls == occurrence ? ENOSPC : 0; });
        f.feed(tdaLine(u"23/05/25"_s, u" 9:01AM"_s));
        f.feed(tdaLine(u"23/05/25"_s, u" 9:02AM"_s));
        f.collector->close();
        QCOMPARE(f.dataLines().size(), 3);
        QCOMPARE(f.read(u"D052225A.txt"_s).count(u"\r\n"_s), 1);
        QCOMPARE(f.read(u"D052325A.txt"_s).count(u"\r\n"_s), 2);
        QCOMPARE(f.folder.names(),
                 (QStringList{u"D052225A.txt"_s, u"D052325A.txt"_s, u"KVdata.txt"_s, u"KVerrs.txt"_s}));
        QCOMPARE(reporter.messages.size(), 1);
    }

    void fullDiskKeepsRecordsWaitingInOrder()
    {
        CollectorFixture f;
        RecordingReporter reporter;
        bool diskFull = true;
        setFaultHook(
            [&](FileStep s, const QString&) { return diskFull && s == FileStep::Write ? ENOSPC : 0; });
        f.feed(tdaLine(u"22/05/25"_s, u" 9:00AM"_s));
        f.feed(tdaLine(u"22/05/25"_s, u" 9:01AM"_s));
        f.feed(tdaLine(u"30/02/25"_s, u" 9:02AM"_s));
        QCOMPARE(f.collector->writer().waitingCount(), 3);
        QCOMPARE(f.read(u"KVdata.txt"_s), QString());
        QVERIFY(f.view.records.isEmpty());
        QCOMPARE(f.view.errors.size(), 3);
        QVERIFY(f.view.errors.first().contains(u"KVdata.txt"));
        // One message for the failure, not one per record.
        QCOMPARE(reporter.messages.size(), 1);
        QCOMPARE(reporter.messages.first().kind, u'H');
        QVERIFY(reporter.messages.first().text.startsWith(u"A hívásadatok nem írhatók ki!;"));

        diskFull = false;
        f.feed(tdaLine(u"22/05/25"_s, u" 9:03AM"_s));
        QCOMPARE(f.collector->writer().waitingCount(), 0);
        const QStringList lines = f.read(u"KVdata.txt"_s).split(u"\r\n"_s, Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].contains(u" 9:00AM") && lines[1].contains(u" 9:01AM") &&
                lines[2].contains(u" 9:03AM"));
        QVERIFY(f.read(u"KVerrs.txt"_s).contains(u" 9:02AM"));
        QCOMPARE(f.view.records.size(), 3);
    }

    void recordsThatNeverReachTheDiskAreShownAtClose()
    {
        CollectorFixture f;
        RecordingReporter reporter;
        setFaultHook([](FileStep s, const QString&) { return s == FileStep::Write ? EROFS : 0; });
        f.feed(tdaLine(u"22/05/25"_s));
        f.collector->close();
        QCOMPARE(reporter.messages.size(), 2);
        QVERIFY(reporter.messages.last().text.startsWith(
            u"1 rekord nem volt kiírható a program bezárásakor:;05/22/25"));
    }

    void unopenableFolderIsReported()
    {
        TempFolder folder;
        RecordingView view;
        RecordingReporter reporter;
        CallRecordCollector collector(folder.file(u"missing/folder"_s), view);
        collector.setPbxType(PbxType::fromCode(u"1-002-01"_s));
        collector.open();
        QCOMPARE(reporter.messages.size(), 1);
        QVERIFY(view.errors.first().contains(u"KVdata.txt"));
        collector.ProcessReceived(1, tdaLine(u"22/05/25"_s));
        QCOMPARE(collector.writer().waitingCount(), 1);
        QCOMPARE(reporter.messages.size(), 1);
    }
};

REGISTER_TEST(TestRecordWriter)
#include "test_record_writer.moc"
