#pragma once

#include "core/users.h"
#include "ui/base_form.h"

class TGomb;
class TdosEdit;

// The input dialog dlInput3 ("Adatbekérés") of the user maintenance: a new
// user's name and password, or a new password for a user whose name is
// shown. "Rendben" closes it only when the name is free (new user) and the
// password was typed the same twice.
class TdlInput3 : public TdlAlap {
    Q_OBJECT
public:
    using Mode = UserMaintenance::InputMode;

    explicit TdlInput3(QWidget* parent = nullptr);

    // The modal result; 1 when accepted. The rules check the input.
    int Execute(const QString& user, Mode mode, const UserMaintenance& rules);

    TdosEdit* deUser = nullptr;
    TdosEdit* dePwd1 = nullptr;
    TdosEdit* dePwd2 = nullptr;
    TGomb* gmRnb1 = nullptr;
    TGomb* gmMgs1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void gmRnb1Click();

    Mode m_mode = Mode::NewUser;
    const UserMaintenance* m_rules = nullptr;
};
