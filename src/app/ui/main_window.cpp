#include "ui/main_window.h"

#include "core/data_module.h"
#include "core/login.h"
#include "core/messages.h"
#include "ui/about_box.h"
#include "ui/input_dialog.h"
#include "ui/login_dialog.h"
#include "ui/setup_dialog.h"
#include "ui/simple_dialog_layout.h"
#include "ui/users_form.h"

#include <QFrame>
#include <QLabel>
#include <QLinearGradient>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Font sizes a user can read forms in; a parameter outside is brought inside.
constexpr int kSmallestFont = 6;
constexpr int kLargestFont = 30;

} // namespace

QColor filterMarkerColour()
{
    return QColor(0x00, 0x80, 0x80);
}

TdlAform1::TdlAform1(const QString& mainIniFileName, const QString& executableFolder, LastUser& lastUser,
                     QWidget* parent)
    : TdlAlap(parent), m_lastUser(lastUser), m_executableFolder(executableFolder)
{
    setObjectName(u"dlAform1"_s);
    setWindowTitle(kMainWindowCaption);
    setPosition(Position::ScreenCenter);
    setMainForm(this);

    // FormCreate: the main INI file and the base directory, then the data
    // module that reads the connection from it.
    m_session = std::make_unique<TeloranSession>(mainIniFileName);
    m_dm = std::make_unique<Tdm1>(m_session->mainIni(), m_session->baseDirectory());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 20, 10);
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(u"MainMenu1"_s);
    layout->setMenuBar(MainMenu1);
    layout->addStretch();
    layout->addWidget(createLogo(this), 0, Qt::AlignRight | Qt::AlignBottom);
    Panel2 = note(u"Panel2"_s, u"Előkészítés folyamatban ... Kis türelmét."_s);
    Panel1 = note(u"Panel1"_s, u"Feldolgozás folyamatban ... Kis türelmét."_s);
    buildMenu();

    dlPasswd = new TdlPasswd(*m_dm, this);
    dlInput3 = new TdlInput3(this);
    dlUserkarb = new TdlUserkarb(*m_dm, *dlInput3, this);
    dlNevjegy = new TdlNevjegy(this);
    setActions();
}

TdlAform1::~TdlAform1()
{
    // The forms go before the data module and the stores they work on.
    qDeleteAll(findChildren<QDialog*>(Qt::FindDirectChildrenOnly));
}

QFrame* TdlAform1::note(const QString& name, const QString& text)
{
    auto* panel = new QFrame(this);
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setAutoFillBackground(true);
    auto* inside = new QVBoxLayout(panel);
    inside->addWidget(new QLabel(text, panel), 0, Qt::AlignCenter);
    panel->setGeometry((width() - 430) / 2, (height() - 40) / 2, 430, 40);
    panel->hide();
    return panel;
}

void TdlAform1::buildMenu()
{
    for (const MenuDefinition& menu : mainMenu()) {
        if (menu.items.isEmpty()) {
            // An item of the bar itself.
            QAction* item = MainMenu1->addAction(menu.caption);
            item->setObjectName(menu.name);
            m_actions.insert(menu.name, item);
            continue;
        }
        QMenu* popup = MainMenu1->addMenu(menu.caption);
        popup->setObjectName(menu.name);
        popup->menuAction()->setObjectName(menu.name);
        m_actions.insert(menu.name, popup->menuAction());
        for (const MenuItemDefinition& definition : menu.items) {
            if (definition.name.isEmpty()) {
                popup->addSeparator();
                continue;
            }
            QAction* item = popup->addAction(definition.caption);
            item->setObjectName(definition.name);
            m_actions.insert(definition.name, item);
        }
    }
    for (QAction* item : std::as_const(m_actions)) {
        if (item->menu())
            continue;
        connect(item, &QAction::triggered, this, [this, item] { FormClick(item->objectName()); });
    }
}

void TdlAform1::setActions()
{
    m_dispatcher.setAction(u"mpUsers"_s, [this] { dlUserkarb->Execute(m_session->currentUser()); });
    m_dispatcher.setAction(u"mpCeginit"_s, [this] {
        TdlSetup* dialog = cegParameterDialog();
        if (!dialog || !dialog->Execute())
            return;
        // The tariff parameters' pages follow the program parameters.
        if (m_tariffParameters)
            m_tariffParameters();
        MenuBeall();
    });
    m_dispatcher.setAction(u"mpUsrinit"_s, [this] {
        TdlSetup* dialog = usrParameterDialog();
        if (dialog && dialog->Execute())
            applyFont(userFontStyle(*m_session->UsrParameterek()));
    });
    m_dispatcher.setAction(u"mpNevjegy"_s, [this] { dlNevjegy->exec(); });
    m_dispatcher.setAction(u"mKilepes"_s, [this] { close(); });
}

