#pragma once

#include "core/ini_file.h"
#include "core/parameter_store.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class LastUser;
class Tdm1;

inline const QString kProgramVersion = QStringLiteral("1.60");
inline const QString kMainWindowCaption = QStringLiteral("Teloran Hívásnyilvántartó");

// The main window's caption once started: the version in brackets at its end.
QString captionWithVersion(const QString& caption);

// What a parameter store is built from.
struct ParameterDefinition {
    QString caption;
    QStringList pages;
    QStringList items;
};

// The program parameters (Ceg.ini). The import folder's default is the folder
// Import beside the executable.
ParameterDefinition cegParameterDefinition(const QString& executableFolder);
// The user parameters (Usr<nnn>.ini).
ParameterDefinition usrParameterDefinition();

QString cegIniFileName(const QString& baseDirectory);
// "Usr" + characters 4 to 6 of the identifier: USR001 -> Usr001.ini.
QString usrIniFileName(const QString& baseDirectory, const QString& userId);

// The font of every form, from the user parameters BETUMERET and BETUFORMA1.
struct FontStyle {
    int size = 10;
    bool bold = true;

    bool operator==(const FontStyle&) const = default;
};
FontStyle userFontStyle(const ParameterStore& usrParameterek);

// The program state that lives for the whole run: the main INI file, the base
// directory, the logged-in user and the two parameter stores of the frame.
class TeloranSession {
public:
    // FormCreate: opens the main INI file and reads the base directory; an
    // empty one is reported ("Hiányzó INI bejegyzés: MAIN / BaseDirectory")
    // and start-up goes on.
    explicit TeloranSession(const QString& mainIniFileName);

    const IniFile& mainIni() const { return m_mainIni; }
    const QString& baseDirectory() const { return m_baseDirectory; }
    const QString& currentUser() const { return m_currentUser; }
    void setCurrentUser(const QString& userId) { m_currentUser = userId; }

    ParameterStore* CegParameterek() const { return m_ceg.get(); }
    ParameterStore* UsrParameterek() const { return m_usr.get(); }
    // Start-up steps 6 and 7; false (after the message) when a store cannot be
    // set up.
    bool setUpCegParameterek(const QString& executableFolder);
    bool setUpUsrParameterek();

    // While starting, closing the main window asks nothing.
    bool starting() const { return m_starting; }
    void setStarted() { m_starting = false; }
    bool takeFirstActivation() { return std::exchange(m_firstActivation, false); }

    // FormCloseQuery: "Valóban kilép?" unless still starting. True when the
    // program may end; the stores are freed then.
    bool FormCloseQuery();

private:
    IniFile m_mainIni;
    QString m_baseDirectory;
    QString m_currentUser;
    std::unique_ptr<ParameterStore> m_ceg;
    std::unique_ptr<ParameterStore> m_usr;
    bool m_starting = true;
    bool m_firstActivation = true;
};

// The login dialog's outcome at start-up step 4.
struct LoginOutcome {
    enum Result { Accepted, Cancelled, Failed } result = Cancelled;
    QString name;   // the name in the dialog's name field
    QString userId; // the identified user
};

// The windows and the later subsystems take part in the first activation
// through these; a missing import or pricing step is skipped.
struct StartupHooks {
    // Shows the login dialog with the proposed name.
    std::function<LoginOutcome(const QString& proposedName)> login;
    // Applies the user's font to every form.
    std::function<void(FontStyle)> applyFont;
    // AlapdijOldalak: builds the tariff parameters; false ends the program.
    std::function<bool()> buildTariffParameters;
    // Step 9: caption, main-window record, MenuBeall; false on an error.
    std::function<bool()> finishStart;
    // AUTOSTART: the import in automatic mode; true when a file was read.
    std::function<bool()> autostartImport;
    // The pricing of the new calls after an automatic import.
    std::function<void()> autostartPricing;
};

// The first activation of the main window, steps 2 to 11. Returns false when
// the main window closes (the program ends); the steps after a failing one
// are skipped, so nothing runs on a program that is ending.
bool FirstActivation(TeloranSession& session, Tdm1& dm, LastUser& lastUser, const StartupHooks& hooks,
                     const QString& executableFolder);
