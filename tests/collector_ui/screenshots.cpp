// Shows the collector's windows one after the other on the screen the
// program runs on and saves a picture of each into the folder given as
// argument: scripts/screenshot-kalvix runs it on virtual screens.

#include "core/collector_program.h"
#include "core/collector_settings.h"
#include "core/cp1250.h"
#include "core/ini_file.h"
#include "core/messages.h"
#include "core/text_utils.h"
#include "ui/dialog_reporter.h"
#include "ui/dos_edit.h"
#include "ui/kalvix_icon.h"
#include "ui/login_dialog.h"
#include "ui/main_window.h"
#include "ui/port_dialog.h"
#include "ui/settings_dialog.h"
#include "ui/window_mode.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <QWindow>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

QString folder;
QTextStream out(stdout);

void save(QWidget* window, const QString& name)
{
    QScreen* screen = window->screen();
    QPixmap picture = screen ? screen->grabWindow(window->winId()) : QPixmap();
    if (picture.isNull())
        picture = window->grab();
    const QString file = folder + u'/' + name + u".png"_s;
    picture.save(file);
    out << file << u"  ("_s << window->windowTitle() << u", "_s << window->width() << u" x "_s
        << window->height() << u")"_s << Qt::endl;
}

bool waitExposed(QWidget* window)
{
    return QTest::qWaitFor(
        [window] { return window->windowHandle() && window->windowHandle()->isExposed(); });
}

// Takes the picture of the next modal window once it is painted, after
// prepare has run in it, then closes it.
void pictureOfNextModal(const QString& name, std::function<void(QDialog*)> prepare = {})
{
    auto* timer = new QTimer;
    timer->setInterval(50);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, name, prepare] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->windowHandle() || !dialog->windowHandle()->isExposed())
            return;
        timer->stop();
        timer->deleteLater();
        if (prepare)
            prepare(dialog);
        QTimer::singleShot(300, dialog, [dialog, name] {
            save(dialog, name);
            dialog->reject();
        });
    });
    timer->start();
}

void writeSettings(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(cp1250::encode(u"[OTHER]\r\nKIND=1-999-01\r\nRUN=0\r\nMSG1=0\r\n[SP2]\r\nPort=/dev/ttyUSB0\r\n"
                              u"BaudRate=9600\r\n[KIND999]\r\nDatSor=0\r\nIdoVal=:\r\n"_s));
    file.close();
    IniFile ini(path);
    (void)storeAdministrator(ini, 1, u"admin"_s, u"titok"_s, u"titok"_s);
    (void)storeAdministrator(ini, 2, u"Kovács Éva"_s, u"jelszó"_s, u"jelszó"_s);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Kalvix"_s);
    QApplication::setWindowIcon(kalvixIcon());
    SetDateFormats();
    folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : u"."_s;
    installDialogReporter(ProgramKind::Collector);

    QTemporaryDir work;
    writeSettings(work.filePath(u"Kalvix.ini"_s));
    KalvixForms forms(work.path());
    TdlAform1& window = *forms.dlAform1;
    window.show();
    waitExposed(&window);

    // The list with received records and a defect, through the tester's path.
    window.program().feedTester({u"23/05/25 09:05PM 201  01 06301234567          00:02'25"_s,
                                 u"23/05/25 10:17AM *12  02 <1234567>            00:00'48"_s,
                                 u"23/05/25 11:42AM 203  01 06205551234          00:11'07"_s,
                                 u"23/05/25 25:99XX 203  01 0612345678           00:01'00"_s, u"."_s});
    QTest::qWait(300);
    save(&window, u"01-main-window"_s);

    pictureOfNextModal(u"02-settings-configured-layout"_s);
    forms.dlBeall1->Execute();
    pictureOfNextModal(u"03-settings-administrator-editor"_s, [&](QDialog*) {
        TdlBeall1& dialog = *forms.dlBeall1;
        dialog.SzerkButtonClick(2);
        dialog.deJsz1->setText(u"jelszó"_s);
    });
    forms.dlBeall1->Execute();

    const QList<std::pair<LoginPurpose, QString>> purposes = {
        {LoginPurpose::Close, u"04-login-close"_s},
        {LoginPurpose::Settings, u"05-login-settings"_s},
        {LoginPurpose::Stop, u"06-login-stop"_s}};
    for (const auto& [purpose, name] : purposes) {
        pictureOfNextModal(name, [&](QDialog*) {
            forms.dlPwd->deNev->setText(u"admin"_s);
            forms.dlPwd->deJsz->setText(u"titok"_s);
        });
        forms.dlPwd->Execute(purpose);
    }

    pictureOfNextModal(u"07-serial-port"_s);
    PortSettingsDialog port(window.program().portSettings());
    port.exec();

    pictureOfNextModal(u"08-first-start-message"_s);
    Uzenet(
        u"A program első indításakor a kommunikáció nem indul el automatikusan, ;hogy a telefonközpont "
        u"típusát (és paramétereit) be lehessen állítani. ;(a beállításhoz használja a [2.] (illetve [1.]) "
        u"gombot) ;És utána indíthatja a kommunikációt a START gombbal."_s,
        u'I', u"R"_s);
    return 0;
}
