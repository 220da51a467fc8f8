#pragma once

#include "core/login.h"
#include "core/startup.h"
#include "core/users.h"
#include "ui/base_form.h"

class QFrame;
class QLabel;
class TGomb;
class TdosEdit;
class Tdm1;

// The login dialog dlPasswd. Entering the password field identifies the
// name against the users table; "Rendben" identifies it when that has not
// happened and checks the password; "Mégsem" and Esc end the program at
// start-up. While the table is read, a note says so.
class TdlPasswd : public TdlAlap {
    Q_OBJECT
public:
    explicit TdlPasswd(Tdm1& dm, QWidget* parent = nullptr);

    // Shows the dialog with the proposed name: accepted with the name and
    // identifier of the user, or cancelled.
    LoginOutcome Execute(const QString& proposedName);

    // The identifier of the user identified last.
    const QString& currentUser() const { return m_check.currentUser(); }

    TdosEdit* deNev = nullptr;
    TdosEdit* deJelszo = nullptr;
    QLabel* lbAzon = nullptr;
    TGomb* gmRnb1 = nullptr;
    TGomb* gmMgs1 = nullptr;
    QFrame* Panel1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The activation steps, once each time the dialog is shown.
    void FormShow();
    void deNevChange();
    void deJelszoEnter();
    void gmRnb1Click();
    void showIdentifier();
    void focusOn(LoginCheck::Focus focus);
    void showNote(bool shown);

    UserTable m_users;
    LoginCheck m_check{m_users};
    bool m_focusByProgram = false;
};
