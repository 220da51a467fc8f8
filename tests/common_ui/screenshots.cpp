// Shows the shared windows one after the other on the screen the program
// runs on and saves a picture of each into the folder given as argument:
// scripts/screenshot runs it on virtual screens.

#include "core/messages.h"
#include "ui/base_form.h"
#include "ui/buttons.h"
#include "ui/choice_box.h"
#include "ui/dialog_reporter.h"
#include "ui/dos_edit.h"
#include "ui/message_dialog.h"
#include "ui/simple_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QTextStream>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

QString folder;
QTextStream out(stdout);

QPixmap picture(QWidget* window)
{
    QScreen* screen = window->screen();
    const QPixmap grabbed = screen ? screen->grabWindow(window->winId()) : QPixmap();
    return grabbed.isNull() ? window->grab() : grabbed;
}

void save(QWidget* window, const QString& name)
{
    const QString file = folder + u'/' + name + u".png"_s;
    picture(window).save(file);
    out << file << u"  ("_s << window->windowTitle() << u", "_s << window->width() << u" x "_s
        << window->height() << u")"_s << Qt::endl;
}

// Takes the picture of the next modal window once it is painted, then closes
// it with the given result.
void pictureOfNextModal(const QString& name, int result = mrOk)
{
    auto* timer = new QTimer;
    timer->setInterval(50);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, name, result] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->windowHandle() || !dialog->windowHandle()->isExposed())
            return;
        timer->stop();
        timer->deleteLater();
        QTimer::singleShot(300, dialog, [dialog, name, result] {
            save(dialog, name);
            dialog->done(result);
        });
    });
    timer->start();
}

void message(const QString& name, const QString& text, QChar kind, const QString& buttons,
             const QString& extra = QString())
{
    pictureOfNextModal(name, buttons.contains(u'R') ? mrOk : buttons.contains(u'I') ? mrYes : mrAll);
    Uzenet(text, kind, buttons, extra);
}

void simpleDialog(const QString& name, int kind, const QString& text, DialogSize size = DialogSize::small())
{
    pictureOfNextModal(name, kind == 0 || kind == 5 ? mrYes : mrOk);
    Parbeszed(kind, text, DialogPosition::centre(), 8, size);
}

// A form of the kind the programs build on the base form.
void sampleForm()
{
    TdlAlap form;
    form.setWindowTitle(u"Lista paraméterei"_s);
    form.resize(420, 300);
    auto* layout = new QVBoxLayout(&form);
    auto* fields = new QFormLayout;
    auto* title = new TdosEdit(&form);
    title->setText(u"Hívások listája – őszi időszak"_s);
    fields->addRow(u"Lista címe:"_s, title);
    auto* date = new TdosDatum(&form);
    fields->addRow(u"Lista dátuma:"_s, date);
    auto* time = new TdosEdit(&form);
    time->setEditMask(u"00:00:00;1; "_s);
    time->setMaskedText(u"12:30:  "_s);
    fields->addRow(u"Időpont:"_s, time);
    layout->addLayout(fields);
    auto* group = new TChoiceGroup(u"Hívásirány"_s, &form);
    auto* choices = new QHBoxLayout(group);
    for (const QString& text : {u"Kimenő"_s, u"Bejövő"_s, u"Mindkettő"_s})
        choices->addWidget(new TChoiceBox(text, group));
    group->findChildren<TChoiceBox*>().back()->setChecked(true);
    layout->addWidget(group);
    layout->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(new TgmRnb(&form));
    auto* cancel = new TgmMgs(&form);
    cancel->setCancel(true);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    pictureOfNextModal(u"form-base"_s, mrCancel);
    form.exec();
}

void progressForm()
{
    TFolyamatjelzo& progress = Folyamatjelzo();
    progress.Letrehoz(u"Beolvasás folyamatban"_s, 0, 100);
    progress.Lepes(64);
    QWindow* window = progress.windowHandle();
    while (window && !window->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QTimer pause;
    pause.setSingleShot(true);
    QEventLoop wait;
    QObject::connect(&pause, &QTimer::timeout, &wait, &QEventLoop::quit);
    pause.start(300);
    wait.exec();
    save(&progress, u"progress"_s);
    progress.Vege();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Teloran"_s);
    installDialogReporter(ProgramKind::Main);
    folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : u"screenshots"_s;
    QDir().mkpath(folder);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    FoFormJellem().Init(0, 0, screen.width(), screen.height());
    out << u"screen "_s << screen.width() << u" x "_s << screen.height() << u", scale factor "_s
        << ScaleFactor() << Qt::endl;

    message(u"message-B"_s, u"ERTC funkció - Nincs 4. pozíció:;a;b;c"_s, u'B', u"R"_s);
    message(u"message-F"_s, u"A hívásadatok nem írhatók ki!;A lemez megtelt."_s, u'F', u"R"_s);
    message(u"message-H"_s, u"Hibás jelszó!"_s, u'H', u"R"_s);
    message(u"message-I"_s, u"Beolvasott fájlok száma: 3;Új hívások: 1 254"_s, u'I', u"R"_s);
    message(u"message-K"_s, u"Valóban kilép?"_s, u'K', u"IN"_s);
    message(u"message-X"_s, u"Ismeretlen fajta üzenet."_s, u'X', u"R"_s);
    message(u"message-three-buttons"_s, u"A fájl már létezik.;Felülírja, hozzáfűzi, vagy mégsem?"_s, u'K',
            u"IEM"_s, u"Hozzáfűz"_s);
    QStringList lines;
    for (int i = 1; i <= 20; ++i)
        lines.append(u"%1. sor: árvíztűrő tükörfúrógép – ÁRVÍZTŰRŐ TÜKÖRFÚRÓGÉP"_s.arg(i));
    message(u"message-long"_s, lines.join(u';'), u'H', u"R"_s);
    message(u"message-short-after-long"_s, u"Rövid szöveg."_s, u'I', u"R"_s);
    message(u"message-wide"_s,
            u"Az importálás nem sikerült: /home/felhasznalo/Teloran/Import/D052325A.txt nem olvasható."_s,
            u'H', u"R"_s);

    simpleDialog(u"dialog-kind4-date-error"_s, 4,
                 u"Dátum hossza csak tíz karakter lehet.\rLegalább és legfeljebb is."_s);
    simpleDialog(u"dialog-kind0-question"_s, 0, u"Indulhat a díjszámolás?"_s);
    simpleDialog(u"dialog-kind5-three-buttons"_s, 5,
                 u"A kijelölt időszakban már vannak díjazott hívások. Újraszámolja őket is?"_s,
                 DialogSize::large());

    sampleForm();
    progressForm();
    return 0;
}
