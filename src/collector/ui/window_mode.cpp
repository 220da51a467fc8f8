#include "ui/window_mode.h"

#include "cli/signal_watcher.h"
#include "ui/base_form.h"
#include "ui/dialog_reporter.h"
#include "ui/kalvix_icon.h"
#include "ui/login_dialog.h"
#include "ui/main_window.h"
#include "ui/message_dialog.h"
#include "ui/settings_dialog.h"

#include "core/collector_program.h"

#include <QApplication>

#include <csignal>

KalvixForms::KalvixForms(const QString& folder) : dlAform1(std::make_unique<TdlAform1>(folder))
{
    setMainForm(dlAform1.get());
    dlAform1->FormCreate();
    if (!started())
        return;
    dlAlap();
    dlMessage();
    dlBeall1 = std::make_unique<TdlBeall1>(dlAform1->program());
    dlPwd = std::make_unique<TdlPwd>(dlAform1->program().settings());
    dlAform1->setForms(dlBeall1.get(), dlPwd.get());
}

KalvixForms::~KalvixForms()
{
    // The main window's end comes first; the dialogs it uses outlive it.
    if (dlAform1) {
        dlAform1->FormDestroy();
        dlAform1->setForms(nullptr, nullptr);
    }
    setMainForm(nullptr);
}

bool KalvixForms::started() const
{
    return !dlAform1->ended();
}

int runWindow(const QString& folder)
{
    installDialogReporter(ProgramKind::Collector);
    QApplication::setWindowIcon(kalvixIcon());
    // The window hides into the notification area; only closing it ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    KalvixForms forms(folder);
    if (!forms.started())
        return 1;
    // Closing the window (after the login) ends the program; so does a system
    // shutting down (SIGTERM) or Ctrl+C, without a login, with the files closed.
    // (exit, not quit: it also ends a message's loop before the main loop runs.)
    bool ending = false;
    const auto end = [&ending] {
        ending = true;
        QCoreApplication::exit(0);
    };
    QObject::connect(forms.dlAform1.get(), &TdlAform1::programClosing, qApp, end);
    SignalWatcher stop({SIGTERM, SIGINT});
    QObject::connect(&stop, &SignalWatcher::received, qApp, [&end](int) { end(); });
    forms.dlAform1->AfterCreate();
    // A signal while a start-up message was open ends the program at once.
    const int code = ending ? 0 : QApplication::exec();
    forms.dlAform1->FormDestroy();
    return code;
}
