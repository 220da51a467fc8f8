#pragma once

#include <QString>

#include <memory>

class LastUser;
class TdlAform1;
class TdlBeolv;
class TdlBeolvas;

// Teloran's windows together: the main window with the frame's forms, and
// the import windows plugged into its menu item "Beolvasás" and into the
// start-up's automatic import. Every form is created here once and reused.
class TeloranWindows {
public:
    TeloranWindows(const QString& mainIniFileName, const QString& executableFolder, LastUser& lastUser);
    ~TeloranWindows();

    TdlAform1& dlAform1() { return *m_main; }
    TdlBeolv& dlBeolv() { return *m_beolv; }
    TdlBeolvas& dlBeolvas() { return *m_beolvas; }

private:
    // The AUTOSTART step: the import window in the automatic mode; true when
    // it read a file.
    bool autostartImport();

    std::unique_ptr<TdlAform1> m_main;
    TdlBeolv* m_beolv = nullptr;
    TdlBeolvas* m_beolvas = nullptr;
};

// The window program: shows the main window and runs until it closes.
int runTeloranWindows(const QString& mainIniFileName, const QString& executableFolder);