void TdlAform1::FormClick(const QString& name)
{
    m_dispatcher.FormClick(name);
}

TdlSetup* TdlAform1::cegParameterDialog()
{
    if (!m_cegDialog && m_session->CegParameterek())
        m_cegDialog = new TdlSetup(*m_session->CegParameterek(), this);
    return m_cegDialog;
}

TdlSetup* TdlAform1::usrParameterDialog()
{
    if (!m_usrDialog && m_session->UsrParameterek())
        m_usrDialog = new TdlSetup(*m_session->UsrParameterek(), this);
    return m_usrDialog;
}

void TdlAform1::MenuBeall()
{
    if (!m_session->CegParameterek())
        return;
    const MenuVisibility visible = ::MenuBeall(*m_session->CegParameterek(), m_session->currentUser());
    m_actions.value(u"mpAzonok"_s)->setVisible(visible.mpAzonok);
    m_actions.value(u"mpKodok"_s)->setVisible(visible.mpKodok);
}

void TdlAform1::applyFont(FontStyle style)
{
    QFont font = dlAlap().font();
    font.setPointSize(std::clamp(style.size, kSmallestFont, kLargestFont));
    font.setBold(style.bold);
    dlAlap().setFont(font);
    // The other forms take it on when they are next shown.
    setFont(font);
}

void TdlAform1::showEvent(QShowEvent* event)
{
    TdlAlap::showEvent(event);
    // The first activation runs once the window is on the screen and the
    // program's event loop runs, so its dialogs stand over the window.
    if (!m_activationQueued) {
        m_activationQueued = true;
        QMetaObject::invokeMethod(this, &TdlAform1::firstActivation, Qt::QueuedConnection);
    }
}

void TdlAform1::firstActivation()
{
    StartupHooks hooks;
    hooks.login = [this](const QString& proposed) { return login(proposed); };
    hooks.applyFont = [this](FontStyle font) { applyFont(font); };
    hooks.buildTariffParameters = m_tariffParameters;
    hooks.finishStart = [this] { return finishStart(); };
    hooks.autostartImport = m_autostartImport;
    hooks.autostartPricing = m_autostartPricing;
    const bool started = FirstActivation(*m_session, *m_dm, m_lastUser, hooks, m_executableFolder);
    if (!started)
        done(mrCancel); // while starting, without the exit question
    Q_EMIT startupFinished(started);
}

LoginOutcome TdlAform1::login(const QString& proposedName)
{
    // Without the users' database nobody can log in.
    if (const auto users = m_dm->acMain(); !users) {
        ShowPlainMessage(QString(users.error()).replace(u';', u'\n'));
        return {LoginOutcome::Failed, proposedName, QString()};
    }
    return dlPasswd->Execute(proposedName);
}

bool TdlAform1::finishStart()
{
    TdlAlap::FormActivate();
    recordMainWindow();
    setWindowTitle(captionWithVersion(kMainWindowCaption));
    MenuBeall();
    return true;
}

void TdlAform1::FormActivate()
{
    TdlAlap::FormActivate();
    recordMainWindow();
}

void TdlAform1::recordMainWindow()
{
    FoFormJellem().Init(x(), y(), width(), height());
}

bool TdlAform1::FormCloseQuery(int)
{
    const bool starting = m_session->starting();
    if (!m_session->FormCloseQuery())
        return false;
    if (!starting) {
        // The stores are gone: so are the dialogs over them.
        delete m_cegDialog;
        delete m_usrDialog;
        m_cegDialog = m_usrDialog = nullptr;
    }
    return true;
}

void TdlAform1::paintEvent(QPaintEvent*)
{
    // The window's picture: a quiet background under the menu and the logo.
    QPainter painter(this);
    QLinearGradient background(0, 0, 0, height());
    background.setColorAt(0.0, QColor(0xf4, 0xf6, 0xfa));
    background.setColorAt(1.0, QColor(0xc9, 0xd3, 0xe6));
    painter.fillRect(rect(), background);
}

void TdlAform1::mouseReleaseEvent(QMouseEvent* event)
{
    // The window's own click goes to the dispatcher like a menu item.
    if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint()))
        FormClick(objectName());
    TdlAlap::mouseReleaseEvent(event);
}
