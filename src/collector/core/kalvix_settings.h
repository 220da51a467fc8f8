#pragma once

#include "core/file_io.h"

#include <QChar>
#include <QList>
#include <QString>

class IniFile;

// Kalvix.ini: the collector's one settings file, in the collector's folder.
inline const QString kSettingsFileName = QStringLiteral("Kalvix.ini");
inline const QString kSectionOther = QStringLiteral("OTHER");
inline const QString kSectionAdmin = QStringLiteral("ADMIN");
inline const QString kKeyKind = QStringLiteral("KIND");
inline const QString kKeyRun = QStringLiteral("RUN");
inline const QString kKeyFirstStartMessage = QStringLiteral("MSG1");
inline const QString kKeyOldType = QStringLiteral("Type");

// The value an older version left in "Type" once it was converted.
inline constexpr qint64 kOldTypeMigrated = 99999999;

// The run switch "RUN" as read: 1 running, 0 stopped, -1 not set.
inline constexpr int kRunNotSet = -1;

// What the start-up read from section "OTHER" and decided.
struct StartupState {
    QString kind;                     // PBX type code
    int storedRun = kRunNotSet;       // "RUN" as it was in the file
    int runSwitch = kRunNotSet;       // the switch in force: 0 when no PBX type is set
    bool firstStartMessageDue = true; // "MSG1"
    bool migrated = false;            // an old "Type" key was converted
    QString writeError;               // the file could not be changed (empty: it could)

    bool operator==(const StartupState&) const = default;
};

// Reads "OTHER" and converts the PBX type key of an older version: its
// index into the type list becomes "KIND" and the key is removed. An index
// outside the list converts nothing (the key is still removed), so the
// first-start or warning messages ask for the type.
StartupState readStartup(IniFile& ini);

// The messages shown after start-up, in order, and what follows them.
struct StartupMessage {
    QChar kind;
    QString text;
    bool operator==(const StartupMessage&) const = default;
};
struct AfterCreatePlan {
    bool showWindow = false;        // before the messages
    QList<StartupMessage> messages; // each with the button "R"
    bool firstStartDone = false;    // afterwards "MSG1" = 0 and "RUN" = 0 are written
};
// receiving: whether reception runs after the start (a port that could not
// be opened leaves it stopped, which the warning then tells).
AfterCreatePlan afterCreatePlan(const StartupState& state, bool receiving);

// Writes "MSG1" = 0 and "RUN" = 0 once the first-start message was shown.
FileResult markFirstStartDone(IniFile& ini);
