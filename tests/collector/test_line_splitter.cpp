#include "core/line_splitter.h"
#include "test_main.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The splitter's events in order: "P:" packet, "D:" discard, then the text.
struct Events {
    explicit Events(LineSplitter& splitter)
    {
        QObject::connect(&splitter, &LineSplitter::packet, &splitter,
                         [this](const QString& text) { list.append(u"P:"_s + text); });
        QObject::connect(&splitter, &LineSplitter::discard, &splitter,
                         [this](const QString& text) { list.append(u"D:"_s + text); });
    }
    QStringList list;
};

QStringList split(const QStringList& chunks, const QString& stop = u"\r\n"_s)
{
    LineSplitter splitter;
    splitter.setStopString(stop);
    Events events(splitter);
    for (const QString& chunk : chunks)
        splitter.feed(chunk);
    return events.list;
}

const QString kFull = QString(LineSplitter::kMaxGathered, u'x');

} // namespace

class TestLineSplitter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pieces_data()
    {
        QTest::addColumn<QStringList>("chunks");
        QTest::addColumn<QString>("stop");
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<QString>("gathered");
        const QString crlf = u"\r\n"_s;
        QTest::newRow("line in one chunk")
            << QStringList{u"abc\r\n"_s} << crlf << QStringList{u"P:abc\r\n"_s} << QString();
        QTest::newRow("line over three chunks")
            << QStringList{u"ab"_s, u"c\r"_s, u"\nde"_s} << crlf << QStringList{u"P:abc\r\n"_s} << u"de"_s;
        QTest::newRow("two lines in one chunk")
            << QStringList{u"a\r\nb\r\nc"_s} << crlf << QStringList{u"P:a\r\n"_s, u"P:b\r\n"_s} << u"c"_s;
        QTest::newRow("LF CR: CR LF is no stop")
            << QStringList{u"a\r\nb\n\r"_s} << u"\n\r"_s << QStringList{u"P:a\r\nb\n\r"_s} << QString();
        QTest::newRow("1023 characters wait")
            << QStringList{kFull.left(1023)} << crlf << QStringList() << kFull.left(1023);
        QTest::newRow("1024 characters are discarded") << QStringList{kFull.left(1000), kFull.left(24)}
                                                       << crlf << QStringList{u"D:"_s + kFull} << QString();
        QTest::newRow("1100 characters: 1024 discarded, the rest waits")
            << QStringList{kFull + u"y"_s.repeated(76)} << crlf << QStringList{u"D:"_s + kFull}
            << u"y"_s.repeated(76);
        QTest::newRow("stop string ending at 1024 makes a packet")
            << QStringList{kFull.left(1022) + crlf} << crlf << QStringList{u"P:"_s + kFull.left(1022) + crlf}
            << QString();
        QTest::newRow("stop string split at 1024: the first character goes with the discard")
            << QStringList{kFull.left(1023) + crlf + u"z\r\n"_s} << crlf
            << QStringList{u"D:"_s + kFull.left(1023) + u"\r"_s, u"P:\nz\r\n"_s} << QString();
        QTest::newRow("a long chunk gives several discards")
            << QStringList{kFull + kFull + u"ok\r\n"_s} << crlf
            << QStringList{u"D:"_s + kFull, u"D:"_s + kFull, u"P:ok\r\n"_s} << QString();
        QTest::newRow("empty stop string only discards")
            << QStringList{kFull + u"a\r\n"_s} << QString() << QStringList{u"D:"_s + kFull} << u"a\r\n"_s;
    }
    void pieces()
    {
        QFETCH(QStringList, chunks);
        QFETCH(QString, stop);
        QFETCH(QStringList, events);
        QFETCH(QString, gathered);
        LineSplitter splitter;
        splitter.setStopString(stop);
        Events seen(splitter);
        for (const QString& chunk : chunks)
            splitter.feed(chunk);
        QCOMPARE(seen.list, events);
        QCOMPARE(splitter.gathered(), gathered);
    }

    // However the line cuts the text into chunks, the pieces are the same.
    void piecesDoNotDependOnChunks()
    {
        const QString text = u"22/05/25 line one\r\n"_s + kFull.left(1030) + u"\r\nshort\r\n"_s +
                             kFull.left(1023) + u"\r\n\r\nend"_s;
        const QStringList whole = split({text});
        QCOMPARE(whole.size(), 6);
        for (int size : {1, 2, 3, 7, 64, 1023, 1024, 1025}) {
            QStringList chunks;
            for (qsizetype i = 0; i < text.size(); i += size)
                chunks.append(text.mid(i, size));
            QCOMPARE(split(chunks), whole);
        }
    }

    // A receiver that waits in a message box lets more text arrive; it is cut
    // after the current piece, in order.
    void textArrivingDuringAPieceWaitsItsTurn()
    {
        LineSplitter splitter;
        splitter.setStopString(u"\r\n"_s);
        QStringList seen;
        connect(&splitter, &LineSplitter::packet, this, [&](const QString& text) {
            seen.append(text);
            if (seen.size() == 1)
                splitter.feed(u"c\r\nd"_s);
        });
        splitter.feed(u"a\r\nb\r\n"_s);
        QCOMPARE(seen, (QStringList{u"a\r\n"_s, u"b\r\n"_s, u"c\r\n"_s}));
        QCOMPARE(splitter.gathered(), u"d"_s);
    }

    void newStopStringCutsWhatIsGathered()
    {
        LineSplitter splitter;
        splitter.setStopString(u"\r\n"_s);
        Events events(splitter);
        splitter.feed(u"a\n\rb"_s);
        QVERIFY(events.list.isEmpty());
        splitter.setStopString(u"\n\r"_s);
        QCOMPARE(events.list, QStringList{u"P:a\n\r"_s});
        QCOMPARE(splitter.takeGathered(), u"b"_s);
        QCOMPARE(splitter.gathered(), QString());
    }
};

REGISTER_TEST(TestLineSplitter)
#include "test_line_splitter.moc"
