#include "ui/input_dialog.h"

#include "core/messages.h"
#include "ui/buttons.h"
#include "ui/dos_edit.h"
#include "ui/message_dialog.h"

#include <QLabel>
#include <QShowEvent>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize kDesignSize{340, 230};

TdosEdit* field(const QString& name, const QString& caption, int top, int maxLength, bool password,
                QWidget* parent)
{
    (new QLabel(caption, parent))->move(20, top + 4);
    auto* edit = new TdosEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    if (password) {
        edit->setEchoMode(QLineEdit::Password);
        edit->setStyleSheet(u"lineedit-password-character: 42"_s); // "*"
    }
    edit->setGeometry(175, top, 135, 21);
    return edit;
}

} // namespace

TdlInput3::TdlInput3(QWidget* parent) : TdlAlap(parent)
{
    setObjectName(u"dlInput3"_s);
    setWindowTitle(u"Adatbekérés"_s);
    setSizeWithoutRescale(kDesignSize - TdlMessage::kFrame);
    deUser = field(u"deUser"_s, u"Felhasználói név"_s, 25, kUserNameLength, false, this);
    dePwd1 = field(u"dePwd1"_s, u"Jelszó"_s, 60, kPasswordLength, true, this);
    dePwd2 = field(u"dePwd2"_s, u"Jelszó mégegyszer"_s, 95, kPasswordLength, true, this);
    gmRnb1 = new TgmRnb(this);
    gmRnb1->setObjectName(u"gmRnb1"_s);
    gmRnb1->setGeometry(70, 150, 85, 25);
    connect(gmRnb1, &QPushButton::clicked, this, &TdlInput3::gmRnb1Click);
    gmMgs1 = new TgmMgs(this);
    gmMgs1->setObjectName(u"gmMgs1"_s);
    gmMgs1->setCancel(true);
    gmMgs1->setGeometry(177, 150, 85, 25);
}

int TdlInput3::Execute(const QString& user, Mode mode, const UserMaintenance& rules)
{
    m_rules = &rules;
    m_mode = mode;
    deUser->setText(user);
    dePwd1->clear();
    dePwd2->clear();
    deUser->setEnabled(mode == Mode::NewUser);
    const int result = exec();
    m_rules = nullptr;
    return result;
}

void TdlInput3::showEvent(QShowEvent* event)
{
    TdlAlap::showEvent(event);
    if (event->spontaneous())
        return;
    for (QLabel* label : findChildren<QLabel*>())
        label->adjustSize();
    (deUser->isEnabled() ? deUser : dePwd1)->setFocus(Qt::OtherFocusReason);
}

void TdlInput3::gmRnb1Click()
{
    // Open until the check passes; its messages are shown meanwhile.
    setModalResult(0);
    if (!m_rules)
        return;
    const UserMaintenance::InputCheck check =
        m_rules->checkInput(m_mode, deUser->text(), dePwd1->text(), dePwd2->text());
    if (check.accepted) {
        setModalResult(mrOk);
        return;
    }
    if (check.clearPasswords) {
        dePwd1->clear();
        dePwd2->clear();
    }
    if (check.focus == UserMaintenance::InputFocus::User)
        deUser->setFocus(Qt::OtherFocusReason);
    else if (check.focus == UserMaintenance::InputFocus::Password1)
        dePwd1->setFocus(Qt::OtherFocusReason);
}
