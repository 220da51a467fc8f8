#include "core/collector_program.h"

#include "core/last_calls.h"
#include "core/messages.h"
#include "core/pbx_type.h"

#include <QDir>

using namespace Qt::StringLiterals;

CollectorProgram::CollectorProgram(const QString& folder, CollectorView& view, Options options)
    : m_folder(QDir(folder).absolutePath()), m_options(options), m_ini(m_folder + u'/' + kSettingsFileName),
      m_collector(m_folder, view, options.writer), m_lock(m_folder + u"/Kalvix.lock"_s)
{
    // Only a collector that is gone leaves its lock behind, never a slow one.
    m_lock.setStaleLockTime(0);
    LineSplitter& splitter = m_reception.splitter();
    connect(&splitter, &LineSplitter::packet, this,
            [this](const QString& text) { processPacket(CallRecordCollector::DataPacket, text); });
    connect(&splitter, &LineSplitter::discard, this,
            [this](const QString& text) { processPacket(CallRecordCollector::Discarded, text); });
    connect(&m_reception, &SerialReception::openChanged, this, &CollectorProgram::receptionChanged);
    connect(&m_reception, &SerialReception::portLost, this, &CollectorProgram::portLost);
    m_reopenTimer.setInterval(std::max(options.reopenSeconds, 1) * 1000);
    connect(&m_reopenTimer, &QTimer::timeout, this, &CollectorProgram::tryReopen);
}

CollectorProgram::~CollectorProgram()
{
    FormDestroy();
}

void CollectorProgram::processPacket(int kind, const QString& text)
{
    m_collector.ProcessReceived(kind, text);
    // A complete line left behind (its line end was split by discarded data)
    // is filed now rather than when the next line arrives.
    m_collector.processPendingLines();
}

void CollectorProgram::reportWriteFailure(const FileResult& result)
{
    if (!result)
        Uzenet(u"A beállítások nem írhatók a Kalvix.ini fájlba!;"_s + result.error(), u'H', u"R"_s);
}

bool CollectorProgram::FormCreate(const std::function<void()>& askPortSettings)
{
    if (!m_ini.exists()) {
        ShowPlainMessage(u"A programhoz tartozó Kalvix.ini fájl hiányzik!"_s);
        return false;
    }
    // Two collectors on one folder would write and close each other's files.
    if (!m_lock.tryLock()) {
        ShowPlainMessage(
            u"Ebben a mappában már fut egy Kalvix, ugyanazokat a fájlokat nem írhatja kettő: "_s + m_folder);
        return false;
    }
    if (m_ini.sectionExists(kSectionPort))
        (void)m_reception.setSettings(loadPortSettings(m_ini));
    else if (askPortSettings)
        askPortSettings();

    m_startup = readStartup(m_ini);
    if (!m_startup.writeError.isEmpty())
        reportWriteFailure(std::unexpected(m_startup.writeError));

    const PbxType type = PbxType::fromCode(m_startup.kind);
    m_collector.setPbxType(type);
    m_collector.open();
    if (type.layoutType == kLayoutConfigured)
        m_collector.IniLoad(m_ini);
    applyLineEnd();
    m_created = true;
    openAtStart();
    return true;
}

void CollectorProgram::applyLineEnd()
{
    m_reception.splitter().setStopString(m_collector.parser().lineEnd());
}

void CollectorProgram::openAtStart()
{
    switch (m_options.reception) {
    case Reception::Switched:
        if (m_startup.runSwitch == 1) {
            if (auto opened = m_reception.open(); !opened)
                ShowPlainMessage(opened.error());
        }
        break;
    case Reception::Continuous:
        openContinuously();
        break;
    case Reception::None:
        break;
    }
}

void CollectorProgram::openContinuously()
{
    if (auto opened = m_reception.open(); opened) {
        Q_EMIT status(u"A soros port nyitva: "_s + describePortSettings(portSettings()));
        m_reopenTimer.stop();
        m_reopenReported = false;
        return;
    } else if (!m_reopenReported) {
        m_reopenReported = true;
        Uzenet(opened.error() + u";A program "_s + QString::number(m_reopenTimer.interval() / 1000) +
                   u" másodpercenként újra megpróbálja megnyitni."_s,
               u'H', u"R"_s);
    }
    m_reopenTimer.start();
}

