#include "ui/import_window.h"

#include "core/messages.h"
#include "core/startup.h"
#include "ui/buttons.h"
#include "ui/message_dialog.h"

#include <QLabel>
#include <QShowEvent>
#include <QTimer>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace {
constexpr QSize kDesignSize{600, 200};
constexpr qint64 kLongestWaitForScreen = 2000; // milliseconds
} // namespace

// Label3 as the import's status line. The import runs on this thread without
// returning to the event loop, so every text is painted at once.
class TdlBeolv::StatusLine : public ImportStatus {
public:
    explicit StatusLine(QLabel* label) : m_label(label) {}
    void show(const QString& text) override
    {
        m_label->setText(text);
        m_label->repaint();
    }

private:
    QLabel* m_label;
};

TdlBeolv::TdlBeolv(Tdm1& dm, const TeloranSession& session, QWidget* parent)
    : TdlAlap(parent), m_dm(dm), m_session(session)
{
    setObjectName(u"dlBeolv"_s);
    setWindowTitle(u" Beolvasható fájlok keresése és beolvasása"_s);
    setSizeWithoutRescale(kDesignSize - TdlMessage::kFrame);
    const int lineWidth = width() - 40;
    auto line = [this, lineWidth](const QString& name, int top) {
        auto* label = new QLabel(this);
        label->setObjectName(name);
        label->setGeometry(20, top, lineWidth, 22);
        return label;
    };
    Label1 = line(u"Label1"_s, 18);
    Label2 = line(u"Label2"_s, 45);
    Label3 = line(u"Label3"_s, 85);
    m_status = std::make_unique<StatusLine>(Label3);

    gmRnb1 = new TgmRnb(this);
    gmRnb1->setObjectName(u"gmRnb1"_s);
    gmRnb1->setCancel(true);
    gmRnb1->setGeometry((width() - 85) / 2, 128, 85, 25);
}

TdlBeolv::~TdlBeolv() = default;

void TdlBeolv::showEvent(QShowEvent* event)
{
    TdlAlap::showEvent(event);
    if (event->spontaneous())
        return;
    setWorking(true);
    m_sinceShown.start();
    m_startPending = true;
    QMetaObject::invokeMethod(this, &TdlBeolv::startWhenOnScreen, Qt::QueuedConnection);
}

void TdlBeolv::startWhenOnScreen()
{
    // The work does not return to the event loop until it ends, so it waits
    // for the window to be on the screen: before that nothing it paints shows.
    // A window the screen never shows (minimized) starts after a while anyway.
    if (!isVisible() || !m_startPending)
        return;
    const QWindow* window = windowHandle();
    if (window && !window->isExposed() && !m_sinceShown.hasExpired(kLongestWaitForScreen)) {
        QTimer::singleShot(10, this, &TdlBeolv::startWhenOnScreen);
        return;
    }
    m_startPending = false;
    FormShow();
}

void TdlBeolv::setWorking(bool working)
{
    gmRnb1->setVisible(!working);
    if (!working)
        gmRnb1->setFocus(Qt::OtherFocusReason);
    repaint();
}

void TdlBeolv::FormShow()
{
    if (!isVisible())
        return;
    const ParameterStore* parameters = m_session.CegParameterek();
    const ImportSettings settings = parameters ? ImportSettings::from(*parameters) : ImportSettings();
    Label1->setText(u"Útvonal: "_s + settings.folder);
    Label2->setText(u"F.maszk: "_s + settings.mask);
    Label3->clear();
    repaint();
    switch (Uzemmod) {
    case ImportMode::Auto:
        m_importer = std::make_unique<Importer>(m_dm, settings, m_session.currentUser(), *m_status);
        if (Feltolt() && !Beolvas())
            appendInterrupted();
        break;
    case ImportMode::Search:
        m_importer = std::make_unique<Importer>(m_dm, settings, m_session.currentUser(), *m_status);
        VanVaroFajl = Feltolt();
        break;
    case ImportMode::Read:
        Label3->setText(QString::number(selectedFiles.size()) + u" kiválasztott fájl beolvasása."_s);
        repaint();
        if (VanVaroFajl && !Beolvas())
            appendInterrupted();
        break;
    }
    Q_EMIT workDone();
    setWorking(false);
}

bool TdlBeolv::Feltolt()
{
    const bool waiting = m_importer->Feltolt();
    // A folder without matching files leaves the lists as they were.
    if (m_importer->files().anyMatch)
        m_files = m_importer->files();
    return waiting;
}

bool TdlBeolv::Beolvas()
{
    if (!m_importer)
        return false;
    const bool read = m_importer->Beolvas(Uzemmod, selectedFiles);
    VoltBeolvasas = VoltBeolvasas || m_importer->VoltBeolvasas;
    return read;
}

void TdlBeolv::appendInterrupted()
{
    m_status->show(Label3->text() + u" --> Beolvasás megszakítva."_s);
}
