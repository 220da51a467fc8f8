#include "ui/main_window.h"

#include "core/collector_program.h"
#include "core/messages.h"
#include "ui/kalvix_icon.h"
#include "ui/login_dialog.h"
#include "ui/plain_forms.h"
#include "ui/plain_message.h"
#include "ui/port_dialog.h"
#include "ui/run_panel.h"
#include "ui/settings_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QToolButton>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize kClientSize{632, 151};

// The window lives in the notification area: a small frame with only the close box.
constexpr Qt::WindowFlags kTrayWindowFlags = Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                             Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint;
// Without a notification area it is an ordinary window that can be minimized.
constexpr Qt::WindowFlags kPlainWindowFlags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                                              Qt::CustomizeWindowHint;

QToolButton* speedButton(const QString& name, const QString& text, const QRect& place, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setGeometry(place);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QColor buttonFace()
{
    return QApplication::palette().color(QPalette::Button);
}

} // namespace

const QString TdlAform1::kVersion = u"2.11"_s;

TdlAform1::TdlAform1(const QString& folder, QWidget* parent)
    : TdlAlap(parent), m_program(std::make_unique<CollectorProgram>(folder, *this))
{
    setObjectName(u"dlAform1"_s);
    setWindowFlags(kTrayWindowFlags);
    setWindowTitle(u" Kalvix - Com.Port.Reader for Teloran - ver "_s);
    setWindowIcon(kalvixIcon());
    setSizeWithoutRescale(kClientSize);
    buildWidgets();
    connect(m_program.get(), &CollectorProgram::receptionChanged, this, &TdlAform1::RunAndStop);
}

TdlAform1::~TdlAform1()
{
    FormDestroy();
}

void TdlAform1::buildWidgets()
{
    Label1 = new QLabel(u"Az utolsó hívás(ok) adatai:"_s, this);
    Label1->setObjectName(u"Label1"_s);
    Label1->setGeometry(8, 4, 236, 18);
    Label1->installEventFilter(this);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(u"Memo1"_s);
    Memo1->setGeometry(8, 24, 550, 110);
    // Eight lines of a record's 76 characters fit in the list's 550 x 110.
    QFont memoFont(u"Courier New"_s);
    memoFont.setPixelSize(11);
    memoFont.setBold(true);
    Memo1->setFont(memoFont);
    Memo1->document()->setDocumentMargin(2);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setReadOnly(true);
    Memo1->setFocusPolicy(Qt::NoFocus);
    showList();

    sbTeszter = speedButton(u"sbTeszter"_s, u"Teszt"_s, {252, 2, 70, 21}, this);
    sbTeszter->hide();
    connect(sbTeszter, &QToolButton::clicked, this, &TdlAform1::sbTeszterClick);
    sbTray = speedButton(u"sbTray"_s, u"Ikon állapotba"_s, {410, 1, 148, 22}, this);
    sbTray->setIcon(kalvixIcon());
    sbTray->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(sbTray, &QToolButton::clicked, this, &TdlAform1::sbTrayClick);

    pnSTP = new RunPanel(u"STOP"_s, this);
    pnSTP->setObjectName(u"pnSTP"_s);
    pnSTP->setGeometry(566, 24, 60, 20);
    pnRUN = new RunPanel(u"START"_s, this);
    pnRUN->setObjectName(u"pnRUN"_s);
    pnRUN->setGeometry(566, 48, 60, 20);
    for (RunPanel* panel : {pnSTP, pnRUN})
        connect(panel, &RunPanel::clicked, this, [this, panel] { pnClick(panel); });

    Label2 = new QLabel(u"Beállítások:"_s, this);
    Label2->setObjectName(u"Label2"_s);
    QFont small(u"Arial"_s);
    small.setPixelSize(11);
    Label2->setFont(small);
    Label2->setGeometry(564, 78, 66, 16);
    sbBeall1 = speedButton(u"sbBeall1"_s, u"2."_s, {566, 96, 60, 22}, this);
    connect(sbBeall1, &QToolButton::clicked, this, &TdlAform1::sbBeall1Click);
    sbBeall2 = speedButton(u"sbBeall2"_s, u"1."_s, {566, 122, 60, 22}, this);
    connect(sbBeall2, &QToolButton::clicked, this, &TdlAform1::sbBeall2Click);

    Menu1 = new QMenu(this);
    Menu1->setObjectName(u"Menu1"_s);
    mpMutat = Menu1->addAction(u"Kezelőablak megnyitása"_s);
    mpMutat->setObjectName(u"mpMutat"_s);
    Menu1->addSeparator()->setObjectName(u"N1"_s);
    mpKilep = Menu1->addAction(u"Program bezárása"_s);
    mpKilep->setObjectName(u"mpKilep"_s);
    connect(mpMutat, &QAction::triggered, this, &TdlAform1::mpMutatClick);
    connect(mpKilep, &QAction::triggered, this, &TdlAform1::mpKilepClick);
}

void TdlAform1::FormCreate()
{
    TdlAlap::FormCreate();
    setFixedSize(size());
    if (std::exchange(m_createRan, true))
        return;
    // No settings file: the message has been shown, and the program ends
    // without touching anything (FormDestroy does nothing).
    if (!m_program->FormCreate([this] { portSettings(false); })) {
        m_tag = 1;
        return;
    }
    setWindowTitle(windowTitle() + kVersion);
    RunAndStop();
    addTrayIcon();
}

