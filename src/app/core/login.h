#pragma once

#include "core/users.h"

#include <QString>

#include <memory>

class QSettings;

// The name of the last user who logged in: the value LastUser of the
// settings of organisation "Dravasoft", application "Teloran" (the user's
// native settings store). Tests give a settings object of their own.
class LastUser {
public:
    LastUser();
    explicit LastUser(QSettings* settings); // not owned
    ~LastUser();

    // The stored name; "admin" when it is empty or missing.
    QString read() const;
    void write(const QString& name);
    // Start-up step 5: the name is written only when it differs from the
    // proposal the login dialog started with.
    void writeIfChanged(const QString& proposed, const QString& loggedIn);

private:
    std::unique_ptr<QSettings> m_own;
    QSettings* m_settings;
};

// The stored password in plain text: a value whose first character has the
// code 130 or more was made by variant B, any other by variant A.
QString decodeStoredPassword(const QString& stored);

// The logic of the login dialog dlPasswd. The dialog forwards the name's
// changes, the focus entering the password field and "Rendben", and applies
// the focus and the label this class gives back.
class LoginCheck {
public:
    explicit LoginCheck(UserTable& users) : m_users(users) {}

    enum class Focus { None, Name, Password };

    // FormActivate: the identification is withdrawn.
    void reset();
    // deNevChange: any change of the name withdraws the identification.
    void deNevChange();
    // deJelszoEnter: identifies the name. Not found: the message, focus on
    // the name. A database failure is shown with its error text.
    Focus deJelszoEnter(const QString& name);
    // "Rendben": identifies when needed, checks the password. accepted
    // means the dialog closes with modal result 1.
    struct Result {
        bool accepted = false;
        Focus focus = Focus::None;
    };
    Result gmRnb1Click(const QString& name, const QString& password);

    // "Azonosító:" or "Azonosító: " + the identifier.
    QString lbAzon() const;
    bool identified() const { return !m_azon.isEmpty(); }
    // The identifier of the user identified last (the current user once the
    // dialog is accepted).
    const QString& currentUser() const { return m_azon; }

private:
    UserTable& m_users;
    QString m_azon;
    QString m_storedPassword;
};
