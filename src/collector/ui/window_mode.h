#pragma once

#include <QString>

#include <memory>

class TdlAform1;
class TdlBeall1;
class TdlPwd;

// The collector's forms, created in the program's order: the main window
// (whose creation is the start-up), the style holder, the message dialog,
// the settings, the login.
class KalvixForms {
public:
    explicit KalvixForms(const QString& folder);
    ~KalvixForms();

    // False when the start-up found no settings file: the program ends.
    bool started() const;

    std::unique_ptr<TdlAform1> dlAform1;
    std::unique_ptr<TdlBeall1> dlBeall1;
    std::unique_ptr<TdlPwd> dlPwd;
};

// Kalvix with its window: the forms, the first-start and warning messages,
// the event loop until the program is closed (or ended by SIGTERM or SIGINT,
// without a login), then the orderly end. A QApplication must exist; folder
// is the collector's folder. Returns the exit code.
int runWindow(const QString& folder);
