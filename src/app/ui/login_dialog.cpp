#include "ui/login_dialog.h"

#include "core/data_module.h"
#include "core/messages.h"
#include "ui/buttons.h"
#include "ui/dos_edit.h"
#include "ui/message_dialog.h"

#include <QFocusEvent>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize kDesignSize{310, 240};

QLabel* labelAt(const QString& text, int left, int top, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->move(left, top);
    return label;
}

} // namespace

TdlPasswd::TdlPasswd(Tdm1& dm, QWidget* parent) : TdlAlap(parent), m_users(dm)
{
    setObjectName(u"dlPasswd"_s);
    setWindowTitle(u" Belépés"_s);
    // Only the system menu in the border.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setSizeWithoutRescale(kDesignSize - TdlMessage::kFrame);

    labelAt(u"Felhasználó"_s, 25, 30, this);
    deNev = new TdosEdit(this);
    deNev->setObjectName(u"deNev"_s);
    deNev->setMaxLength(kUserNameLength);
    deNev->setGeometry(130, 26, 150, 21);
    connect(deNev, &QLineEdit::textChanged, this, &TdlPasswd::deNevChange);

    labelAt(u"Jelszó"_s, 25, 65, this);
    deJelszo = new TdosEdit(this);
    deJelszo->setObjectName(u"deJelszo"_s);
    deJelszo->setEchoMode(QLineEdit::Password);
    deJelszo->setStyleSheet(u"lineedit-password-character: 42"_s); // "*"
    deJelszo->setGeometry(130, 61, 150, 21);
    deJelszo->installEventFilter(this);

    lbAzon = labelAt(u"Azonosító:"_s, 130, 95, this);
    lbAzon->setObjectName(u"lbAzon"_s);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(u"Panel1"_s);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setAutoFillBackground(true);
    QPalette info = Panel1->palette();
    info.setColor(QPalette::Window, info.color(QPalette::ToolTipBase));
    info.setColor(QPalette::WindowText, info.color(QPalette::ToolTipText));
    Panel1->setPalette(info);
    auto* note = new QVBoxLayout(Panel1);
    for (const QString& line : {u"Adatállomány megnyitása, és"_s, u"azonosítás folyamatban ..."_s})
        note->addWidget(new QLabel(line, Panel1), 0, Qt::AlignHCenter);
    Panel1->setGeometry(20, 118, 262, 48);
    Panel1->hide();

    gmRnb1 = new TgmRnb(this);
    gmRnb1->setObjectName(u"gmRnb1"_s);
    gmRnb1->setGeometry(55, 175, 85, 25);
    connect(gmRnb1, &QPushButton::clicked, this, &TdlPasswd::gmRnb1Click);
    gmMgs1 = new TgmMgs(this);
    gmMgs1->setObjectName(u"gmMgs1"_s);
    gmMgs1->setCancel(true);
    gmMgs1->setGeometry(160, 175, 85, 25);
}

LoginOutcome TdlPasswd::Execute(const QString& proposedName)
{
    deNev->setText(proposedName);
    const int result = exec();
    if (result != mrOk)
        return {LoginOutcome::Cancelled, deNev->text(), QString()};
    return {LoginOutcome::Accepted, deNev->text(), m_check.currentUser()};
}

void TdlPasswd::showEvent(QShowEvent* event)
{
    TdlAlap::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TdlPasswd::FormShow()
{
    for (QLabel* label : findChildren<QLabel*>())
        label->adjustSize();
    deJelszo->clear();
    m_check.reset();
    showIdentifier();
    focusOn(LoginCheck::Focus::Name);
}

void TdlPasswd::showIdentifier()
{
    lbAzon->setText(m_check.lbAzon());
    lbAzon->adjustSize();
}

void TdlPasswd::deNevChange()
{
    m_check.deNevChange();
    showIdentifier();
}

bool TdlPasswd::eventFilter(QObject* watched, QEvent* event)
{
    // The focus entering the password field, by the user's key or click; not
    // when the window itself comes back to the front.
    if (watched == deJelszo && event->type() == QEvent::FocusIn && !m_focusByProgram) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            deJelszoEnter();
    }
    return TdlAlap::eventFilter(watched, event);
}

void TdlPasswd::showNote(bool shown)
{
    Panel1->setVisible(shown);
    repaint();
}

void TdlPasswd::deJelszoEnter()
{
    showNote(true);
    const LoginCheck::Focus focus = m_check.deJelszoEnter(deNev->text());
    showNote(false);
    showIdentifier();
    focusOn(focus);
}

void TdlPasswd::gmRnb1Click()
{
    // The dialog stays open while the check asks or refuses; it closes only
    // once the password is right.
    setModalResult(0);
    if (!m_check.identified())
        showNote(true);
    const LoginCheck::Result result = m_check.gmRnb1Click(deNev->text(), deJelszo->text());
    showNote(false);
    showIdentifier();
    if (result.accepted) {
        setModalResult(mrOk);
        return;
    }
    focusOn(result.focus);
}

void TdlPasswd::focusOn(LoginCheck::Focus focus)
{
    QWidget* target = focus == LoginCheck::Focus::Name       ? static_cast<QWidget*>(deNev)
                      : focus == LoginCheck::Focus::Password ? static_cast<QWidget*>(deJelszo)
                                                             : nullptr;
    if (!target)
        return;
    // Focus the program gives is no entering by the user: no new identification.
    m_focusByProgram = true;
    target->setFocus(Qt::OtherFocusReason);
    m_focusByProgram = false;
}
