#pragma once

#include "core/import_run.h"
#include "ui/base_form.h"

#include <QElapsedTimer>
#include <QStringList>

#include <memory>

class QLabel;
class TGomb;
class Tdm1;
class TeloranSession;

// The import window dlBeolv. Each time it is shown it works in the mode its
// caller set in Uzemmod:
// - AUTO: finds the waiting files and reads all of them;
// - KEZ1: only finds them (the search step of the menu-started import);
// - KEZ2: reads the files chosen in the list window.
// The status line Label3 follows the work; "Rendben" is hidden while the
// window works and closes it afterwards (also Esc).
class TdlBeolv : public TdlAlap {
    Q_OBJECT
public:
    TdlBeolv(Tdm1& dm, const TeloranSession& session, QWidget* parent = nullptr);
    ~TdlBeolv() override;

    ImportMode Uzemmod = ImportMode::Auto;
    // Set whenever a file was read to its end; the start-up clears it.
    bool VoltBeolvasas = false;
    // The search step found a waiting file.
    bool VanVaroFajl = false;
    // The names the reading step reads (the selected items of the list window).
    QStringList selectedFiles;

    // The imported and the waiting files as the last discovery found them;
    // the list window shows them.
    const ImportFiles& files() const { return m_files; }

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    TGomb* gmRnb1 = nullptr;

Q_SIGNALS:
    // The work of this showing is over; "Rendben" comes back next.
    void workDone();

protected:
    void showEvent(QShowEvent* event) override;

private:
    class StatusLine;

    void startWhenOnScreen();
    // The activation steps, once each time the window is shown.
    void FormShow();
    bool Feltolt();
    bool Beolvas();
    void setWorking(bool working);
    void appendInterrupted();

    Tdm1& m_dm;
    const TeloranSession& m_session;
    std::unique_ptr<StatusLine> m_status;
    std::unique_ptr<Importer> m_importer;
    ImportFiles m_files;
    QElapsedTimer m_sinceShown;
    bool m_startPending = false;
};
