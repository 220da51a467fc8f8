#include "kalvix_window_fixture.h"
#include "test_main.h"
#include "ui/dos_edit.h"

#include <QFile>

// The administrator login, on a real settings file, answered with keys.
class TestLoginDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { prepareCollectorWindows(); }
    void init() { clearNextAnswers(); }

    void purposeShowsItsPanel_data()
    {
        QTest::addColumn<int>("purpose");
        QTest::addColumn<QString>("lastLine");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("close") << int(LoginPurpose::Close) << u"ELVESZHETNEK !"_s << QColor(255, 0, 0);
        QTest::newRow("settings") << int(LoginPurpose::Settings) << u"és jelszó szükséges !"_s
                                  << QColor(0, 255, 0);
        QTest::newRow("stop") << int(LoginPurpose::Stop) << u"ELVESZHETNEK !"_s << QColor(255, 0, 0);
    }
    void purposeShowsItsPanel()
    {
        QFETCH(int, purpose);
        QFETCH(QString, lastLine);
        QFETCH(QColor, colour);
        TempFolder folder;
        writeKalvixIni(folder, QString());
        IniFile ini(folder.file(u"Kalvix.ini"_s));
        TdlPwd dialog(ini);
        QCOMPARE(dialog.windowTitle(), u" Rendszergazdai műveletekhez"_s);
        LoginSeen seen;
        answerLogin(kAdmin, kAdminPassword, true, &seen);
        QVERIFY(dialog.Execute(LoginPurpose(purpose)));
        QCOMPARE(seen.visiblePanels, 1);
        QCOMPARE(seen.panelLines, loginPanel(LoginPurpose(purpose)).lines);
        QCOMPARE(seen.panelLines.last(), lastLine);
        QVERIFY(seen.focusOnName);
        QCOMPARE(dialog.panelOf(LoginPurpose(purpose))->palette().color(QPalette::Window), colour);
        // Nothing typed is kept for the next request.
        QVERIFY(dialog.deNev->text().isEmpty() && dialog.deJsz->text().isEmpty());
        QCOMPARE(answeredTexts(), QStringList());
    }

    void bothFieldsShowAsterisks()
    {
        TempFolder folder;
        writeKalvixIni(folder, QString());
        IniFile ini(folder.file(u"Kalvix.ini"_s));
        TdlPwd dialog(ini);
        for (TdosEdit* edit : {dialog.deNev, dialog.deJsz}) {
            edit->setText(u"abc"_s);
            QCOMPARE(edit->echoMode(), QLineEdit::Password);
            QCOMPARE(edit->displayText(), u"***"_s);
        }
    }

    // Accounts as stored: entry 1 admin/titok, entry 2 deleted, entry 3 with an empty password.
    void accounts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<bool>("allowed");
        QTest::addColumn<QStringList>("messages");
        const QStringList refused{kLoginRefused};
        QTest::newRow("built-in account") << u"quintor"_s << u"fenwal"_s << true << true << QStringList();
        QTest::newRow("configured entry 1") << kAdmin << kAdminPassword << true << true << QStringList();
        QTest::newRow("empty password of entry 3") << u"ures"_s << QString() << true << true << QStringList();
        QTest::newRow("wrong password") << kAdmin << u"rossz"_s << true << false << refused;
        QTest::newRow("name in other case") << u"Admin"_s << kAdminPassword << true << false << refused;
        QTest::newRow("password in other case") << u"quintor"_s << u"Fenwal"_s << true << false << refused;
        QTest::newRow("deleted entry 2, nothing typed") << QString() << QString() << true << false << refused;
        QTest::newRow("Esc") << kAdmin << kAdminPassword << false << false << QStringList();
    }
    void accounts()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(bool, confirm);
        QFETCH(bool, allowed);
        QFETCH(QStringList, messages);
        TempFolder folder;
        writeKalvixIni(folder, QString());
        IniFile ini(folder.file(u"Kalvix.ini"_s));
        QVERIFY(storeAdministrator(ini, 2, u"kata"_s, u"pw"_s, u"pw"_s));
        QVERIFY(storeAdministrator(ini, 2, QString(), QString(), QString()));
        QVERIFY(storeAdministrator(ini, 3, u"ures"_s, QString(), QString()));
        TdlPwd dialog(ini);
        answerLogin(name, password, confirm);
        if (!messages.isEmpty())
            setNextAnswer(mrOk);
        QCOMPARE(dialog.Execute(LoginPurpose::Stop), allowed);
        QCOMPARE(answeredTexts(), messages);
    }

    // A settings file deleted or edited by hand locks every administrator
    // action, the built-in account's too; the login is not even shown.
    void tamperedSettingsFile_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("file deleted") << QString() << QString();
        QTest::newRow("NEV1 typed in plain text") << u"NEV1"_s << u"admin"_s;
        QTest::newRow("PWD1 empty") << u"PWD1"_s << QString();
    }
    void tamperedSettingsFile()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        TempFolder folder;
        writeKalvixIni(folder, QString());
        IniFile ini(folder.file(u"Kalvix.ini"_s));
        if (key.isEmpty())
            QVERIFY(QFile::remove(folder.file(u"Kalvix.ini"_s)));
        else
            QVERIFY(ini.writeString(u"ADMIN"_s, key, value));
        TdlPwd dialog(ini);
        setNextAnswer(mrOk);
        QVERIFY(!dialog.Execute(LoginPurpose::Close));
        QCOMPARE(answeredTexts(), QStringList{u"A Kalvix.ini fájlt kitörölték, vagy megváltoztatták!"_s});
        QVERIFY(!dialog.isVisible());
    }
};

REGISTER_TEST(TestLoginDialog)
#include "test_login_dialog.moc"
