#pragma once

#include "core/collector_settings.h"
#include "core/cp1250.h"
#include "core/ini_file.h"
#include "core/messages.h"
#include "modal_helper.h"
#include "temp_folder.h"
#include "ui/dialog_reporter.h"
#include "ui/dos_edit.h"
#include "ui/login_dialog.h"
#include "ui/next_answer.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

// Administrator entry 1 of every settings file the tests write.
inline const QString kAdmin = QStringLiteral("admin");
inline const QString kAdminPassword = QStringLiteral("titok");

// The collector's windows in tests: the application's title, the real
// dialogs behind the core's messages, no answers left from before.
inline void prepareCollectorWindows()
{
    QApplication::setApplicationName(u"Kalvix"_s);
    installDialogReporter(ProgramKind::Collector);
    clearNextAnswers();
}

// Kalvix.ini holding text (sections with CR LF line ends), then
// administrator entry 1 stored as the program stores it.
inline void writeKalvixIni(const TempFolder& folder, const QString& text)
{
    folder.write(u"Kalvix.ini"_s, cp1250::encode(text));
    IniFile ini(folder.file(u"Kalvix.ini"_s));
    const auto stored = storeAdministrator(ini, 1, kAdmin, kAdminPassword, kAdminPassword);
    QVERIFY2(stored.has_value(), "administrator entry 1 not stored");
}

// A settings file of an installed collector: PBX type, run switch, port.
inline QString settingsText(const QString& kind, int run, const QString& port)
{
    return u"[OTHER]\r\nKIND="_s + kind + u"\r\nRUN="_s + QString::number(run) +
           u"\r\nMSG1=0\r\n[SP2]\r\nPort="_s + port + u"\r\nBaudRate=9600\r\n"_s;
}

// The texts of the questions the pre-set answers answered since the last call.
inline QStringList answeredTexts()
{
    QStringList texts;
    for (const AnsweredQuestion& question : takeAnsweredQuestions())
        texts.append(question.text);
    return texts;
}

// Keys typed where the user's keys go now (the focus may move while typing,
// as into a grid cell's editor that the first key opens).
inline void typeKeys(const QString& text)
{
    for (QChar c : text)
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

inline void pressKeyInFocus(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

// Acts on the next modal window once it is active, so that keys reach its
// focused control as the user's keys would.
inline void whenDialogActive(std::function<void(QWidget*)> action, QWidget* notThis = nullptr)
{
    whenModalShown(
        [action](QWidget* window) {
            if (!QTest::qWaitForWindowActive(window))
                qWarning("the dialog did not become active");
            action(window);
        },
        notThis);
}

// What a login dialog showed when it was answered.
struct LoginSeen {
    bool shown = false;
    QStringList panelLines; // of the visible purpose panel
    int visiblePanels = 0;
    bool focusOnName = false;
};

// Answers the next login dialog as a user does: the name, Enter, the
// password, Enter (to "Rendben"), Enter; or Esc when confirm is false. What
// it showed goes into seen.
inline void answerLogin(const QString& name, const QString& password, bool confirm = true,
                        LoginSeen* seen = nullptr, std::function<void(QWidget*)> then = {})
{
    whenDialogActive([=](QWidget* window) {
        auto* dialog = qobject_cast<TdlPwd*>(window);
        if (!dialog) {
            qWarning("a login was expected");
            static_cast<QDialog*>(window)->reject();
            return;
        }
        if (seen) {
            seen->shown = true;
            seen->focusOnName = QApplication::focusWidget() == dialog->deNev;
            for (QLabel* panel : {dialog->Panel1, dialog->Panel2, dialog->Panel3}) {
                if (panel->isVisible()) {
                    ++seen->visiblePanels;
                    seen->panelLines = panel->text().split(u'\n');
                }
            }
        }
        if (then)
            whenDialogActive(then, dialog);
        if (!confirm) {
            pressKeyInFocus(Qt::Key_Escape);
            return;
        }
        QTest::keyClicks(QApplication::focusWidget(), name);
        pressKeyInFocus(Qt::Key_Return);
        QTest::keyClicks(QApplication::focusWidget(), password);
        pressKeyInFocus(Qt::Key_Return);
        pressKeyInFocus(Qt::Key_Return);
        // Whatever went wrong above, the dialog does not stay open.
        if (dialog->isVisible())
            dialog->reject();
    });
}
