#include "ui/login_dialog.h"

#include "core/ini_file.h"
#include "core/messages.h"
#include "ui/asterisk_echo.h"
#include "ui/buttons.h"
#include "ui/dos_edit.h"
#include "ui/plain_forms.h"

#include <QKeyEvent>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize kClientSize{322, 196};
const QRect kPanelPlace{20, 84, 282, 64};

QLabel* purposePanel(LoginPurpose purpose, QWidget* parent)
{
    const LoginPanel look = loginPanel(purpose);
    auto* panel = new QLabel(look.lines.join(u'\n'), parent);
    panel->setObjectName(u"Panel"_s + QString::number(int(purpose)));
    panel->setGeometry(kPanelPlace);
    panel->setAlignment(Qt::AlignCenter);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(2);
    panel->setAutoFillBackground(true);
    QPalette colours = panel->palette();
    colours.setColor(QPalette::Window, look.warning ? kRed : kLime);
    colours.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(colours);
    QFont font = panel->font();
    font.setBold(true);
    panel->setFont(font);
    return panel;
}

} // namespace

TdlPwd::TdlPwd(const IniFile& settings, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint),
      m_settings(settings)
{
    setObjectName(u"dlPwd"_s);
    setWindowTitle(u" Rendszergazdai műveletekhez"_s);
    setFont(plainFormFont());
    setFixedSize(kClientSize);

    auto* nameLabel = new QLabel(u"Azonosító :"_s, this);
    nameLabel->setGeometry(20, 18, 90, 22);
    deNev = new TdosEdit(this);
    deNev->setObjectName(u"deNev"_s);
    deNev->setGeometry(112, 18, 190, 22);
    showAsterisks(deNev);
    nameLabel->setBuddy(deNev);

    auto* passwordLabel = new QLabel(u"Jelszó :"_s, this);
    passwordLabel->setGeometry(20, 48, 90, 22);
    deJsz = new TdosEdit(this);
    deJsz->setObjectName(u"deJsz"_s);
    deJsz->setGeometry(112, 48, 190, 22);
    showAsterisks(deJsz);
    passwordLabel->setBuddy(deJsz);

    Panel1 = purposePanel(LoginPurpose::Close, this);
    Panel2 = purposePanel(LoginPurpose::Settings, this);
    Panel3 = purposePanel(LoginPurpose::Stop, this);

    gmRnb1 = new TgmRnb(this);
    gmRnb1->setObjectName(u"gmRnb1"_s);
    gmRnb1->setGeometry(62, 160, 90, 25);
    gmMgs1 = new TgmMgs(this);
    gmMgs1->setObjectName(u"gmMgs1"_s);
    gmMgs1->setGeometry(170, 160, 90, 25);
    gmMgs1->setCancel(true);
}

QLabel* TdlPwd::panelOf(LoginPurpose purpose) const
{
    switch (purpose) {
    case LoginPurpose::Close:
        return Panel1;
    case LoginPurpose::Settings:
        return Panel2;
    case LoginPurpose::Stop:
        break;
    }
    return Panel3;
}

bool TdlPwd::Execute(LoginPurpose purpose)
{
    // Without entry 1 as the program stores it, the file was deleted or
    // edited by hand: nobody may go on, not even the maintenance account.
    if (const auto problem = administratorFileProblem(m_settings)) {
        ShowPlainMessage(*problem);
        return false;
    }
    const QList<AdministratorAccount> accounts = administratorAccounts(m_settings);
    for (QLabel* panel : {Panel1, Panel2, Panel3})
        panel->setVisible(panel == panelOf(purpose));
    deNev->clear();
    deJsz->clear();
    deNev->setFocus();
    const bool confirmed = exec() == mrOk;
    const QString name = deNev->text();
    const QString password = deJsz->text();
    // Nothing typed stays in the dialog between requests.
    deNev->clear();
    deJsz->clear();
    if (!confirmed)
        return false;
    if (matchesAdministrator(accounts, name, password))
        return true;
    ShowPlainMessage(kLoginRefused);
    return false;
}

void TdlPwd::keyPressEvent(QKeyEvent* event)
{
    // Esc is "Mégsem"; Enter only presses the button that has the focus.
    if (ignoresEnter(event))
        return;
    QDialog::keyPressEvent(event);
}
