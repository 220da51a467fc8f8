#include "core/number_keys.h"
#include "test_main.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestNumberKeys : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keys_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<int>("selectionStart");
        QTest::addColumn<int>("selectionLength");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("real");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("resultCursor");
        QTest::newRow("minus sets the sign") << u"12"_s << 2 << 2 << 0 << u"-"_s << false << u"-12"_s << 3;
        QTest::newRow("plus flips it") << u"12"_s << 2 << 2 << 0 << u"-+"_s << false << u"+12"_s << 3;
        QTest::newRow("same sign again") << u"-12"_s << 1 << 1 << 0 << u"-"_s << false << u"-12"_s << 1;
        QTest::newRow("sign with cursor in front")
            << u"12"_s << 0 << 0 << 0 << u"-"_s << false << u"-12"_s << 1;
        QTest::newRow("full stop in N discarded")
            << u"12"_s << 2 << 2 << 0 << u"."_s << false << u"12"_s << 2;
        QTest::newRow("whole text selected") << u"12"_s << 2 << 0 << 2 << u"-"_s << false << u"-"_s << 1;
        QTest::newRow("sign on empty text typed")
            << QString() << 0 << 0 << 0 << u"+5"_s << false << u"+5"_s << 2;
        QTest::newRow("comma in R") << u"3"_s << 1 << 1 << 0 << u",."_s << true << u"3,"_s << 2;
        QTest::newRow("full stop in R becomes comma")
            << u"3"_s << 1 << 1 << 0 << u"."_s << true << u"3,"_s << 2;
        QTest::newRow("separator on empty R discarded")
            << QString() << 0 << 0 << 0 << u","_s << true << QString() << 0;
        QTest::newRow("letters discarded") << u"12"_s << 1 << 1 << 0 << u"a x"_s << false << u"12"_s << 1;
        QTest::newRow("digit inserted at cursor")
            << u"12"_s << 1 << 1 << 0 << u"7"_s << false << u"172"_s << 2;
        QTest::newRow("digit replaces selection")
            << u"1234"_s << 3 << 1 << 2 << u"9"_s << false << u"194"_s << 2;
        QTest::newRow("backspace") << u"-12"_s << 3 << 3 << 0 << u"\b\b"_s << false << u"-"_s << 1;
        QTest::newRow("backspace at start") << u"12"_s << 0 << 0 << 0 << u"\b"_s << false << u"12"_s << 0;
        QTest::newRow("letter with all selected clears")
            << u"12"_s << 2 << 0 << 2 << u"x"_s << false << QString() << 0;
        // Enter and Ctrl+C arrive as characters too: they keep the value.
        QTest::newRow("enter keeps a selected value")
            << u"12"_s << 2 << 0 << 2 << u"\r"_s << false << u"12"_s << 2;
        QTest::newRow("ctrl+c keeps a selected value")
            << u"12"_s << 2 << 0 << 2 << QString(QChar(3)) << false << u"12"_s << 2;
    }
    void keys()
    {
        QFETCH(QString, text);
        QFETCH(int, cursor);
        QFETCH(int, selectionStart);
        QFETCH(int, selectionLength);
        QFETCH(QString, keys);
        QFETCH(bool, real);
        EditState edit{text, cursor, selectionStart, selectionLength};
        for (QChar key : keys)
            edit = numberKeyPress(edit, key, real, u',');
        QTEST(edit.text, "result");
        QTEST(edit.cursor, "resultCursor");
    }

    void signFixer()
    {
        // A pasted text keeps only a leading sign.
        const EditState fixed = fixSigns({u"-1-2+3"_s, 6, 6, 0});
        QCOMPARE(fixed.text, u"-123"_s);
        QCOMPARE(fixed.cursor, 4);
        QCOMPARE(fixSigns({u"1-2"_s, 1, 1, 0}).cursor, 1);
    }
};

REGISTER_TEST(TestNumberKeys)
#include "test_number_keys.moc"
