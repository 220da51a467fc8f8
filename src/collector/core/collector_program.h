#pragma once

#include "core/collector.h"
#include "core/collector_settings.h"
#include "core/ini_file.h"
#include "core/kalvix_settings.h"
#include "core/serial_reception.h"

#include <QLockFile>
#include <QObject>
#include <QTimer>

#include <functional>

// The collector program's life without its window: start-up from Kalvix.ini,
// serial reception into the parser and the record files, the run switch,
// the settings taking effect, and the orderly end. The window drives it (its
// buttons, tray and dialogs), and so does the program without a window.
class CollectorProgram : public QObject {
    Q_OBJECT
public:
    enum class Reception {
        Switched,   // the window: the run switch decides, START and STOP change it
        Continuous, // without a window: always receiving; a lost port is reopened
        None,       // a file is fed instead: no port, the run switch untouched
    };
    struct Options {
        Reception reception = Reception::Switched;
        int reopenSeconds = 5; // Continuous: how often a lost port is tried again
        RecordWriter::Options writer;
    };

    CollectorProgram(const QString& folder, CollectorView& view, Options options);
    CollectorProgram(const QString& folder, CollectorView& view) : CollectorProgram(folder, view, Options{})
    {
    }
    // Ends as FormDestroy does, when that has not happened yet.
    ~CollectorProgram() override;

    const QString& folder() const { return m_folder; }
    IniFile& settings() { return m_ini; }
    const IniFile& settings() const { return m_ini; }
    CallRecordCollector& collector() { return m_collector; }
    SerialReception& reception() { return m_reception; }
    const StartupState& startup() const { return m_startup; }
    const QString& kind() const { return m_startup.kind; }

    // Start-up. False when Kalvix.ini is missing or another collector works
    // in the same folder: the message is shown and the program must end
    // (FormDestroy then does nothing). When the file has
    // no port settings yet (first start), askPortSettings runs before anything
    // else is read; it is expected to call storePortSettings. A port that
    // cannot be opened is reported and start-up finishes with reception stopped.
    bool FormCreate(const std::function<void()>& askPortSettings = {});

    // The first-start and warning messages; showWindow runs first when the
    // window is to be seen with them.
    void AfterCreate(const std::function<void()>& showWindow = {});

    bool isReceiving() const { return m_reception.isOpen(); }
    // START (true) or STOP (false), after the login: switches the port,
    // reports an error or a switch that did not take, and stores "RUN" when
    // it did. True when reception is now as asked.
    bool switchReception(bool on);

    const SerialPortSettings& portSettings() const { return m_reception.settings(); }
    // The port-settings dialog's result: used at once and stored in "SP2".
    void storePortSettings(const SerialPortSettings& settings);

    // "Rendben" of the settings dialog: the chosen PBX type text and the layout
    // editor. The type and the layout take effect at once.
    void settingsConfirmed(const QString& typeText, const LayoutEditorValues& layout);

    // The record tester: the lines typed into the list (works for variant 1 only).
    void feedTester(const QStringList& lines);
    // Text from another source (a file): cut by the line splitter as received text is.
    void feed(const QString& text);

    // The end: stores "RUN" as the port is, closes the port, and closes the
    // working files into their dated files. False when some record could not
    // be written.
    bool FormDestroy();

Q_SIGNALS:
    // Reception started or stopped (by a switch, a loss or a reopening).
    void receptionChanged(bool receiving);
    // A line for a log of what the program does (port opened, retrying ...).
    void status(const QString& text);

private:
    void applyLineEnd();
    void openAtStart();
    void openContinuously();
    void portLost(const QString& message);
    void tryReopen();
    void processPacket(int kind, const QString& text);
    void reportWriteFailure(const FileResult& result);

    QString m_folder;
    Options m_options;
    IniFile m_ini;
    CallRecordCollector m_collector;
    SerialReception m_reception;
    StartupState m_startup;
    QLockFile m_lock;
    QTimer m_reopenTimer;
    bool m_created = false;
    bool m_reopenReported = false;
};
