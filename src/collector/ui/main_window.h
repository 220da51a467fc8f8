#pragma once

#include "core/administrator.h"
#include "core/collector.h"
#include "core/last_calls.h"
#include "ui/base_form.h"

#include <QSystemTrayIcon>

#include <memory>

class CollectorProgram;
class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QToolButton;
class RunPanel;
class TdlBeall1;
class TdlPwd;

// The collector's window "Kalvix - Com.Port.Reader for Teloran": the last
// calls and record defects, the START/STOP switch of reception, the two
// settings buttons and the record tester. It normally lives hidden behind
// an icon in the notification area; closing it ends the program and needs an
// administrator login, as stopping reception and the settings do.
class TdlAform1 : public TdlAlap, public CollectorView {
    Q_OBJECT
public:
    static const QString kVersion;

    // folder: the collector's folder (Kalvix.ini and the record files).
    explicit TdlAform1(const QString& folder, QWidget* parent = nullptr);
    ~TdlAform1() override;

    // The start-up: the settings file (the port dialog first when it holds no
    // port settings yet), the working files, the port when the run switch
    // says so, the tray icon. Runs once; ended() tells whether the program
    // has to end at once (no Kalvix.ini).
    void FormCreate() override;
    bool ended() const { return m_tag == 1; }
    // The dialogs the window opens, created after it.
    void setForms(TdlBeall1* settings, TdlPwd* login);
    // The first-start and warning messages; the window is shown with the
    // first-start messages and when there is no notification area.
    void AfterCreate();
    // The end: the run switch stored, the port and the working files closed
    // (into their dated files), the tray icon removed. Runs once.
    void FormDestroy();

    CollectorProgram& program() { return *m_program; }
    const LastCallsList& lastCalls() const { return m_lastCalls; }
    QSystemTrayIcon* trayIcon() const { return m_trayIcon; }
    bool testerOpen() const;

    void ShowLineError(const QString& text) override;
    void ShowRecord(const QString& text) override;

    // The panels' look from the port's state: the raised panel is the one
    // that can be pressed.
    void RunAndStop();
    // Closing is allowed after the administrator login "close".
    bool FormCloseQuery(int modalResult) override;

    void pnClick(RunPanel* panel);
    void sbBeall1Click();
    void sbBeall2Click();
    void sbTrayClick();
    void mpMutatClick();
    void mpKilepClick();
    void sbTeszterClick();
    void trayActivated(QSystemTrayIcon::ActivationReason reason);

    QLabel* Label1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    RunPanel* pnSTP = nullptr;
    RunPanel* pnRUN = nullptr;
    QToolButton* sbTeszter = nullptr;
    QToolButton* sbTray = nullptr;
    QLabel* Label2 = nullptr;
    QToolButton* sbBeall1 = nullptr;
    QToolButton* sbBeall2 = nullptr;
    QMenu* Menu1 = nullptr;
    QAction* mpMutat = nullptr;
    QAction* mpKilep = nullptr;

Q_SIGNALS:
    // Closing was allowed: the program ends.
    void programClosing();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The close box.
    void reject() override;

private:
    void buildWidgets();
    void addTrayIcon();
    void showWindow();
    void closeProgram();
    void portSettings(bool askLogin);
    bool login(LoginPurpose purpose);
    void Label1MouseUp();
    void addLine(const QString& text);
    void showList();
    QStringList testerLines() const;

    std::unique_ptr<CollectorProgram> m_program;
    LastCallsList m_lastCalls;
    TdlBeall1* m_settingsDialog = nullptr;
    TdlPwd* m_loginDialog = nullptr;
    QSystemTrayIcon* m_trayIcon = nullptr;
    int m_tag = 0;
    bool m_createRan = false;
    bool m_destroyed = false;
};