void CollectorProgram::tryReopen()
{
    if (m_created && !m_reception.isOpen())
        openContinuously();
    else
        m_reopenTimer.stop();
}

void CollectorProgram::portLost(const QString& message)
{
    if (m_options.reception == Reception::Continuous) {
        m_reopenReported = true;
        Uzenet(message + u";A már beérkezett adatok megmaradtak. A program "_s +
                   QString::number(m_reopenTimer.interval() / 1000) +
                   u" másodpercenként újra megpróbálja megnyitni a portot."_s,
               u'H', u"R"_s);
        m_reopenTimer.start();
        return;
    }
    Uzenet(message + u";A kommunikáció leállt; a már beérkezett adatok megmaradtak.;"_s +
               u"Az újraindításhoz nyomja meg a START gombot."_s,
           u'H', u"R"_s);
}

void CollectorProgram::AfterCreate(const std::function<void()>& showWindow)
{
    const AfterCreatePlan plan = afterCreatePlan(m_startup, isReceiving());
    if (plan.showWindow && showWindow)
        showWindow();
    for (const StartupMessage& message : plan.messages)
        Uzenet(message.text, message.kind, u"R"_s);
    if (plan.firstStartDone)
        reportWriteFailure(markFirstStartDone(m_ini));
}

bool CollectorProgram::switchReception(bool on)
{
    if (on == isReceiving())
        return true;
    if (on) {
        if (auto opened = m_reception.open(); !opened) {
            ShowPlainMessage(opened.error());
            return false;
        }
    } else {
        m_reception.close();
    }
    if (isReceiving() != on) {
        Uzenet(
            u"A kommunikáció Ki- vagy Bekapcsolása valamilyen ;beállítás / rendszerkörnyezet miatt nem sikerült."_s,
            u'I', u"R"_s);
        return false;
    }
    reportWriteFailure(m_ini.writeBool(kSectionOther, kKeyRun, on));
    return true;
}

void CollectorProgram::storePortSettings(const SerialPortSettings& settings)
{
    if (auto applied = m_reception.setSettings(settings); !applied)
        ShowPlainMessage(applied.error());
    reportWriteFailure(::storePortSettings(m_ini, settings));
}

void CollectorProgram::settingsConfirmed(const QString& typeText, const LayoutEditorValues& layout)
{
    const QString code = typeText.left(8);
    if (code != m_startup.kind) {
        m_startup.kind = code;
        reportWriteFailure(m_ini.writeString(kSectionOther, kKeyKind, code));
        m_collector.setPbxType(PbxType::fromCode(code));
    }
    if (isConfiguredType(m_startup.kind)) {
        reportWriteFailure(IniSave(m_ini, layout));
        m_collector.IniLoad(m_ini);
    } else {
        // The line end a start-up would take for this type.
        m_collector.parser().setLineEnd(kLineEndCrLf);
    }
    applyLineEnd();
}

void CollectorProgram::feedTester(const QStringList& lines)
{
    if (lines.isEmpty() || m_collector.parser().pbxType().variant != 1)
        return;
    processPacket(CallRecordCollector::DataPacket, testerText(lines, m_collector.parser().lineEnd()));
}

void CollectorProgram::feed(const QString& text)
{
    m_reception.splitter().feed(text);
}

bool CollectorProgram::FormDestroy()
{
    if (!m_created)
        return true;
    m_created = false;
    m_reopenTimer.stop();
    if (m_options.reception != Reception::None) {
        const int running = isReceiving() ? 1 : 0;
        if (m_ini.readInteger(kSectionOther, kKeyRun, kRunNotSet) != running)
            reportWriteFailure(m_ini.writeBool(kSectionOther, kKeyRun, running == 1));
    }
    m_reception.close();
    // Text the splitter still gathers joins the parser's remainder, which the
    // collector keeps in its error log rather than dropping it.
    const QString gathered = m_reception.splitter().takeGathered();
    if (!gathered.isEmpty())
        processPacket(CallRecordCollector::DataPacket, gathered);
    const bool closed = m_collector.close();
    m_lock.unlock();
    return closed;
}
