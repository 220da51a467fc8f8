#pragma once

#include "core/main_menu.h"
#include "core/startup.h"
#include "ui/base_form.h"

#include <QHash>

#include <functional>
#include <memory>

class LastUser;
class QAction;
class QFrame;
class QMenuBar;
class Tdm1;
class TdlInput3;
class TdlNevjegy;
class TdlPasswd;
class TdlSetup;
class TdlUserkarb;

// The main window dlAform1 of Teloran. Created, it opens the main INI file
// and the data module; on its first showing it runs the start-up (login,
// parameters, font, caption, menu, and the automatic import when AUTOSTART
// is set); then its menu dispatches every item through the dispatcher table.
// Items whose window the program does not have report themselves as items
// without a task. Closing asks "Valóban kilép?" once the start-up is over.
//
// The later subsystems plug in through dispatcher() and the start-up steps
// below; the main window knows none of their windows.
class TdlAform1 : public TdlAlap {
    Q_OBJECT
public:
    // lastUser keeps the name of the last user who logged in; it must
    // outlive the window.
    TdlAform1(const QString& mainIniFileName, const QString& executableFolder, LastUser& lastUser,
              QWidget* parent = nullptr);
    ~TdlAform1() override;

    TeloranSession& session() { return *m_session; }
    Tdm1& dm() { return *m_dm; }
    MenuDispatcher& dispatcher() { return m_dispatcher; }

    // Start-up steps of the later subsystems: the import at AUTOSTART (true
    // when it read a file), the pricing after it, the tariff parameters
    // (false ends the program). A step that is not set is skipped.
    void setAutostartImport(std::function<bool()> step) { m_autostartImport = std::move(step); }
    void setAutostartPricing(std::function<void()> step) { m_autostartPricing = std::move(step); }
    void setTariffParameters(std::function<bool()> step) { m_tariffParameters = std::move(step); }

    // The menu item (or menu) of this name.
    QAction* menuAction(const QString& name) const { return m_actions.value(name); }
    // The menu dispatcher: runs the item's action or reports the name.
    void FormClick(const QString& name);
    // Which of the two code items the menu shows, from the program
    // parameters and the user.
    void MenuBeall();
    // The user's font (BETUMERET, BETUFORMA1) for every form.
    void applyFont(FontStyle font);

    // The parameter dialogs of the program and the user parameters, made
    // when first opened.
    TdlSetup* cegParameterDialog();
    TdlSetup* usrParameterDialog();

    bool FormCloseQuery(int modalResult) override;
    void FormActivate() override;

    QMenuBar* MainMenu1 = nullptr;
    // Notes shown while longer work runs: preparation and processing.
    QFrame* Panel1 = nullptr;
    QFrame* Panel2 = nullptr;
    TdlPasswd* dlPasswd = nullptr;
    TdlInput3* dlInput3 = nullptr;
    TdlUserkarb* dlUserkarb = nullptr;
    TdlNevjegy* dlNevjegy = nullptr;

Q_SIGNALS:
    // The first activation has run through (started) or closed the window.
    void startupFinished(bool started);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void buildMenu();
    void setActions();
    void firstActivation();
    LoginOutcome login(const QString& proposedName);
    bool finishStart();
    void recordMainWindow();
    QFrame* note(const QString& name, const QString& text);

    std::unique_ptr<TeloranSession> m_session;
    std::unique_ptr<Tdm1> m_dm;
    LastUser& m_lastUser;
    QString m_executableFolder;
    MenuDispatcher m_dispatcher;
    QHash<QString, QAction*> m_actions;
    TdlSetup* m_cegDialog = nullptr;
    TdlSetup* m_usrDialog = nullptr;
    std::function<bool()> m_autostartImport;
    std::function<void()> m_autostartPricing;
    std::function<bool()> m_tariffParameters;
    bool m_activationQueued = false;
};

// The colour the list forms mark filter fields with that hold a condition.
QColor filterMarkerColour();