void TdlAform1::addTrayIcon()
{
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        // Nowhere to hide: the window stays on the screen and can be minimized.
        setWindowFlags(kPlainWindowFlags);
        sbTray->setToolTip(u"Nincs értesítési terület: az ablak kis méretre vált."_s);
        showWindow();
        return;
    }
    m_trayIcon = new QSystemTrayIcon(kalvixIcon(), this);
    m_trayIcon->setToolTip(applicationTitle());
    m_trayIcon->setContextMenu(Menu1);
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, &TdlAform1::trayActivated);
    m_trayIcon->show();
}

void TdlAform1::setForms(TdlBeall1* settings, TdlPwd* login)
{
    m_settingsDialog = settings;
    m_loginDialog = login;
}

void TdlAform1::AfterCreate()
{
    m_program->AfterCreate([this] { showWindow(); });
}

void TdlAform1::FormDestroy()
{
    if (m_tag == 1 || !m_createRan || std::exchange(m_destroyed, true))
        return;
    m_program->FormDestroy();
    if (m_trayIcon)
        m_trayIcon->hide();
}

bool TdlAform1::testerOpen() const
{
    return !Memo1->isReadOnly();
}

void TdlAform1::ShowLineError(const QString& text)
{
    addLine(text);
}

void TdlAform1::ShowRecord(const QString& text)
{
    addLine(text);
}

void TdlAform1::addLine(const QString& text)
{
    // With the tester open the list is what the user typed there.
    if (testerOpen()) {
        m_lastCalls.clear();
        for (const QString& line : testerLines())
            m_lastCalls.add(line);
    }
    // A control character of the PBX's text (a line end inside a defective
    // field) would break the line in two; it shows as a blank.
    QString shown = text;
    for (QChar& c : shown) {
        if (c.unicode() < 0x20)
            c = u' ';
    }
    m_lastCalls.add(shown);
    showList();
}

void TdlAform1::showList()
{
    Memo1->setPlainText(m_lastCalls.lines().join(u'\n'));
    Memo1->moveCursor(QTextCursor::Start);
}

QStringList TdlAform1::testerLines() const
{
    QString text = Memo1->toPlainText();
    text.remove(u'\r');
    if (text.isEmpty())
        return {};
    // A line break after the last line does not start another line.
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text.split(u'\n');
}

void TdlAform1::RunAndStop()
{
    const bool receiving = m_program->isReceiving();
    pnSTP->setLook(receiving ? buttonFace() : kRed, receiving);
    pnRUN->setLook(receiving ? kLime : buttonFace(), !receiving);
}

bool TdlAform1::login(LoginPurpose purpose)
{
    return m_loginDialog && m_loginDialog->Execute(purpose);
}

void TdlAform1::pnClick(RunPanel* panel)
{
    if (!panel->isRaised())
        return;
    const bool start = panel == pnRUN;
    // Stopping can lose what the PBX sends meanwhile; starting cannot.
    if (!start && !login(LoginPurpose::Stop))
        return;
    m_program->switchReception(start);
    RunAndStop();
}

void TdlAform1::sbBeall1Click()
{
    if (!login(LoginPurpose::Settings))
        return;
    if (m_settingsDialog)
        m_settingsDialog->Execute();
}

void TdlAform1::sbBeall2Click()
{
    portSettings(true);
}

void TdlAform1::portSettings(bool askLogin)
{
    if (askLogin && !login(LoginPurpose::Settings))
        return;
    PortSettingsDialog dialog(m_program->portSettings());
    const bool confirmed = dialog.exec() == mrOk;
    // Stored whether or not the dialog was confirmed: a first start leaves
    // the port's settings in the file either way.
    m_program->storePortSettings(confirmed ? dialog.settings() : m_program->portSettings());
}

void TdlAform1::sbTrayClick()
{
    if (m_trayIcon)
        hide();
    else
        showMinimized();
}

void TdlAform1::showWindow()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void TdlAform1::mpMutatClick()
{
    showWindow();
}

void TdlAform1::mpKilepClick()
{
    closeProgram();
}

void TdlAform1::trayActivated(QSystemTrayIcon::ActivationReason reason)
{
    // The right button opens Menu1 (the icon's context menu).
    if (reason != QSystemTrayIcon::Trigger)
        return;
    if (isVisible() && !isMinimized())
        hide();
    else
        showWindow();
}

bool TdlAform1::FormCloseQuery(int)
{
    return login(LoginPurpose::Close);
}

void TdlAform1::reject()
{
    closeProgram();
}

void TdlAform1::closeProgram()
{
    if (!FormCloseQuery(mrCancel))
        return;
    hide();
    Q_EMIT programClosing();
}

bool TdlAform1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label1 && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const Qt::KeyboardModifiers held = mouse->modifiers();
        if (mouse->button() == Qt::RightButton && held.testFlag(Qt::ControlModifier) &&
            held.testFlag(Qt::ShiftModifier))
            Label1MouseUp();
    }
    return TdlAlap::eventFilter(watched, event);
}

void TdlAform1::Label1MouseUp()
{
    // The record tester: PBX lines typed or pasted into the list go through
    // the parser and the record files as received ones do.
    m_lastCalls.clear();
    Memo1->clear();
    Memo1->setReadOnly(false);
    Memo1->setFocusPolicy(Qt::StrongFocus);
    Memo1->setFocus();
    sbTeszter->show();
}

void TdlAform1::sbTeszterClick()
{
    const QStringList lines = testerLines();
    if (lines.isEmpty())
        return;
    m_program->feedTester(lines);
    Memo1->setFocus();
}
