// Goes through Teloran's windows on an installation, as a user would, and
// saves a picture of each: scripts/screenshot-teloran runs it on virtual
// screens. Arguments: the main INI file, the user's name and password, and
// the folder for the pictures.

#include "core/login.h"
#include "core/parameter_store.h"
#include "core/startup.h"
#include "teloran_windows.h"
#include "ui/about_box.h"
#include "ui/buttons.h"
#include "ui/dialog_reporter.h"
#include "ui/dos_edit.h"
#include "ui/import_list_window.h"
#include "ui/import_window.h"
#include "ui/input_dialog.h"
#include "ui/login_dialog.h"
#include "ui/main_window.h"
#include "ui/message_dialog.h"
#include "ui/setup_dialog.h"
#include "ui/users_form.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QWindow>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

QString folder;
QTextStream out(stdout);

void pause(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void save(const QPixmap& picture, const QString& name, const QString& what)
{
    const QString file = folder + u'/' + name + u".png"_s;
    picture.save(file);
    out << file << u"  ("_s << what << u")"_s << Qt::endl;
}

void shoot(QWidget* window, const QString& name)
{
    QScreen* screen = window->screen();
    QPixmap picture = screen ? screen->grabWindow(window->winId()) : QPixmap();
    if (picture.isNull())
        picture = window->grab();
    save(picture, name, window->windowTitle());
}

void shootScreen(const QString& name)
{
    save(QGuiApplication::primaryScreen()->grabWindow(0), name, u"képernyő"_s);
}

void key(QWidget* window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, key, modifiers);
        QApplication::sendEvent(target, &event);
    }
}

// Acts on the next modal window of its class once it is painted on the
// screen (and ready, when a condition is given).
template <typename Window>
void when(std::function<void(Window*)> action, std::function<bool(Window*)> ready = {})
{
    auto* timer = new QTimer;
    timer->setInterval(50);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action, ready] {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        if (!window || !window->isVisible() || !window->windowHandle() ||
            !window->windowHandle()->isExposed() || (ready && !ready(window)))
            return;
        timer->stop();
        timer->deleteLater();
        pause(300);
        action(window);
    });
    timer->start();
}

bool idle(TdlBeolv* window)
{
    return window->gmRnb1->isVisible();
}

// The way through the program once it has started.
void tour(TeloranWindows& windows)
{
    TdlAform1& main = windows.dlAform1();
    shoot(&main, u"main-window"_s);

    // The menu "Törzsek" opened.
    QAction* masterData = main.menuAction(u"mTorzsek"_s);
    main.MainMenu1->setActiveAction(masterData);
    pause(400);
    shootScreen(u"main-menu"_s);
    masterData->menu()->hide();
    pause(100);

    when<TdlSetup>([](TdlSetup* dialog) {
        shoot(dialog, u"parameters-program-1"_s);
        key(dialog, Qt::Key_PageDown);
        pause(200);
        shoot(dialog, u"parameters-program-2"_s);
        key(dialog, Qt::Key_Escape);
    });
    main.menuAction(u"mpCeginit"_s)->trigger();

    when<TdlSetup>([](TdlSetup* dialog) {
        shoot(dialog, u"parameters-user"_s);
        key(dialog, Qt::Key_Escape);
    });
    main.menuAction(u"mpUsrinit"_s)->trigger();

    when<TdlUserkarb>([](TdlUserkarb* form) {
        shoot(form, u"users"_s);
        when<TdlInput3>([](TdlInput3* input) {
            input->deUser->setText(u"Kovács Éva"_s);
            input->dePwd1->setText(u"titok"_s);
            shoot(input, u"users-new"_s);
            input->gmMgs1->click();
        });
        form->gmUjfelvitel->click();
        form->gmMgs1->click();
    });
    main.menuAction(u"mpUsers"_s)->trigger();

    // The menu-started import: search, lists, reading two of the files.
    when<TdlBeolv>(
        [](TdlBeolv* window) {
            shoot(window, u"import-search"_s);
            window->gmRnb1->click();
        },
        idle);
    when<TdlBeolvas>(
        [](TdlBeolvas* window) {
            for (int i = 0; i < std::min(2, window->lb2->count()); ++i)
                window->lb2->item(i)->setSelected(true);
            pause(100);
            shoot(window, u"import-list"_s);
            when<TdlMessage>([](TdlMessage* question) {
                shoot(question, u"import-question"_s);
                question->gmIgen1->click();
            });
            when<TdlBeolv>(
                [](TdlBeolv* reading) {
                    shoot(reading, u"import-read"_s);
                    reading->gmRnb1->click();
                },
                idle);
            window->gmRnb1->click();
        },
        [](TdlBeolvas* window) { return window->lb2->count() > 0 || window->lb1->count() > 0; });
    main.menuAction(u"mpBeolvas"_s)->trigger();

    // The automatic import as at start-up: the files still waiting.
    when<TdlMessage>([](TdlMessage* question) { question->gmIgen1->click(); });
    when<TdlBeolv>(
        [](TdlBeolv* window) {
            shoot(window, u"import-auto"_s);
            window->gmRnb1->click();
        },
        idle);
    windows.dlBeolv().Uzemmod = ImportMode::Auto;
    windows.dlBeolv().exec();

    when<TdlNevjegy>([](TdlNevjegy* about) {
        shoot(about, u"about"_s);
        about->gmOk->click();
    });
    main.menuAction(u"mpNevjegy"_s)->trigger();

    when<TdlMessage>([](TdlMessage* message) {
        shoot(message, u"menu-item-without-window"_s);
        message->gmRnb1->click();
    });
    main.menuAction(u"mpDijszam"_s)->trigger();

    when<TdlMessage>([](TdlMessage* message) {
        shoot(message, u"exit-question"_s);
        message->gmIgen1->click();
    });
    main.close();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(u"Dravasoft"_s);
    QApplication::setApplicationName(u"Teloran"_s);
    installDialogReporter(ProgramKind::Main);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 5) {
        out << u"teloran_screenshots Teloran.ini név jelszó mappa"_s << Qt::endl;
        return 2;
    }
    const QString user = arguments[2];
    const QString password = arguments[3];
    folder = arguments[4];
    QDir().mkpath(folder);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    out << u"screen "_s << screen.width() << u" x "_s << screen.height() << Qt::endl;

    // The last user's name goes to a registry of its own, not the user's.
    QTemporaryDir registry;
    QSettings settings(registry.filePath(u"registry.ini"_s), QSettings::IniFormat);
    LastUser lastUser(&settings);
    TeloranWindows windows(arguments[1], QApplication::applicationDirPath(), lastUser);
    TdlAform1& main = windows.dlAform1();

    when<TdlPasswd>([user, password](TdlPasswd* dialog) {
        dialog->deNev->setText(user);
        dialog->deJelszo->setFocus();
        dialog->deJelszo->setText(password);
        pause(100);
        shoot(dialog, u"login"_s);
        dialog->gmRnb1->click();
    });
    QObject::connect(&main, &TdlAform1::startupFinished, &app, [&windows](bool started) {
        if (!started) {
            QCoreApplication::exit(1);
            return;
        }
        QTimer::singleShot(500, [&windows] { tour(windows); });
    });
    QObject::connect(&main, &QDialog::finished, &app, &QCoreApplication::quit);
    main.show();
    return QApplication::exec();
}
